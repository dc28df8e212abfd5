#include "tree_totals.h"

#include "folder_names.h"
#include "unique_fd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace fileops {
namespace {

void AddTree(int folderFd, const std::string& name, const std::function<bool()>& stop,
             TreeTotals& totals) {
    struct stat info {};
    if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return;
    if (!S_ISDIR(info.st_mode)) {
        ++totals.files;
        if (S_ISREG(info.st_mode)) totals.bytes += static_cast<std::uint64_t>(info.st_size);
        return;
    }
    const UniqueFd folder(OpenSubfolder(folderFd, name));
    std::vector<std::string> names;
    if (!folder.valid() || ReadEntryNames(folder.get(), names) != 0) return;
    for (const auto& child : names) {
        if (stop && stop()) return;
        AddTree(folder.get(), child, stop, totals);
    }
}

} // namespace

TreeTotals CountTree(int folderFd, const std::string& name, const std::function<bool()>& stop) {
    TreeTotals totals;
    AddTree(folderFd, name, stop, totals);
    return totals;
}

} // namespace fileops
