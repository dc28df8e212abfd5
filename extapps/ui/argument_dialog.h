#pragma once

#include "external_command.h"
#include "launch_request.h"
#include "main_state.h"

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace extapps {

// Asks for the argument text of a command before it starts: the command's
// name and text above, the argument box with the offered text below.
class ArgumentDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit ArgumentDialog(QWidget* parent);

    // Shows the dialog modally over the main window's remembered place. OK
    // (or Enter in the box) gives what to start: the command with every
    // placeholder standing for the confirmed text, or the program alone when
    // the box is empty. Nothing on cancel.
    std::optional<LaunchRequest> Ask(const ArgumentsWanted& wanted, const app::MainState& state);

    QLabel* nameLabel() const { return m_nameLabel; }
    QLabel* commandLabel() const { return m_commandLabel; }
    QLineEdit* argumentEdit() const { return m_argumentEdit; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

  private:
    QLabel* m_nameLabel;
    QLabel* m_commandLabel;
    QLineEdit* m_argumentEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    std::string m_command; // the bytes behind the command label
};

} // namespace extapps
