#include "staged_file.h"

#include "no_replace_rename.h"
#include "temporary_name.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fileops {
namespace {

constexpr int kNameTries = 100;

// Whether /proc shows this very file is the same for the whole process, so
// it is checked once.
bool ProcLinkUsable(int fd) {
    static const bool usable = platform::CanLinkThroughProc(fd);
    return usable;
}

} // namespace

StagedFile::StagedFile(int folderFd) : m_folderFd(folderFd) {}

StagedFile::~StagedFile() {
    Discard();
}

int StagedFile::Create(const std::string& finalName) {
    Discard();
    if (CreateUnnamed()) return 0;
    return CreateNamed(finalName);
}

bool StagedFile::CreateUnnamed() {
    m_fd = ::openat(m_folderFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd >= 0 && ProcLinkUsable(m_fd)) return true;
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    return false;
}

int StagedFile::CreateNamed(const std::string& finalName) {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string name = platform::TemporaryName(finalName);
        auto removed = std::make_unique<platform::RemovedOnSignal>(m_folderFd, name);
        m_fd = ::openat(m_folderFd, name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            removed->Arm();
            m_tempName = std::move(name);
            m_removedOnSignal = std::move(removed);
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

int StagedFile::Publish(const std::string& name, bool replace) {
    if (!m_tempName.empty()) return PublishNamed(name, replace);
    if (!replace) {
        const int linked = LinkUnderName(name);
        return linked == 0 ? Close() : linked;
    }
    // A link cannot replace: the data gets a hidden name first and is renamed
    // over the old entry right after.
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string temp = platform::TemporaryName(name);
        auto removed = std::make_unique<platform::RemovedOnSignal>(m_folderFd, temp);
        const int linked = LinkUnderName(temp);
        if (linked == EEXIST) continue;
        if (linked != 0) return linked;
        removed->Arm();
        m_tempName = std::move(temp);
        m_removedOnSignal = std::move(removed);
        return PublishNamed(name, true);
    }
    return EEXIST;
}

int StagedFile::LinkUnderName(const std::string& name) {
    const std::string source = platform::ProcFdPath(m_fd);
    if (::linkat(AT_FDCWD, source.c_str(), m_folderFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    return errno;
}

int StagedFile::PublishNamed(const std::string& name, bool replace) {
    const int error =
        replace
            ? (::renameat(m_folderFd, m_tempName.c_str(), m_folderFd, name.c_str()) == 0 ? 0
                                                                                         : errno)
            : RenameWithoutReplacing(m_folderFd, m_tempName, m_folderFd, name);
    if (error != 0) return error;
    m_tempName.clear();
    m_removedOnSignal.reset();
    return Close();
}

int StagedFile::Close() {
    if (m_fd < 0) return 0;
    const int closed = ::close(std::exchange(m_fd, -1));
    return closed == 0 ? 0 : errno;
}

void StagedFile::Discard() noexcept {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_tempName.empty()) ::unlinkat(m_folderFd, m_tempName.c_str(), 0);
    m_tempName.clear();
    m_removedOnSignal.reset();
}

} // namespace fileops
