#include "permanent_delete.h"

#include "folder_names.h"
#include "paths.h"
#include "system_reason.h"
#include "unique_fd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops {
namespace {

void Fail(const std::string& path, int error, std::vector<DeleteFailure>& failures) {
    failures.push_back({path, error, SystemReason(error)});
}

void Remove(int folderFd, const std::string& name, const std::string& path,
            std::vector<DeleteFailure>& failures) {
    struct stat info {};
    if (::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return Fail(path, errno, failures);
    }
    if (!S_ISDIR(info.st_mode)) {
        if (::unlinkat(folderFd, name.c_str(), 0) != 0) Fail(path, errno, failures);
        return;
    }
    const std::size_t failedBefore = failures.size();
    const UniqueFd folder(OpenSubfolder(folderFd, name));
    if (!folder.valid()) return Fail(path, errno, failures);
    std::vector<std::string> names;
    if (const int error = ReadEntryNames(folder.get(), names); error != 0) {
        Fail(path, error, failures);
    }
    for (const auto& child : names)
        Remove(folder.get(), child, platform::JoinPath(path, child), failures);
    // A folder whose contents were refused is not empty: that was said already.
    if (::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) != 0 && failures.size() == failedBefore) {
        Fail(path, errno, failures);
    }
}

} // namespace

std::vector<DeleteFailure> DeletePermanently(const std::string& path) {
    std::vector<DeleteFailure> failures;
    const std::string entry = platform::WithoutTrailingSeparator(path);
    const auto [folder, name] = platform::SplitPath(entry);
    if (name.empty() || name == "." || name == "..") {
        Fail(entry, EINVAL, failures);
        return failures;
    }
    const UniqueFd parent(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!parent.valid()) {
        Fail(entry, errno, failures);
        return failures;
    }
    Remove(parent.get(), name, entry, failures);
    return failures;
}

} // namespace fileops
