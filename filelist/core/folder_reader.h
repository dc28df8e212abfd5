#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace filelist {

// Attribute bits, shown as the letters R, H, S, A in that order.
enum Attribute : std::uint8_t { ReadOnly = 1, Hidden = 2, System = 4, Archive = 8 };

// One entry of a folder as the list needs it.
struct FolderEntry {
    std::string name;
    bool folder = false;
    bool program = false; // a regular file with the owner's execute bit
    std::uint8_t attributes = 0;
    std::uint64_t size = 0;
    std::time_t modified = 0;
};

// Reads every entry of a folder except "." and "..". Symbolic links are
// followed; a dangling one is listed as a file. Returns 0 or the errno of a
// folder that cannot be read.
int ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries);

// "R", "H", "S", "A" for the set bits, in that order.
std::string AttributeLetters(std::uint8_t attributes);

} // namespace filelist
