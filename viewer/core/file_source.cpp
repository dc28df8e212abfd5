#include "file_source.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace viewer {
namespace {

[[noreturn]] void ThrowErrno(int error) {
    throw std::system_error(error, std::generic_category());
}

} // namespace

FileSource::FileSource(const std::string& path) {
    // Non-blocking, so that opening a fifo cannot hang before it is refused.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) ThrowErrno(errno);
    struct stat status {};
    int error = 0;
    if (::fstat(m_fd, &status) != 0) {
        error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(status.st_mode)) {
        error = ENOTSUP;
    }
    if (error != 0) {
        ::close(m_fd);
        ThrowErrno(error);
    }
    m_size = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource() {
    ::close(m_fd);
}

std::size_t FileSource::ReadAt(std::uint64_t offset, std::span<char> buffer) const {
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::pread(m_fd, buffer.data() + done, buffer.size() - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

} // namespace viewer
