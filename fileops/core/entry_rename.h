#pragma once

#include <string>

namespace fileops {

enum class RenameOutcome {
    Renamed,
    Unchanged,   // the new name is the old one: nothing to do
    NameTaken,   // another entry has the new name; it is never replaced
    InvalidName, // empty, ".", "..", or holding "/" (which would move the entry)
    Failed,      // the system refused; `error` says why
};

struct RenameResult {
    RenameOutcome outcome = RenameOutcome::Failed;
    int error = 0; // errno value for NameTaken, InvalidName and Failed
};

// A name the user may give an entry of a folder.
bool IsValidEntryName(const std::string& name);

// Renames the entry `oldName` of `folder` to `newName` in the same folder,
// never replacing an existing entry. The ".." row is never renamed.
RenameResult RenameEntry(const std::string& folder, const std::string& oldName,
                         const std::string& newName);

// The end of an in-place edit of a row's caption.
enum class InPlaceOutcome {
    Renamed,      // the row shows the new name
    FolderExists, // the name of an existing folder: tell the user, the old name comes back
    Reverted,     // the parent row, or the rename failed: the old name comes back
};

struct InPlaceRenameResult {
    InPlaceOutcome outcome = InPlaceOutcome::Reverted;
    std::string caption; // what the row shows afterwards
    RenameResult rename; // why a rename was reverted
};

// An existing folder of the typed name (which includes the unchanged name of
// a folder and an empty text, naming the current folder itself) is refused
// with a message; any other failure reverts the caption.
InPlaceRenameResult RenameInPlace(const std::string& currentDir, const std::string& oldName,
                                  const std::string& text);

} // namespace fileops
