#pragma once

#include "main_state.h"
#include "rename_rules.h"

#include <QDialog>
#include <array>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fileopsui {

// The new name of one entry: typed freely, or the old one with its
// half-width letters in upper case, lower case or capitalised. In the three
// case modes the text keeps its mode while the user types.
class RenameDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit RenameDialog(QWidget* parent);

    // Shows the dialog for the entry `oldName`, centred on the main window;
    // the new name on OK, nothing on cancel.
    std::optional<std::string> Ask(const std::string& oldName, const app::MainState& state);

    fileops::RenameMode mode() const { return m_mode; }
    QLineEdit* nameEdit() const { return m_edit; }
    QRadioButton* modeButton(fileops::RenameMode mode) const;
    QPushButton* okButton() const { return m_ok; }

  private:
    void FormShow(const std::string& oldName);
    void ChooseMode(fileops::RenameMode mode);
    // Rewrites the text in the form of the mode, the caret staying where it is.
    void KeepTextInMode();
    void Button1Click();

    QLabel* m_oldNameLabel;
    QLineEdit* m_edit;
    std::array<QRadioButton*, 4> m_modes{};
    QPushButton* m_ok;
    fileops::RenameMode m_mode = fileops::RenameMode::Rename;
    std::string m_oldName;
    std::string m_newName;
};

} // namespace fileopsui
