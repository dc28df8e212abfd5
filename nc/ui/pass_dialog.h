#pragma once

#include "command_host.h"
#include "converting_pass.h"

#include <QDialog>
#include <initializer_list>

class QComboBox;
class QHBoxLayout;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace ncui {

// A command dialog: fixed size, only a close box, centred on the main window
// when shown, and never closed in the middle of its pass: a close asked for
// then (Cancel, Esc, the close box) happens once the pass has ended.
class PassDialog : public QDialog {
    Q_OBJECT

  public:
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  protected:
    PassDialog(app::CommandHost& host, const QString& caption, const char* objectName);

    // Shows the dialog modally over the main window.
    int ShowCentred();
    std::optional<PassFailure> RunPass(QProgressBar* bar, const ConvertingPass::Work& work,
                                       const std::function<void()>& tick = {});
    // After a failed pass: closes when a close was asked for during it.
    void CloseIfAsked();
    bool passRunning() const { return m_pass.running(); }
    app::CommandHost& host() { return m_host; }
    app::MainState& state() { return m_host.state(); }

    // A push button that Enter does not press: Enter is the boxes' own key.
    QPushButton* AddButton(const QString& text, const char* objectName);
    // The buttons at the right of a row.
    static QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
    // The dialog's layout, which keeps it at its natural size.
    QVBoxLayout* FixedLayout();
    QProgressBar* AddProgressBar();
    // OK is enabled exactly while the box holds text; Enter there is OK.
    void TieOkToBox(QComboBox& box, QPushButton& ok, const std::function<void()>& click);

  private:
    app::CommandHost& m_host;
    ConvertingPass m_pass;
    bool m_closeAsked = false;
};

} // namespace ncui
