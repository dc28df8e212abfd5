#include "conflict_question.h"

#include "display_text.h"
#include "file_list_model.h"
#include "fileops_texts.h"
#include "local_time.h"
#include "message_box.h"
#include "transfer_texts.h"

namespace fileopsui {
namespace {

QString Description(std::uint64_t size, std::time_t modified) {
    return filelist::SizeText(size) + "  " +
           QString::fromStdString(platform::FormatLocalTime(modified));
}

} // namespace

fileops::ConflictAnswer AskReplace(QWidget* owner, const fileops::Conflict& conflict) {
    const QString text = QString(kReplaceQuestion)
                             .arg(platform::DisplayText(conflict.target),
                                  Description(conflict.targetSize, conflict.targetModified),
                                  Description(conflict.sourceSize, conflict.sourceModified));
    switch (platform::ShowMessage({owner, fileops::kWarningCaption, text,
                                   platform::MessageIcon::Warning,
                                   platform::MessageButtons::YesNoAllCancel, true})) {
    case platform::IDYES:
        return fileops::ConflictAnswer::Yes;
    case platform::IDNO:
        return fileops::ConflictAnswer::No;
    case platform::IDYESTOALL:
        return fileops::ConflictAnswer::YesToAll;
    default:
        return fileops::ConflictAnswer::Cancel;
    }
}

} // namespace fileopsui
