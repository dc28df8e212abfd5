#include "main_window.h"

#include "collation.h"
#include "display_text.h"
#include "paths.h"
#include "tool_images.h"

#include <QTreeView>
#include <algorithm>
#include <dirent.h>
#include <memory>

namespace app {
namespace {

std::vector<filelist::FileRow> ReadEntries(const std::string& folder) {
    std::vector<filelist::FileRow> rows;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return rows;
    while (const dirent* entry = ::readdir(dir.get())) {
        filelist::FileRow row;
        row.name = entry->d_name;
        if (row.name == "." || row.name == "..") continue;
        row.caption = platform::DisplayText(row.name);
        const bool folderEntry = platform::IsFolder(platform::JoinPath(folder, row.name));
        row.kind = folderEntry ? filelist::FileRow::Kind::Folder : filelist::FileRow::Kind::File;
        row.icon = ToolImage(folderEntry ? kFolderImage : kFileImage);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

void MainWindow::RefreshFileList(bool, bool, bool) {
    std::vector<filelist::FileRow> rows = ReadEntries(m_state.CurrentDir);
    const auto& collation = platform::Collation();
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
        if (a.kind != b.kind) return a.kind == filelist::FileRow::Kind::Folder;
        return collation.Compare(a.caption, b.caption) < 0;
    });
    if (!platform::IsRootPath(m_state.CurrentDir)) {
        filelist::FileRow parent;
        parent.kind = filelist::FileRow::Kind::Parent;
        parent.name = "..";
        parent.caption = "..";
        parent.icon = ToolImage(kParentImage);
        rows.insert(rows.begin(), std::move(parent));
    }
    m_model->SetRows(std::move(rows));
    if (m_model->rowCount() > 0) SelectOnlyItem(0);
}

} // namespace app
