#include "pass_dialog.h"

#include "command_frame.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ncui {

PassDialog::PassDialog(app::CommandHost& host, const QString& caption, const char* objectName)
    : QDialog(host.hostWindow(), Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                     Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_host(host) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(true);
}

int PassDialog::ShowCentred() {
    m_closeAsked = false;
    PlaceOnMainWindow(*this, state());
    return exec();
}

void PassDialog::reject() {
    if (m_pass.running()) {
        m_closeAsked = true;
        return;
    }
    QDialog::reject();
}

std::optional<PassFailure> PassDialog::RunPass(QProgressBar* bar, const ConvertingPass::Work& work,
                                               const std::function<void()>& tick) {
    return m_pass.Run(bar, work, tick);
}

void PassDialog::CloseIfAsked() {
    if (m_closeAsked) QDialog::reject();
}

QPushButton* PassDialog::AddButton(const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->installEventFilter(this);
    return button;
}

// Enter presses the button that has the focus, as Space does.
bool PassDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (button->isEnabled()) button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QHBoxLayout* PassDialog::ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    return row;
}

QVBoxLayout* PassDialog::FixedLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return layout;
}

QProgressBar* PassDialog::AddProgressBar() {
    auto* bar = new QProgressBar(this);
    bar->setObjectName("ProgressBar1");
    bar->setTextVisible(false);
    bar->setAccessibleName("進行状況");
    return bar;
}

void PassDialog::TieOkToBox(QComboBox& box, QPushButton& ok, const std::function<void()>& click) {
    connect(&box, &QComboBox::editTextChanged, &ok,
            [&ok](const QString& text) { ok.setEnabled(!text.isEmpty()); });
    connect(box.lineEdit(), &QLineEdit::returnPressed, this, [&box, &ok, click] {
        if (!box.currentText().isEmpty() && ok.isEnabled()) click();
    });
    connect(&ok, &QPushButton::clicked, this, click);
}

} // namespace ncui
