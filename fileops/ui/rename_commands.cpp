#include "rename_commands.h"

#include "display_text.h"
#include "entry_rename.h"
#include "file_information.h"
#include "file_list_model.h"
#include "fileops_texts.h"
#include "group_rename_dialog.h"
#include "message_box.h"
#include "name_edit_delegate.h"
#include "paths.h"
#include "rename_dialog.h"
#include "typed_name.h"

#include <QTimer>
#include <QTreeView>

namespace fileopsui {

using filelist::FileRow;

RenameCommands::RenameCommands(app::CommandHost& host, filelist::TypeTable& types, QObject* parent)
    : QObject(parent), m_host(host), m_types(types) {
    QTreeView* list = host.fileList();
    auto* delegate =
        new NameEditDelegate({[this](int) { ListView1Editing(); },
                              [this](int row, const QString& text) { ListView1Edited(row, text); }},
                             list);
    list->setItemDelegateForColumn(filelist::NameColumn, delegate);
    // A double click opens the row; a click on the name of the selected row edits it.
    list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

RenameCommands::~RenameCommands() = default;

void RenameCommands::ListView1Editing() {
    m_host.state().InPlaceEditing = true;
}

void RenameCommands::ListView1Edited(int row, const QString& text) {
    app::MainState& state = m_host.state();
    const FileRow& edited = m_host.fileModel()->Row(row);
    if (edited.kind == FileRow::Kind::Parent) {
        state.InPlaceEditing = false;
        return;
    }
    state.SelectedName = edited.name;
    const std::string newName = NameForText(text, edited.name);
    state.OutputName = platform::JoinPath(state.CurrentDir, newName);
    const auto result = fileops::RenameInPlace(state.CurrentDir, state.SelectedName, newName);
    if (result.outcome == fileops::InPlaceOutcome::FolderExists) {
        // Shown once the edit has ended: the list's editor is still being
        // closed while this runs.
        QTimer::singleShot(0, this, [this] {
            m_host.state().MsgAnswer = platform::ShowStop(
                m_host.hostWindow(), fileops::kConfirmCaption, fileops::kNameExistsMessage);
        });
    } else if (result.rename.outcome == fileops::RenameOutcome::Renamed) {
        ShowRenamed(row, newName);
    }
    state.InPlaceEditing = false;
}

void RenameCommands::NameChgClick() {
    const auto rows = m_host.SelectedRows();
    if (rows.empty()) {
        m_host.state().MsgAnswer = platform::ShowStop(m_host.hostWindow(), fileops::kConfirmCaption,
                                                      fileops::kSelectEntryMessage);
        return;
    }
    if (rows.size() == 1) {
        RenameSelectedRow(rows.front()->name);
        return;
    }
    // Names, not rows: the list may be read again while a dialog is open.
    std::vector<std::string> names;
    for (const FileRow* row : rows)
        names.push_back(row->name);
    RenameRows(names);
}

void RenameCommands::RenameSelectedRow(const std::string& name) {
    m_host.state().SelectedName = name;
    if (name == "..") return;
    const auto newName = AskNewName(name);
    if (!newName) return;
    const std::string& folder = m_host.state().CurrentDir;
    if (fileops::RenameEntry(folder, name, *newName).outcome != fileops::RenameOutcome::Renamed)
        return;
    const int row = m_host.fileModel()->FindName(name);
    if (row >= 0) ShowRenamed(row, *newName);
}

void RenameCommands::RenameRows(const std::vector<std::string>& names) {
    m_host.RememberWindowRect();
    if (!m_groupDialog) m_groupDialog = std::make_unique<GroupRenameDialog>(m_host.hostWindow());
    const auto kind = m_groupDialog->Ask(m_host.state());
    if (!kind) return;
    for (const std::string& name : names) {
        m_host.state().SelectedName = name;
        if (name == "..") continue;
        const auto newName = *kind == fileops::GroupRenameKind::EachInTurn
                                 ? AskNewName(name)
                                 : fileops::GroupRenamedName(*kind, name);
        // A name that cannot be given is passed over; the others go on.
        if (newName) fileops::RenameEntry(m_host.state().CurrentDir, name, *newName);
    }
    m_host.RefreshFileList(false, false, false);
}

std::optional<std::string> RenameCommands::AskNewName(const std::string& oldName) {
    m_host.RememberWindowRect();
    if (!m_renameDialog) m_renameDialog = std::make_unique<RenameDialog>(m_host.hostWindow());
    return m_renameDialog->Ask(oldName, m_host.state());
}

void RenameCommands::ShowRenamed(int row, const std::string& newName) {
    filelist::FileListModel& model = *m_host.fileModel();
    FileRow renamed = model.Row(row);
    renamed.name = newName;
    renamed.caption = platform::DisplayText(newName);
    if (renamed.kind == FileRow::Kind::File) {
        int error = 0;
        const auto entry = fileops::ReadFileInformation(
            platform::JoinPath(m_host.state().CurrentDir, newName), error);
        if (entry && !entry->folder) renamed.type = m_types.FileTypeName(newName, entry->program);
        m_host.state().TypeTableLast = m_types.TypeTableLast();
    }
    model.ReplaceRow(row, std::move(renamed));
}

} // namespace fileopsui
