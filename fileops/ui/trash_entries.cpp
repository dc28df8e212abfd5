#include "trash_entries.h"

#include "display_text.h"
#include "failure_list.h"
#include "fileops_texts.h"
#include "message_box.h"
#include "paths.h"
#include "permanent_delete.h"
#include "transfer_texts.h"
#include "trash.h"

namespace fileopsui {
namespace {

bool ConfirmTrash(app::CommandHost& host, const std::vector<std::string>& names) {
    const QString text = names.size() == 1
                             ? QString(kTrashOneQuestion).arg(platform::DisplayText(names.front()))
                             : QString(kTrashManyQuestion).arg(names.size());
    host.state().MsgAnswer =
        platform::ShowMessage({host.hostWindow(), fileops::kConfirmCaption, text,
                               platform::MessageIcon::Question, platform::MessageButtons::YesNo});
    return host.state().MsgAnswer == platform::IDYES;
}

bool ConfirmDeleteForGood(app::CommandHost& host,
                          const std::vector<fileops::TrashFailure>& refused) {
    FailureList list;
    for (const auto& failure : refused)
        list.Add(failure.name, failure.reason);
    host.state().MsgAnswer = platform::ShowMessage(
        {host.hostWindow(), fileops::kWarningCaption,
         list.Text() + "\n\n" + fileops::kDeleteForGoodQuestion, platform::MessageIcon::Warning,
         platform::MessageButtons::YesNo, true});
    return host.state().MsgAnswer == platform::IDYES;
}

void DeleteForGood(app::CommandHost& host, const std::vector<fileops::TrashFailure>& refused) {
    FailureList failures;
    for (const auto& entry : refused) {
        const auto path = platform::JoinPath(host.state().CurrentDir, entry.name);
        for (const auto& failure : fileops::DeletePermanently(path))
            failures.Add(failure.path, failure.reason);
    }
    if (!failures.empty()) failures.Show(host.hostWindow(), kNotDeletedHeading);
}

} // namespace

bool TrashEntries(app::CommandHost& host, const std::vector<std::string>& names) {
    if (!ConfirmTrash(host, names)) return false;
    const auto refused = fileops::MoveEntriesToTrash(host.state().CurrentDir, names);
    if (!refused.empty() && ConfirmDeleteForGood(host, refused)) DeleteForGood(host, refused);
    return true;
}

} // namespace fileopsui
