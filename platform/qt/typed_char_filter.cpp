#include "typed_char_filter.h"

#include "message_box.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace platform {
namespace {

constexpr QChar kBackspace(8);
constexpr QChar kEnter(13);

// Keeps pasted or dropped text to the characters the filter accepts.
class AcceptedTextValidator final : public QValidator {
  public:
    AcceptedTextValidator(const TypedCharFilter& filter, QObject* parent)
        : QValidator(parent), m_filter(filter) {}

    State validate(QString& input, int&) const override {
        for (const QChar typed : input) {
            if (!m_filter.Accepts(typed)) return Invalid;
        }
        return Acceptable;
    }

  private:
    const TypedCharFilter& m_filter;
};

} // namespace

TypedCharFilter::TypedCharFilter(QLineEdit* box, Rule rule, QString listed, QString message)
    : QObject(box), m_box(box), m_rule(rule), m_listed(std::move(listed)),
      m_message(std::move(message)) {
    box->installEventFilter(this);
    box->setValidator(new AcceptedTextValidator(*this, this));
}

TypedCharFilter::TypedCharFilter(QComboBox* box, Rule rule, QString listed, QString message)
    : TypedCharFilter(box->lineEdit(), rule, std::move(listed), std::move(message)) {
    box->installEventFilter(this);
}

bool TypedCharFilter::Accepts(QChar typed) const {
    if (typed == kBackspace) return true;
    const bool listed = m_listed.contains(typed);
    return m_rule == Rule::RefuseListed ? !listed : listed;
}

bool TypedCharFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !Refuses(*static_cast<QKeyEvent*>(event)))
        return false;
    ShowStop(m_box->window(), "確認", m_message);
    return true;
}

bool TypedCharFilter::Refuses(const QKeyEvent& key) const {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    QString typed = key.text();
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        if (!m_box->text().isEmpty()) return false;
        typed = kEnter;
    }
    for (const QChar character : typed) {
        if ((character.isPrint() || character == kEnter) && !Accepts(character)) return true;
    }
    return false;
}

void KeepUpperCase(QLineEdit& box) {
    QObject::connect(&box, &QLineEdit::textEdited, &box, [&box](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = box.cursorPosition();
        box.setText(upper);
        box.setCursorPosition(cursor);
    });
}

} // namespace platform
