#pragma once

#include "copy_engine.h"
#include "history_combo.h"
#include "pass_dialog.h"

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace fileopsui {

// The copy and move dialog: the names to transfer, the destination folder
// with its history "PATH.LST" (shared with the split dialog) and a folder
// chooser. MoveMode tells the two commands apart. OK checks the destination,
// runs the transfer with its progress window and closes; a refused
// destination keeps the dialog open.
class CopyMoveDialog final : public ncui::PassDialog {
    Q_OBJECT

  public:
    explicit CopyMoveDialog(app::CommandHost& host);

    // Shows the dialog modally for these names of the current folder.
    void Open(const std::vector<std::string>& names);
    // Every close saves the destination history.
    void done(int result) override;

    QListWidget* nameList() const { return m_nameList; }
    QComboBox* destinationBox() const { return m_destinationBox; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* browseButton() const { return m_browseButton; }

  private:
    void FormShow();
    void Button1Click();
    void Button3Click();
    // The box's text as bytes: a history entry keeps its own bytes.
    std::string BoxBytes() const;
    // The checked destination folder; nothing when it was refused.
    std::optional<std::string> Destination();
    bool CreateDestination(const std::string& folder);
    void RunTransfer(const std::string& destination);

    QLabel* m_nameHeading;
    QListWidget* m_nameList;
    QLabel* m_destinationLabel;
    QComboBox* m_destinationBox;
    filelist::HistoryCombo m_history;
    QPushButton* m_browseButton;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    std::vector<std::string> m_names;
    std::string m_chosenFolder; // the last folder from the chooser, as bytes
};

} // namespace fileopsui
