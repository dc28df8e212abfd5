#pragma once

#include <string>
#include <vector>

namespace fileops {

// The names in an open folder, "." and ".." left out. The descriptor stays
// open and usable. Returns 0 or the errno value.
int ReadEntryNames(int folderFd, std::vector<std::string>& names);

// Opens an entry of an open folder as a folder, never through a link.
// Returns the descriptor or -1 (errno set).
int OpenSubfolder(int folderFd, const std::string& name);

} // namespace fileops
