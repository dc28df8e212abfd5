#include "dialog_parts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace fileopsui {
namespace {

class EnterPressesButton final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        auto* button = static_cast<QPushButton*>(watched);
        if (button->isEnabled()) button->click();
        return true;
    }
};

} // namespace

Qt::WindowFlags FixedDialogFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

QPushButton* AddButton(QWidget* dialog, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, dialog);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->installEventFilter(new EnterPressesButton(button));
    return button;
}

QLabel* AddLabel(QWidget* dialog, const QString& text, const char* objectName) {
    auto* label = new QLabel(text, dialog);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace fileopsui
