#include "folder_reader.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace filelist {
namespace {

std::uint8_t AttributesOf(const std::string& name, const struct stat& info) {
    std::uint8_t attributes = 0;
    if (!(info.st_mode & S_IWUSR)) attributes |= ReadOnly;
    if (!name.empty() && name[0] == '.') attributes |= Hidden;
    if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) attributes |= System;
    return attributes;
}

} // namespace

int ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return errno;
    const int fd = ::dirfd(dir.get());
    errno = 0;
    while (const dirent* raw = ::readdir(dir.get())) {
        const char* name = raw->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        FolderEntry entry;
        entry.name = name;
        struct stat info {};
        if (::fstatat(fd, name, &info, 0) != 0 &&
            ::fstatat(fd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            // Vanished between reading and examining: a file row of zero size.
            info = {};
            info.st_mode = S_IFREG | S_IWUSR;
        }
        entry.folder = S_ISDIR(info.st_mode);
        entry.program = S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR);
        entry.attributes = AttributesOf(entry.name, info);
        entry.size = entry.folder ? 0 : static_cast<std::uint64_t>(info.st_size);
        entry.modified = info.st_mtime;
        entries.push_back(std::move(entry));
        errno = 0; // only readdir's own failure ends the listing with an error
    }
    return errno == 0 ? 0 : errno;
}

std::string AttributeLetters(std::uint8_t attributes) {
    std::string letters;
    if (attributes & ReadOnly) letters += 'R';
    if (attributes & Hidden) letters += 'H';
    if (attributes & System) letters += 'S';
    if (attributes & Archive) letters += 'A';
    return letters;
}

} // namespace filelist
