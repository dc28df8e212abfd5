#include "pass_dialog.h"

#include "command_frame.h"

#include <QPushButton>

namespace ncui {

PassDialog::PassDialog(CommandHost& host, const QString& caption, const char* objectName)
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
    return button;
}

} // namespace ncui
