#include "output_target.h"

#include "nc_error.h"
#include "paths.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace cli {

OutputTarget::OutputTarget(std::string path) : m_path(std::move(path)) {
    if (m_path != "-") return;
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp && *tmp ? tmp : "/tmp";
    m_path = platform::JoinPath(folder, "tornwel-nc-XXXXXX");
    m_folderFd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int fd = m_folderFd < 0 ? -1 : mkstemp(m_path.data());
    if (fd < 0) {
        if (m_folderFd >= 0) ::close(m_folderFd);
        throw nc::NcError(nc::CannotCreateMessage(m_path));
    }
    ::close(fd);
    m_name = platform::SplitPath(m_path).second;
    m_removedOnSignal = std::make_unique<platform::RemovedOnSignal>(m_folderFd, m_name);
    m_removedOnSignal->Arm();
}

OutputTarget::~OutputTarget() {
    if (m_folderFd < 0) return;
    ::unlinkat(m_folderFd, m_name.c_str(), 0);
    m_removedOnSignal.reset();
    ::close(m_folderFd);
}

void OutputTarget::Deliver() const {
    if (m_folderFd < 0) return;
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw nc::NcError(nc::CannotOpenMessage(m_path));
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
        std::fwrite(buffer, 1, static_cast<std::size_t>(got), stdout);
    }
    ::close(fd);
    std::fflush(stdout);
}

} // namespace cli
