#include "transfer_commands.h"

#include "copy_move_dialog.h"
#include "display_text.h"
#include "file_list_model.h"
#include "fileops_texts.h"
#include "message_box.h"
#include "new_folder.h"
#include "paths.h"
#include "system_reason.h"
#include "transfer_texts.h"
#include "trash_entries.h"

#include <QTreeView>
#include <ctime>

namespace fileopsui {

TransferCommands::TransferCommands(app::CommandHost& host, QObject* parent)
    : QObject(parent), m_host(host) {}

TransferCommands::~TransferCommands() = default;

std::optional<std::vector<std::string>> TransferCommands::SelectedNames() {
    const auto rows = m_host.SelectedRows();
    if (rows.empty()) {
        m_host.state().MsgAnswer = platform::ShowStop(m_host.hostWindow(), fileops::kConfirmCaption,
                                                      fileops::kSelectEntryMessage);
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (const auto* row : rows) {
        if (row->kind != filelist::FileRow::Kind::Parent) names.push_back(row->name);
    }
    return names;
}

void TransferCommands::tlbtnDelClick() {
    const auto names = SelectedNames();
    if (!names || names->empty()) return;
    if (!TrashEntries(m_host, *names)) return;
    m_host.RefreshFileList(false, true, false);
}

void TransferCommands::tlbtnCopyClick() {
    OpenCopyMoveDialog(false);
}

void TransferCommands::tlbtnMoveClick() {
    OpenCopyMoveDialog(true);
}

void TransferCommands::OpenCopyMoveDialog(bool move) {
    const auto names = SelectedNames();
    if (!names) return;
    m_host.state().MoveMode = move;
    if (names->empty()) return;
    if (!m_copyMoveDialog) m_copyMoveDialog = std::make_unique<CopyMoveDialog>(m_host);
    m_host.RememberWindowRect();
    m_copyMoveDialog->Open(*names);
}

// The folder is made under the first free name and its row appended at the
// end of the list, where the user types its final name in place.
void TransferCommands::tlbtnNewFdClick() {
    app::MainState& state = m_host.state();
    const fileops::NewFolderResult made = fileops::CreateNewFolder(state.CurrentDir);
    if (made.name.empty()) {
        state.MsgAnswer =
            platform::ShowStop(m_host.hostWindow(), kErrorCaption,
                               fileops::kNewFolderFailedMessage +
                                   platform::DisplayText(fileops::SystemReason(made.error)));
        return;
    }
    state.OutputName = platform::JoinPath(state.CurrentDir, made.name);
    filelist::FileRow row;
    row.name = made.name;
    row.caption = platform::DisplayText(made.name);
    row.kind = filelist::FileRow::Kind::Folder;
    row.modified = std::time(nullptr);
    filelist::FileListModel& model = *m_host.fileModel();
    model.AppendRow(std::move(row));
    const int last = model.rowCount() - 1;
    m_host.SelectOnlyItem(last);
    m_host.fileList()->edit(model.index(last, filelist::NameColumn));
}

} // namespace fileopsui
