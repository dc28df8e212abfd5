#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// A file written under a temporary name in the target's folder and renamed
// over the target on Commit, so that readers never see a half-written file and
// a failed write leaves the old file untouched. Throws std::system_error.
class AtomicFile final {
  public:
    explicit AtomicFile(std::string targetPath);
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
    void Discard() noexcept;

    std::string m_targetPath;
    std::string m_tempPath;
    int m_fd = -1;
    bool m_keepMetadata = false;
    unsigned m_mode = 0;
    struct timespec m_modified {};
};

// Writes a whole file through AtomicFile.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace platform
