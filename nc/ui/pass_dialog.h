#pragma once

#include "command_host.h"
#include "converting_pass.h"

#include <QDialog>

class QPushButton;

namespace ncui {

// A command dialog: fixed size, only a close box, centred on the main window
// when shown, and never closed in the middle of its pass: a close asked for
// then (Cancel, Esc, the close box) happens once the pass has ended.
class PassDialog : public QDialog {
    Q_OBJECT

  public:
    void reject() override;

  protected:
    PassDialog(CommandHost& host, const QString& caption, const char* objectName);

    // Shows the dialog modally over the main window.
    int ShowCentred();
    std::optional<PassFailure> RunPass(QProgressBar* bar, const ConvertingPass::Work& work,
                                       const std::function<void()>& tick = {});
    // After a failed pass: closes when a close was asked for during it.
    void CloseIfAsked();
    bool passRunning() const { return m_pass.running(); }
    CommandHost& host() { return m_host; }
    app::MainState& state() { return m_host.state(); }

    // A push button that Enter does not press: Enter is the boxes' own key.
    QPushButton* AddButton(const QString& text, const char* objectName);

  private:
    CommandHost& m_host;
    ConvertingPass m_pass;
    bool m_closeAsked = false;
};

} // namespace ncui
