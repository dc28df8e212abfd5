#include "no_replace_rename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops {
namespace {

constexpr int kNameTries = 100;

int ErrnoOf(int result) {
    return result == 0 ? 0 : errno;
}

bool FlagUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

bool LinkUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == EMLINK || error == ENOSYS;
}

// A link cannot replace anything, so link and unlink is as safe as
// RENAME_NOREPLACE; it only works for files on file systems with hard links.
int LinkAndUnlink(int oldFolder, const std::string& oldName, int newFolder,
                  const std::string& newName) {
    if (::linkat(oldFolder, oldName.c_str(), newFolder, newName.c_str(), 0) != 0) return errno;
    if (::unlinkat(oldFolder, oldName.c_str(), 0) == 0) return 0;
    const int error = errno;
    ::unlinkat(newFolder, newName.c_str(), 0);
    return error;
}

// The last resort (folders on file systems without RENAME_NOREPLACE): a
// rename after checking that the name is free. Another program could create
// the name between the check and the rename; nothing narrower exists there.
int CheckedRename(int oldFolder, const std::string& oldName, int newFolder,
                  const std::string& newName) {
    struct stat existing {};
    if (::fstatat(newFolder, newName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
    if (errno != ENOENT) return errno;
    return ErrnoOf(::renameat(oldFolder, oldName.c_str(), newFolder, newName.c_str()));
}

int RenameIfFree(int oldFolder, const std::string& oldName, int newFolder,
                 const std::string& newName) {
    if (::renameat2(oldFolder, oldName.c_str(), newFolder, newName.c_str(), RENAME_NOREPLACE) ==
        0) {
        return 0;
    }
    const int error = errno;
    if (!FlagUnsupported(error)) return error;
    const int linked = LinkAndUnlink(oldFolder, oldName, newFolder, newName);
    if (!LinkUnsupported(linked)) return linked;
    return CheckedRename(oldFolder, oldName, newFolder, newName);
}

bool SameEntry(int folder, const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    return ::fstatat(folder, a.c_str(), &infoA, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstatat(folder, b.c_str(), &infoB, AT_SYMLINK_NOFOLLOW) == 0 &&
           infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

std::string FreeNameCandidate() {
    thread_local std::mt19937_64 random{std::random_device{}()};
    return ".tornwel-rename-" + std::to_string(random() % 1000000000);
}

// Both names lead to one entry: a change of letter case on a file system that
// ignores case, or two hard links of one file. A direct rename would do
// nothing on the first, so the entry goes through a free name; on the second
// the new name is still taken after the first step and the entry goes back.
int RenameThroughFreeName(int folder, const std::string& oldName, const std::string& newName) {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string between = FreeNameCandidate();
        const int first = RenameIfFree(folder, oldName, folder, between);
        if (first == EEXIST) continue;
        if (first != 0) return first;
        const int second = RenameIfFree(folder, between, folder, newName);
        if (second != 0) RenameIfFree(folder, between, folder, oldName);
        return second;
    }
    return EEXIST;
}

} // namespace

int RenameWithoutReplacing(int oldFolder, const std::string& oldName, int newFolder,
                           const std::string& newName) {
    const int error = RenameIfFree(oldFolder, oldName, newFolder, newName);
    if (error == EEXIST && oldFolder == newFolder && oldName != newName &&
        SameEntry(oldFolder, oldName, newName)) {
        return RenameThroughFreeName(oldFolder, oldName, newName);
    }
    return error;
}

} // namespace fileops
