#pragma once

#include "history_combo.h"
#include "nc_commands.h"
#include "pass_dialog.h"

#include <mutex>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace ncui {

// Writes each program of the selected file into a file of its own, in a
// destination folder with its history, with four options kept in a file.
class SplitDialog final : public PassDialog {
    Q_OBJECT

  public:
    explicit SplitDialog(app::CommandHost& host);

    // The start of the command empties the list of found programs.
    void ClearFoundPrograms();
    void Open(bool readPieces);
    void done(int result) override;

    QComboBox* destinationBox() const { return m_destinationBox; }
    QListWidget* programList() const { return m_programList; }
    QPushButton* okButton() const { return m_okButton; }
    QProgressBar* progressBar() const { return m_progressBar; }

  private:
    void BuildOptionMenu();
    void ShowOptions();
    void Button1Click();
    void Button3Click();
    // The folder to write into, or nothing when the user declined to create it.
    std::optional<std::string> Destination();
    void RunSplit(const std::string& destination, bool create);
    void ShowFoundPrograms();

    QLabel* m_sourceLabel;
    QListWidget* m_programList;
    QComboBox* m_destinationBox;
    filelist::HistoryCombo m_history;
    QPushButton* m_okButton;
    QProgressBar* m_progressBar;
    QAction* m_optionItems[4] = {};
    nc::SplitOptions m_options;
    bool m_readPieces = true;

    std::mutex m_foundMutex; // guards m_found, filled by the split's thread
    std::vector<std::string> m_found;
};

} // namespace ncui
