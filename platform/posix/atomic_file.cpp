#include "atomic_file.h"

#include "paths.h"
#include "temporary_name.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

// Tries before giving up on finding a free temporary name.
constexpr int kNameTries = 100;

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::AtomicFile(std::string targetPath, TemporaryFile kind)
    : m_targetPath(std::move(targetPath)) {
    auto [folder, name] = SplitPath(m_targetPath);
    m_targetName = std::move(name);
    try {
        m_folderFd = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (m_folderFd < 0) Fail();
        if (kind == TemporaryFile::Named || !OpenUnnamed()) OpenNamed();
    } catch (...) {
        Discard();
        throw;
    }
}

AtomicFile::~AtomicFile() {
    Discard();
}

// Any failure here (no O_TMPFILE in the kernel or the file system, no /proc)
// leaves the named file to try, which reports a real fault itself.
bool AtomicFile::OpenUnnamed() {
    m_fd = ::openat(m_folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (m_fd >= 0 && CanLinkThroughProc(m_fd)) return true;
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    return false;
}

void AtomicFile::OpenNamed() {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string name = TemporaryName(m_targetName);
        auto removed = std::make_unique<RemovedOnSignal>(m_folderFd, name);
        m_fd = ::openat(m_folderFd, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            removed->Arm();
            m_tempName = std::move(name);
            m_removedOnSignal = std::move(removed);
            return;
        }
        if (errno != EEXIST) Fail();
    }
    Fail();
}

// linkat(fd, "", ..., AT_EMPTY_PATH) would need CAP_DAC_READ_SEARCH; the
// /proc form needs no privilege. A link cannot replace a file, so the data
// gets a fresh name first and is renamed over the target right after.
void AtomicFile::LinkUnderTemporaryName() {
    const std::string source = ProcFdPath(m_fd);
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string name = TemporaryName(m_targetName);
        auto removed = std::make_unique<RemovedOnSignal>(m_folderFd, name);
        if (::linkat(AT_FDCWD, source.c_str(), m_folderFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            removed->Arm();
            m_tempName = std::move(name);
            m_removedOnSignal = std::move(removed);
            return;
        }
        if (errno != EEXIST) Fail();
    }
    Fail();
}

void AtomicFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            Fail();
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
    mode_t mode = ::fstatat(m_folderFd, m_targetName.c_str(), &existing, 0) == 0
                      ? (existing.st_mode & 07777)
                      : NewFileMode();
    if (m_keepMetadata) {
        mode = static_cast<mode_t>(m_mode);
        const struct timespec times[2] = {{0, UTIME_OMIT}, m_modified};
        if (::futimens(m_fd, times) != 0) Fail();
    }
    if (::fchmod(m_fd, mode) != 0) Fail();
    if (m_tempName.empty()) LinkUnderTemporaryName();
    if (::close(std::exchange(m_fd, -1)) != 0) Fail();
    if (::renameat(m_folderFd, m_tempName.c_str(), m_folderFd, m_targetName.c_str()) != 0) Fail();
    m_tempName.clear();
    m_removedOnSignal.reset();
}

void AtomicFile::Discard() noexcept {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_tempName.empty()) ::unlinkat(m_folderFd, m_tempName.c_str(), 0);
    m_tempName.clear();
    m_removedOnSignal.reset();
    if (m_folderFd >= 0) ::close(m_folderFd);
    m_folderFd = -1;
}

void AtomicFile::Fail() const {
    throw std::system_error(errno, std::generic_category(), m_targetPath);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file(path);
    file.Write(bytes);
    file.Commit();
}

} // namespace platform
