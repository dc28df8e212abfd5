#include "navigation.h"

#include "desktop_open.h"
#include "display_text.h"
#include "folder_browser.h"
#include "list_keys.h"
#include "main_window.h"
#include "path_mask_boxes.h"
#include "paths.h"

#include "volume_list.h"

#include <QAction>
#include <QMenu>
#include <QTreeView>

namespace app {
namespace {

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

} // namespace

Navigation::Navigation(MainWindow& window)
    : QObject(&window), m_window(window), m_volumeMenu(new QMenu(&window)) {
    m_volumeMenu->setObjectName("PopupMenu1");
    connect(window.fileList(), &QAbstractItemView::doubleClicked, this,
            &Navigation::OpenSelectedRow);
    for (const auto& [name, slot] :
         {std::pair{"tlbtnUpOneLevel", &Navigation::tlbtnUpOneLevelClick},
          std::pair{"tlbtnBrowse", &Navigation::tlbtnBrowseClick}}) {
        auto* action = window.findChild<QAction*>(name);
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, slot);
    }
}

void Navigation::BindKeys(ListKeys& keys) {
    keys.Bind(13, [this] { OpenSelectedRow(); });
    keys.Bind(8, [this] { ParentFolderStep(); });
    keys.Bind(' ', [this] { m_window.RefreshFileList(false, true, false); });
    keys.Bind(27, [this] { m_window.close(); });
    keys.Bind('L', [this] { ShowVolumeMenu(); });
    keys.BindRelease(Qt::Key_Left, [this] { ParentFolderStep(); });
    keys.BindRelease(Qt::Key_Right, [this] { EnterSelectedFolder(); });
}

const std::string* Navigation::FirstSelectedName() const {
    const auto rows = m_window.SelectedRows();
    return rows.empty() ? nullptr : &rows.front()->name;
}

void Navigation::OpenSelectedRow() {
    const std::string* name = FirstSelectedName();
    if (!name) return;
    if (*name == "..") {
        ParentFolderStep();
        return;
    }
    MainState& state = m_window.state();
    state.EntryPath = platform::JoinPath(state.CurrentDir, *name);
    if (platform::IsFolder(state.EntryPath)) {
        ListFolder(state.EntryPath);
    } else {
        platform::OpenWithDesktop(state.EntryPath);
    }
}

void Navigation::EnterSelectedFolder() {
    const std::string* name = FirstSelectedName();
    if (!name || *name == "..") return;
    MainState& state = m_window.state();
    state.EntryPath = platform::JoinPath(state.CurrentDir, *name);
    if (platform::IsFolder(state.EntryPath)) ListFolder(state.EntryPath);
}

void Navigation::ParentFolderStep() {
    MainState& state = m_window.state();
    if (platform::IsRootPath(state.CurrentDir) || state.CurrentDir.empty()) return;
    state.WorkPath = state.CurrentDir;
    const auto [parent, name] = platform::SplitPath(state.CurrentDir);
    ListFolder(parent);
    SelectFolderLeft(name);
}

// The folder just left, by its exact name, else by a name that differs only in
// the case of a-z (the path may have been typed in another case).
void Navigation::SelectFolderLeft(const std::string& name) {
    const auto& rows = m_window.fileModel()->Rows();
    const int folders = std::min<int>(m_window.state().FolderCount, static_cast<int>(rows.size()));
    int found = -1;
    for (int row = 0; row < folders && found < 0; ++row) {
        if (rows[static_cast<std::size_t>(row)].name == name) found = row;
    }
    for (int row = 0; row < folders && found < 0; ++row) {
        if (EqualIgnoringAsciiCase(rows[static_cast<std::size_t>(row)].name, name)) found = row;
    }
    if (found >= 0) m_window.SelectOnlyItem(found);
}

void Navigation::tlbtnUpOneLevelClick() {
    ParentFolderStep();
}

void Navigation::tlbtnBrowseClick() {
    const std::string& current = m_window.state().CurrentDir;
    const std::string chosen = platform::BrowseForFolder(
        &m_window, "現ﾃﾞｨﾚｸﾄﾘ " + platform::DisplayText(current), current);
    if (!chosen.empty()) ListFolder(chosen);
}

void Navigation::ShowVolumeMenu() {
    m_volumeMenu->clear();
    for (const filelist::Volume& volume : filelist::MountedVolumes()) {
        QAction* item = m_volumeMenu->addAction(QIcon::fromTheme(volume.iconName.c_str()),
                                                QString::fromStdString(volume.caption));
        connect(item, &QAction::triggered, this,
                [this, folder = volume.mountPoint] { ListFolder(folder); });
    }
    const QRect frame = m_window.frameGeometry();
    m_volumeMenu->popup(QPoint(frame.left() + 30,
                               frame.top() + frame.height() - m_window.fileList()->height() / 2));
}

void Navigation::ListFolder(const std::string& folder) {
    m_window.state().CurrentDir = folder;
    m_window.boxes().ShowPath(folder);
    m_window.boxes().PushPathHistory();
    m_window.RefreshFileList(false, false, false);
}

} // namespace app
