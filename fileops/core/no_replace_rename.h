#pragma once

#include <string>

namespace fileops {

// Renames an entry without ever replacing one that has the new name. Returns
// 0, or the errno value of the failure (EEXIST when the new name is taken).
// The names are single entries of the two open folders. A new name that differs from the old
// one only in letter case on a file system that ignores case renames the
// entry onto itself, which is allowed.
int RenameWithoutReplacing(int oldFolder, const std::string& oldName, int newFolder,
                           const std::string& newName);

} // namespace fileops
