#include "folder_names.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace fileops {

int ReadEntryNames(int folderFd, std::vector<std::string>& names) {
    const int own = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (own < 0) return errno;
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::fdopendir(own), &::closedir);
    if (!folder) {
        const int error = errno;
        ::close(own);
        return error;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
        errno = 0;
    }
    return errno;
}

int OpenSubfolder(int folderFd, const std::string& name) {
    return ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace fileops
