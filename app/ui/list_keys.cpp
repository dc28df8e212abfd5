#include "list_keys.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace app {

ListKeys::ListKeys(QAbstractItemView* list) : QObject(list) {
    list->installEventFilter(this);
}

void ListKeys::Bind(char letter, std::function<void()> command) {
    m_commands[letter] = std::move(command);
}

bool ListKeys::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.size() != 1 || text[0].unicode() > 0x7f) return false;
    const auto command = m_commands.find(static_cast<char>(text[0].toUpper().unicode()));
    if (command == m_commands.end()) return false;
    command->second();
    return true;
}

} // namespace app
