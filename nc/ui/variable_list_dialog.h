#pragma once

#include "nc_commands.h"
#include "pass_dialog.h"

#include <array>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace ncui {

// The macro variables of the selected file in four tabs, saved on request as
// a list file beside it.
class VariableListDialog final : public PassDialog {
    Q_OBJECT

  public:
    static constexpr int kKinds = 4;

    explicit VariableListDialog(app::CommandHost& host);

    // The start of the command empties the four lists.
    void ClearLists();
    void Open(bool readPieces);

    QTabWidget* tabs() const { return m_tabs; }
    QListWidget* list(int kind) const { return m_lists[static_cast<std::size_t>(kind)]; }
    QLabel* countLabel(int kind) const { return m_counts[static_cast<std::size_t>(kind)]; }
    QPushButton* makeButton() const { return m_makeButton; }
    QPushButton* saveButton() const { return m_saveButton; }

  private:
    void Button1Click();
    void Button3Click();
    void ShowList();
    void ShowCounts();

    QLabel* m_sourceLabel;
    QTabWidget* m_tabs;
    std::array<QListWidget*, kKinds> m_lists{};
    std::array<QLabel*, kKinds> m_counts{};
    QPushButton* m_makeButton;
    QPushButton* m_saveButton;
    QPushButton* m_cancelButton;
    QProgressBar* m_progressBar;
    nc::VariableList m_variables;
    bool m_readPieces = true;
};

} // namespace ncui
