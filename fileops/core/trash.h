#pragma once

#include <string>
#include <vector>

namespace fileops {

// The freedesktop trash, on the raw bytes of the names (so a name that is not
// valid UTF-8 goes to the trash like any other). An entry on the file system
// of the home trash ($XDG_DATA_HOME/Trash, by default ~/.local/share/Trash,
// made with its parent folders when missing) goes there; an entry on another
// file system goes to the trash of that file system's top folder
// ($topdir/.Trash/$uid when an administrator made a sticky $topdir/.Trash,
// else $topdir/.Trash-$uid). Entries are never copied between file systems.

// The home trash folder for the current environment.
std::string HomeTrashFolder();

// Moves one file, folder or link to the trash. Returns 0 or the errno value of
// the reason it cannot go (for example EACCES for a read-only folder, or the
// reason no trash could be made on its file system).
int MoveToTrash(const std::string& path);

struct TrashFailure {
    std::string name;
    int error = 0;
    std::string reason; // the system's text for `error`
};

// Moves the named entries of `folder` to the trash; ".." (and ".") is never
// included. Every entry that can go, goes; the others are returned in the
// order given, so that the user can be asked whether to delete them for good.
std::vector<TrashFailure> MoveEntriesToTrash(const std::string& folder,
                                             const std::vector<std::string>& names);

} // namespace fileops
