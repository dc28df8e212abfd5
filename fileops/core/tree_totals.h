#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fileops {

struct TreeTotals {
    std::uint64_t files = 0; // every entry that is not a folder
    std::uint64_t bytes = 0; // the sizes of the regular files
};

// The totals of an entry of an open folder and, for a folder, of everything
// below it. Links are counted, never followed; what cannot be read counts as
// nothing. Stops early once `stop` returns true.
TreeTotals CountTree(int folderFd, const std::string& name, const std::function<bool()>& stop);

} // namespace fileops
