#include "file_form.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ncui {

std::optional<bool> TextIsEmpty(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat status {};
    char first = 0;
    ssize_t got = -1;
    if (::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode)) {
        do {
            got = ::read(fd, &first, 1);
        } while (got < 0 && errno == EINTR);
    }
    ::close(fd);
    if (got < 0) return std::nullopt;
    return got == 0 || first == '\0';
}

} // namespace ncui
