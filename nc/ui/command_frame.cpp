#include "command_frame.h"

#include "display_text.h"
#include "file_form.h"
#include "file_list_model.h"
#include "message_box.h"
#include "nc_error.h"
#include "paths.h"

#include <QDialog>

namespace ncui {
namespace {

constexpr const char* kSeveralFilesMessage = "ﾌｧｲﾙを選択して下さい。\n(複数のﾌｧｲﾙ選択は不可です。)";
constexpr const char* kFolderMessage = "ﾌｧｲﾙを選択して下さい。\n(ﾌｫﾙﾀﾞ選択は不可です。)";
constexpr const char* kJoinTooFewMessage =
    "ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）を選択して下さい。\nﾌｧｲﾙを２つ以上選択してください。";
constexpr const char* kJoinFolderMessage =
    "ﾌｫﾙﾀﾞが選択されています。\nﾌｫﾙﾀﾞは不可ですので中止します。";

void Refuse(app::CommandHost& host, const char* text) {
    host.state().MsgAnswer = platform::ShowStop(host.hostWindow(), kConfirmCaption, text);
}

bool RowIsFolder(app::CommandHost& host, const filelist::FileRow& row) {
    return platform::IsFolder(platform::JoinPath(host.state().CurrentDir, row.name));
}

} // namespace

bool CheckSingleFileSelection(app::CommandHost& host) {
    const auto rows = host.SelectedRows();
    if (rows.size() != 1) {
        Refuse(host, kSeveralFilesMessage);
        return false;
    }
    host.state().SelectedName = rows.front()->name;
    if (RowIsFolder(host, *rows.front())) {
        Refuse(host, kFolderMessage);
        return false;
    }
    return true;
}

std::optional<std::vector<std::string>> CheckJoinSelection(app::CommandHost& host) {
    const auto rows = host.SelectedRows();
    if (rows.size() < 2) {
        Refuse(host, kJoinTooFewMessage);
        return std::nullopt;
    }
    std::vector<std::string> names;
    bool folderMet = false;
    for (const auto* row : rows) {
        if (!folderMet && RowIsFolder(host, *row)) {
            folderMet = true;
            Refuse(host, kJoinFolderMessage);
        }
        names.push_back(row->name);
    }
    host.RememberWindowRect();
    if (folderMet) return std::nullopt;
    return names;
}

std::optional<bool> AskFileForm(app::CommandHost& host, QWidget* owner, const std::string& path) {
    const auto empty = TextIsEmpty(path);
    if (!empty) {
        ShowCommandError(owner, platform::DisplayText(nc::CannotOpenMessage(path)));
        return std::nullopt;
    }
    if (!*empty) return true;
    host.state().MsgAnswer = platform::AskWarningYesNo(owner, nc::kFileFormQuestion);
    return host.state().MsgAnswer == platform::IDYES;
}

void PlaceOnMainWindow(QDialog& dialog, const app::MainState& state) {
    const auto& [left, top, width, height] = state.WindowRect;
    dialog.adjustSize();
    dialog.move(left + width / 2 - dialog.width() / 2, top + height / 2 - dialog.height() / 2);
}

void ShowCommandError(QWidget* owner, const QString& text) {
    platform::ShowStop(owner, kErrorCaption, text);
}

int ShowCompletion(app::CommandHost& host, QWidget* owner, const QString& text) {
    host.state().MsgAnswer = platform::ShowInformation(owner, kDoneCaption, text);
    return host.state().MsgAnswer;
}

std::string TypedBytes(const QString& text) {
    return text.toStdString();
}

} // namespace ncui
