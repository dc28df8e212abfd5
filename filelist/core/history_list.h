#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace filelist {

// File names of the five lists, kept in the program's settings folder.
inline constexpr const char* kMainPathListFile = "MainPath.LST";
inline constexpr const char* kMaskListFile = "Mask.LST";
inline constexpr const char* kPathListFile = "PATH.LST";
inline constexpr const char* kFindListFile = "FIND.LST";
inline constexpr const char* kNameListFile = "NAME.LST";
inline constexpr std::size_t kHistoryLimit = 20;

// How a push tells a duplicate: the two main window boxes ignore the case of a-z,
// the dialogs' boxes compare byte for byte.
enum class HistoryMatch { Exact, IgnoreAsciiCase };

// True when the two texts are duplicates under `match` (only a-z and A-Z fold).
bool HistoryEntriesMatch(const std::string& a, const std::string& b, HistoryMatch match);

// The entries of a list file, raw bytes in UTF-8 (converted from the file's CP932
// or UTF-8-with-BOM form); nothing when the file does not exist. Lines end at CR LF,
// a lone CR or a lone LF; a last line without a break is an entry; an empty line
// is an empty entry; a file ending with a break has no extra empty entry after it.
// Throws std::system_error when the file exists but cannot be read.
std::optional<std::vector<std::string>> LoadHistoryFile(const std::string& path);

// Writes every entry followed by CR LF, in the encoding of the program's own text
// files (ToSettingsEncoding), through the atomic writer. Throws std::system_error.
// An entry holding a CR or LF (a legal file name byte) is left out of the file:
// written, it would come back as two different entries.
void SaveHistoryFile(const std::string& path, const std::vector<std::string>& entries);

// The push: `text` becomes entry 0; the entries below are scanned from the top:
// the first one equal to `text` (by `match`) is removed and ends the scan, empty
// entries met on the way are removed; then the list is cut to kHistoryLimit.
void PushHistory(std::vector<std::string>& entries, const std::string& text, HistoryMatch match);

// Puts `text` on top without cutting the list: all entries are scanned from the
// top, the first one equal to `text` (by `match`) is removed and ends the scan,
// empty entries met on the way are removed; then `text` is inserted as entry 0.
// For a pick whose resulting text is not the picked entry itself (a completed
// mask, or the folder kept when creating the picked one was declined).
void MoveHistoryTextToTop(std::vector<std::string>& entries, const std::string& text,
                          HistoryMatch match);

// A pick from a box's drop-down list (the main window boxes): the entry at `index`
// goes to the top by MoveHistoryTextToTop, found by its exact bytes. So empty
// entries above its first copy are removed, and when an identical copy stands
// above it that copy is the one removed. Nothing is cut. An index out of range
// changes nothing.
void MoveHistoryEntryToTop(std::vector<std::string>& entries, std::size_t index);

} // namespace filelist
