#include "instance_lock.h"

#include "paths.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && FolderExists(runtime)) return runtime;
    // Without a runtime folder, a private folder of this user under /tmp.
    const std::string folder = "/tmp/tornwel-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

} // namespace

std::string InstanceLock::LockFilePath(const std::string& executableName) {
    return JoinPath(RuntimeFolder(), executableName + ".lock");
}

std::string InstanceLock::ChannelPath(const std::string& executableName) {
    return JoinPath(RuntimeFolder(), executableName + ".socket");
}

InstanceLock::InstanceLock(const std::string& executableName) {
    const std::string path = LockFilePath(executableName);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0) ::close(m_fd);
}

} // namespace platform
