// RefreshFileList: the folder into the list, the status labels and the focus.

#include "main_window.h"

#include "display_text.h"
#include "file_mask.h"
#include "file_sorting.h"
#include "folder_watcher.h"
#include "free_space.h"
#include "message_box.h"
#include "name_filter.h"
#include "path_mask_boxes.h"
#include "paths.h"

#include <QComboBox>
#include <QLabel>
#include <QTreeView>
#include <cstring>

namespace app {
namespace {

using filelist::FileRow;

constexpr const char* kAllFiles = "*.*";

int SortKindOf(const std::string& sortKey, int current) {
    static const std::string keys = "NSTDA";
    if (sortKey.size() != 1 || keys.find(sortKey[0]) == std::string::npos) return current;
    return static_cast<int>(keys.find(sortKey[0])) + 1;
}

QString SortLabelText(int sortKind, const std::string& sortDirection) {
    static const char* const names[] = {" 名前", " サイズ", " 種類", " 更新日時", " 属性"};
    QString text = "ソートタイプ：";
    if (sortKind >= 1 && sortKind <= 5) text += names[sortKind - 1];
    return text + (sortDirection == "D" ? "   向き： 降順" : "   向き： 昇順");
}

QString FreeSpaceOf(const std::string& folder) {
    const auto bytes = filelist::FreeBytes(folder);
    return bytes ? QString::fromStdString(filelist::FreeSpaceText(*bytes)) : QString();
}

FileRow ParentRow() {
    FileRow row;
    row.kind = FileRow::Kind::Parent;
    row.name = "..";
    row.caption = "..";
    return row;
}

} // namespace

void MainWindow::RefreshFileList(bool KeepFilter, bool KeepPosition, bool ResortOnly) {
    std::vector<FileRow> files;
    if (ResortOnly) {
        RememberKeptCaption(KeepPosition);
        files = m_model->TakeRows();
        files.erase(files.begin(),
                    files.begin() + std::min<std::size_t>(m_state.FolderCount, files.size()));
        FinishListing(std::move(files), false, KeepPosition);
        return;
    }
    m_state.CurrentDir = platform::WithoutTrailingSeparator(m_state.CurrentDir);
    if (!KeepFilter) m_state.FilterName = platform::JoinPath(m_state.CurrentDir, kAllFiles);
    RememberKeptCaption(KeepPosition);
    // Watched before it is read, so that no change between the two is missed.
    const std::string watched = m_state.CurrentDir;
    m_watcher->Watch(watched);
    std::vector<filelist::FolderEntry> entries;
    const bool listed = ReadListedFolder(entries);
    if (m_state.CurrentDir != watched) m_watcher->Watch(m_state.CurrentDir);
    if (!listed) return;
    m_model->SetRows({});
    m_folderRows.clear();
    if (m_state.CurrentDir.empty()) return;
    FillRows(std::move(entries), files);
    FinishListing(std::move(files), true, KeepPosition);
}

void MainWindow::RememberKeptCaption(bool keepPosition) {
    m_state.KeptCaption.clear();
    if (!keepPosition) return;
    const auto selected = m_fileList->selectionModel()->selectedRows();
    if (selected.isEmpty()) return;
    int first = selected.first().row();
    for (const auto& index : selected)
        first = std::min(first, index.row());
    m_state.KeptCaption = m_model->Row(first).name;
}

// Reads the folder of FilterName. A folder that cannot be read is reported and
// the previous folder comes back (listed without entries); a filter that
// matches nothing empties the list. Returns false when the listing ends there.
bool MainWindow::ReadListedFolder(std::vector<filelist::FolderEntry>& entries) {
    const auto [folder, pattern] = platform::SplitPath(m_state.FilterName);
    const int error = filelist::ReadFolder(folder, entries);
    if (error != 0) {
        platform::ShowMessage({this, "Tornwel", QString::fromLocal8Bit(std::strerror(error)),
                               platform::MessageIcon::None, platform::MessageButtons::Ok, false});
        entries.clear();
        m_state.CurrentDir = m_listedDir;
        if (!m_state.CurrentDir.empty()) {
            m_boxes->ShowPath(m_state.CurrentDir);
            m_boxes->PushPathHistory();
        }
        return true;
    }
    if (pattern != kAllFiles) {
        const fileops::FilterPattern filter(pattern);
        std::erase_if(entries, [&](const auto& entry) { return !filter.Matches(entry.name); });
    }
    if (entries.empty() && pattern != kAllFiles) {
        ShowNothingMatches();
        return false;
    }
    m_listedDir = m_state.CurrentDir;
    return true;
}

void MainWindow::ShowNothingMatches() {
    m_model->SetRows({});
    m_folderRows.clear();
    m_state.FileCount = 0;
    m_state.FolderCount = 0;
    m_pathLabel->setText(platform::DisplayText(m_state.FilterName));
    m_countLabel->setText("0 files " + FreeSpaceOf(m_state.CurrentDir));
    emit FileListRefreshed();
}

void MainWindow::FillRows(std::vector<filelist::FolderEntry>&& entries,
                          std::vector<FileRow>& files) {
    m_state.FileCount = 0;
    m_state.FolderCount = 0;
    const filelist::FileMask mask(m_state.FileMask);
    m_state.MaskParts = {};
    for (std::size_t i = 0; i < std::min<std::size_t>(mask.parts().size(), 5); ++i) {
        m_state.MaskParts[i] = mask.parts()[i];
    }
    // Room for the folders and ".." too: they go in front of the files later.
    files.reserve(entries.size() + 1);
    for (auto& entry : entries) {
        FileRow row;
        row.caption = platform::DisplayText(entry.name);
        row.name = std::move(entry.name);
        row.modified = entry.modified;
        row.attributes = entry.attributes;
        if (entry.folder) {
            row.kind = FileRow::Kind::Folder;
            m_folderRows.push_back(std::move(row));
            ++m_state.FolderCount;
            continue;
        }
        if (!mask.Passes(row.name)) continue;
        row.size = entry.size;
        row.type = m_types.FileTypeName(row.name, entry.program);
        files.push_back(std::move(row));
        ++m_state.FileCount;
    }
    entries = {}; // the entries are rows now: free them before sorting
    filelist::SortByName(m_folderRows);
    m_state.TypeTableLast = m_types.TypeTableLast();
}

// The common tail: sort the files, put the folders and ".." back in front,
// write the labels and focus a row.
void MainWindow::FinishListing(std::vector<FileRow> files, bool fullListing, bool keepPosition) {
    m_state.SortKind = SortKindOf(m_state.SortKey, m_state.SortKind);
    filelist::SortFileRows(files, m_state.SortKind, m_state.SortDirection == "D", *m_model);
    // ".." and the folders go in front, in the files' own storage.
    const bool parentRow = !platform::IsRootPath(m_state.CurrentDir);
    files.insert(files.begin(), m_folderRows.begin(), m_folderRows.end());
    if (parentRow) files.insert(files.begin(), ParentRow());
    if (parentRow && fullListing) ++m_state.FolderCount;
    m_model->SetRows(std::move(files));
    WriteStatusLabels();
    FocusAfterListing(keepPosition);
    emit FileListRefreshed();
}

void MainWindow::WriteStatusLabels() {
    const std::string& folder = m_state.CurrentDir;
    m_pathLabel->setText(platform::DisplayText(platform::JoinPath(folder, m_state.FileMask)));
    const int folders =
        platform::IsRootPath(folder) ? m_state.FolderCount : m_state.FolderCount - 1;
    m_countLabel->setText(QString("%1 Files ( +%2 Folder) %3")
                              .arg(m_state.FileCount)
                              .arg(folders)
                              .arg(FreeSpaceOf(folder)));
    m_sortLabel->setText(SortLabelText(m_state.SortKind, m_state.SortDirection));
}

void MainWindow::FocusAfterListing(bool keepPosition) {
    int target = -1;
    if (keepPosition && !m_state.KeptCaption.empty())
        target = m_model->FindName(m_state.KeptCaption);
    if (target < 0 && m_state.FileCount != 0) target = m_state.FolderCount;
    if (target < 0 && m_state.FolderCount > 0) target = 0;
    if (target >= 0) SelectOnlyItem(target);
}

} // namespace app
