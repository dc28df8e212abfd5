#pragma once

#include "removed_on_signal.h"

#include <ctime>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// How the data waits for Commit in the target's folder.
enum class TemporaryFile {
    // An unnamed file (O_TMPFILE) where the file system has them: whatever
    // ends the process, nothing is left behind. Elsewhere a named one.
    UnnamedWherePossible,
    // A hidden named file ".NAME.tornwel-XXXXXX", removed when the object is
    // destroyed without Commit and by SIGINT, SIGTERM and SIGHUP.
    Named,
};

// A file written to a temporary file in the target's folder and renamed over
// the target on Commit, so that readers never see a half-written file and a
// failed write leaves the old file untouched. Throws std::system_error.
class AtomicFile final {
  public:
    explicit AtomicFile(std::string targetPath,
                        TemporaryFile kind = TemporaryFile::UnnamedWherePossible);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void Write(std::string_view bytes);
    // Gives the file these permissions and this modification time on Commit
    // (a copy keeps its source's).
    void KeepModeAndTime(unsigned mode, const struct timespec& modified);
    // Renames the written file over the target. The file gets the target's
    // permissions when it existed, else those of a new file.
    void Commit();
    const std::string& targetPath() const { return m_targetPath; }

  private:
    bool OpenUnnamed();
    void OpenNamed();
    void LinkUnderTemporaryName();
    void Discard() noexcept;
    [[noreturn]] void Fail() const;

    std::string m_targetPath;
    std::string m_targetName;
    int m_folderFd = -1;
    int m_fd = -1;
    // The name of the temporary file while it has one (always for a named
    // file; for an unnamed one between linking and renaming on Commit).
    std::string m_tempName;
    std::unique_ptr<RemovedOnSignal> m_removedOnSignal;
    bool m_keepMetadata = false;
    unsigned m_mode = 0;
    struct timespec m_modified {};
};

// Writes a whole file through AtomicFile.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace platform
