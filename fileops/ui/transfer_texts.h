#pragma once

// The texts of the delete, copy, move and new-folder windows, exactly as the
// user sees them (the shared ones are in fileops_texts.h).

namespace fileopsui {

inline constexpr const char* kCopyCaption = "ﾌｧｲﾙｺﾋﾟｰ";
inline constexpr const char* kMoveCaption = "ﾌｧｲﾙ移動";
inline constexpr const char* kNameListHeading = "選択ファイル一覧 (同一ﾌｫﾙﾀﾞｰには不可!!)";
inline constexpr const char* kCopyDestinationLabel = "ｺﾋﾟｰ先";
inline constexpr const char* kMoveDestinationLabel = "移動先";
// Followed by the current folder.
inline constexpr const char* kBrowseTitle = "現ﾃﾞｨﾚｸﾄﾘ ";
inline constexpr const char* kErrorCaption = "Tornwel";

// The question before an existing file is replaced: "%1" is its path, "%2"
// and "%3" describe it and the file that would replace it.
inline constexpr const char* kReplaceQuestion =
    "すでに%1が有ります。\n上書きしますか？\n\n上書きされるﾌｧｲﾙ: %2\n新しいﾌｧｲﾙ: %3";

// Our own confirmation before the trash: "%1" the name, or the number of entries.
inline constexpr const char* kTrashOneQuestion = "%1 をごみ箱に移動しますか？";
inline constexpr const char* kTrashManyQuestion = "これらの %1 個の項目をごみ箱に移動しますか？";

// Headings of the lists of what failed, one "path: reason" line each.
inline constexpr const char* kNotCopiedHeading = "ｺﾋﾟｰ出来なかったﾌｧｲﾙがあります。";
inline constexpr const char* kNotMovedHeading = "移動出来なかったﾌｧｲﾙがあります。";
inline constexpr const char* kNotDeletedHeading = "削除出来なかったﾌｧｲﾙがあります。";
// The last line of a list too long to show whole: "%1" more failures.
inline constexpr const char* kMoreFailures = "ほか %1 件";

// The progress window: files and bytes done of all.
inline constexpr const char* kFileCount = "ﾌｧｲﾙ %1 / %2";
inline constexpr const char* kByteCount = "ｻｲｽﾞ %1 / %2";
inline constexpr const char* kCancelButton = "ｷｬﾝｾﾙ";

} // namespace fileopsui
