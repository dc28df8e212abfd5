#include "atomic_file.h"

#include "paths.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::AtomicFile(std::string targetPath) : m_targetPath(std::move(targetPath)) {
    const auto [folder, name] = SplitPath(m_targetPath);
    m_tempPath = JoinPath(folder, "." + name + ".tornwel-XXXXXX");
    m_fd = mkstemp(m_tempPath.data());
    if (m_fd < 0) ThrowErrno(m_targetPath);
}

AtomicFile::~AtomicFile() {
    Discard();
}

void AtomicFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            ThrowErrno(m_targetPath);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void AtomicFile::KeepModeAndTime(unsigned mode, const struct timespec& modified) {
    m_keepMetadata = true;
    m_mode = mode;
    m_modified = modified;
}

void AtomicFile::Commit() {
    struct stat existing {};
    mode_t mode =
        ::stat(m_targetPath.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
    if (m_keepMetadata) {
        mode = static_cast<mode_t>(m_mode);
        const struct timespec times[2] = {{0, UTIME_OMIT}, m_modified};
        if (::futimens(m_fd, times) != 0) ThrowErrno(m_targetPath);
    }
    if (::fchmod(m_fd, mode) != 0 || ::close(m_fd) != 0) {
        m_fd = -1;
        ThrowErrno(m_targetPath);
    }
    m_fd = -1;
    if (::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0) ThrowErrno(m_targetPath);
    m_tempPath.clear();
}

void AtomicFile::Discard() noexcept {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty()) ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace platform
