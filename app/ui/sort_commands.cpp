#include "sort_commands.h"

#include "main_window.h"
#include "sort_dialog.h"

#include <QAction>
#include <QHeaderView>
#include <QTreeView>

namespace app {
namespace {

// The key of each column of the list, left to right.
constexpr const char* kColumnKeys = "NSTDA";

} // namespace

SortCommands::SortCommands(MainWindow& window) : QObject(&window), m_window(window) {
    QHeaderView* header = window.fileList()->header();
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &SortCommands::ListView1ColumnClick);
    auto* menuItem = window.findChild<QAction*>("Popup_sort");
    menuItem->setEnabled(true);
    connect(menuItem, &QAction::triggered, this, &SortCommands::OpenSortDialog);
}

void SortCommands::ListView1ColumnClick(int column) {
    if (column < 0 || column >= 5) return;
    MainState& state = m_window.state();
    const std::string key(1, kColumnKeys[column]);
    if (key == state.SortKey) state.SortDirection = state.SortDirection == "D" ? "U" : "D";
    state.SortKey = key;
    m_window.RefreshFileList(false, true, true);
}

void SortCommands::OpenSortDialog() {
    if (!m_dialog) m_dialog = new filelist::SortDialog(&m_window);
    m_window.RememberWindowRect();
    MainState& state = m_window.state();
    if (m_dialog->Choose(state.SortKey, state.SortDirection, state.WindowRect)) {
        m_window.RefreshFileList(false, true, true);
    }
}

} // namespace app
