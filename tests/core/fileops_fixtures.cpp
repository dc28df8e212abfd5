#include "fileops_fixtures.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops_test {
namespace {

// Once per process: later mounts stay inside it and vanish with it.
bool EnterPrivateMountNamespace() {
    static const bool entered = ::unshare(CLONE_NEWNS) == 0 &&
                                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return entered;
}

} // namespace

ScratchTmpfs::ScratchTmpfs(std::string mountPoint, const std::string& options)
    : m_mountPoint(std::move(mountPoint)) {
    ::mkdir(m_mountPoint.c_str(), 0755);
    m_mounted = EnterPrivateMountNamespace() &&
                ::mount("tmpfs", m_mountPoint.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

ScratchTmpfs::~ScratchTmpfs() {
    if (m_mounted) ::umount2(m_mountPoint.c_str(), MNT_DETACH);
}

UnwritableFolder::UnwritableFolder(std::string path) : m_path(std::move(path)) {
    if (::chmod(m_path.c_str(), 0555) != 0) return;
    if (::geteuid() != 0) {
        m_ok = true;
        return;
    }
    m_immutable = SetImmutable(true);
    m_ok = m_immutable;
}

UnwritableFolder::~UnwritableFolder() {
    if (m_immutable) SetImmutable(false);
    ::chmod(m_path.c_str(), 0755);
}

bool UnwritableFolder::SetImmutable(bool on) const {
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {bytes, m_old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

ScopedEnv::ScopedEnv(std::string name, const char* value) : m_name(std::move(name)) {
    if (const char* old = std::getenv(m_name.c_str())) {
        m_had = true;
        m_old = old;
    }
    if (value) {
        ::setenv(m_name.c_str(), value, 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

ScopedEnv::~ScopedEnv() {
    if (m_had) {
        ::setenv(m_name.c_str(), m_old.c_str(), 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

std::string Content(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + static_cast<char>(i % 61));
    return bytes;
}

} // namespace fileops_test
