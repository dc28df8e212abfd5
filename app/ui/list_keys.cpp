#include "list_keys.h"

#include "main_state.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace app {
namespace {

constexpr char kEnter = 13;

} // namespace

ListKeys::ListKeys(QAbstractItemView* list, MainState& state)
    : QObject(list), m_list(list), m_state(state) {
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
}

void ListKeys::Bind(char character, Command command) {
    m_commands[character] = std::move(command);
}

void ListKeys::BindRelease(int key, Command command) {
    m_releases[key] = std::move(command);
}

void ListKeys::OnEveryRelease(Command command) {
    m_everyRelease = std::move(command);
}

bool ListKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        return KeyPress(key->key(), key->text());
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) KeyRelease(key->key());
        return false;
    }
    case QEvent::MouseButtonPress:
        if (watched == m_list->viewport()) m_state.InPlaceEditing = false;
        return false;
    default:
        return false;
    }
}

// True when the key is consumed.
bool ListKeys::KeyPress(int key, const QString& text) {
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (m_state.InPlaceEditing && enter) m_state.InPlaceEditing = false;
    if (m_state.InPlaceEditing) return false;
    // The arrows act when released; pressed, they would scroll the list sideways.
    if (m_releases.count(key)) return true;
    const char character = enter ? kEnter
                           : text.size() == 1 && text[0].unicode() < 0x80
                               ? static_cast<char>(text[0].toUpper().unicode())
                               : 0;
    if (character == 0) return !text.isEmpty() && text[0].isPrint();
    const auto command = m_commands.find(character);
    if (command != m_commands.end()) command->second();
    return true;
}

void ListKeys::KeyRelease(int key) {
    if (m_state.InPlaceEditing && (key == Qt::Key_Return || key == Qt::Key_Enter))
        m_state.InPlaceEditing = false;
    if (!m_state.InPlaceEditing) {
        const auto command = m_releases.find(key);
        if (command != m_releases.end()) command->second();
    }
    if (m_everyRelease) m_everyRelease();
}

} // namespace app
