#pragma once

// The messages of the file operations, exactly as the user sees them.

namespace fileops {

inline constexpr const char* kConfirmCaption = "確認";
inline constexpr const char* kWarningCaption = "警告";
inline constexpr const char* kDoneCaption = "完了";

// Delete, copy, move, rename.
inline constexpr const char* kSelectEntryMessage = "ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）を選択して下さい。";
inline constexpr const char* kCreateFolderQuestion =
    "ディレクトリが見つかりません。ディレクトリを作成しますか？";
// Follows the current folder's path.
inline constexpr const char* kSameFolderSuffix = "のﾌｫﾙﾀﾞｰにはｺﾋﾟｰは出来ません。";
inline constexpr const char* kCopiedMessage = "ファイルをコピーしました。";
inline constexpr const char* kMovedMessage = "ファイルを移動しました。";
// Followed by the system's reason (EEXIST: every new-folder name is taken).
inline constexpr const char* kNewFolderFailedMessage = "ﾌｫﾙﾀﾞｰを作成出来ませんでした。\n";
// The second question for the entries the trash refused (each listed with
// its reason before it).
inline constexpr const char* kDeleteForGoodQuestion =
    "ごみ箱に移動出来ませんでした。\n完全に削除しますか？";
// The copy engine's own refusals.
inline constexpr const char* kIntoItselfReason = "ﾌｫﾙﾀﾞｰをそれ自身の中へはｺﾋﾟｰ・移動出来ません。";
inline constexpr const char* kSameFileReason = "ｺﾋﾟｰ元とｺﾋﾟｰ先が同じﾌｧｲﾙです。";

// Rename.
inline constexpr const char* kNameExistsMessage =
    "すでに同じ名前が存在します。\n変更前に戻します。";

// Search and filter.
inline constexpr const char* kSearchCaption = "ﾌｧｲﾙ検索";
inline constexpr const char* kSearchPrompt = "ﾌｧｲﾙ名を入力";
inline constexpr const char* kNotFoundMessage = "ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）が見つかりませんでした。";
inline constexpr const char* kFilterDoneMessage = "ファイル検索・絞り込みを完了しました。";

// File information (the range messages of the date and time boxes come with
// TimeFieldMessage).
inline constexpr const char* kSingleSelectionMessage = "複数のﾌｧｲﾙ選択は不可です。";
inline constexpr const char* kNoSuchDateMessage = "存在しない日付です。";
inline constexpr const char* kOutsideStoredYearsMessage =
    "日時は1980年から2107年までしか設定出来ません。";
// Followed by the system's reason.
inline constexpr const char* kTimeNotSetMessage = "更新日時を変更出来ませんでした。\n";
inline constexpr const char* kAttributeNotSetMessage = "属性を変更出来ませんでした。\n";

} // namespace fileops
