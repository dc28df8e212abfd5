#pragma once

#include "removed_on_signal.h"

#include <memory>
#include <string>

namespace fileops {

// A new file written in a folder before it gets its name, so that nobody ever
// sees it half written and a failure or a cancel leaves nothing behind. It
// is an unnamed file (O_TMPFILE) where the file system has them, else a
// hidden ".NAME.tornwel-XXXXXX" that SIGINT, SIGTERM and SIGHUP remove.
// Unlike platform::AtomicFile it hands out its descriptor (the copy engine
// fills it with copy_file_range), and it can take its name without replacing
// anything, trying one name after another.
class StagedFile final {
  public:
    // `folderFd` must stay open while the object lives.
    explicit StagedFile(int folderFd);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the empty file, readable and writable by the owner only.
    // Returns 0 or the errno value.
    int Create(const std::string& finalName);
    int fd() const { return m_fd; }

    // Gives the written file the name `name` in the folder. Without
    // `replace` an existing entry of that name is never touched: EEXIST is
    // returned and the file stays unnamed, ready for another name. With
    // `replace` the file takes the place of an existing entry in one step.
    // Returns 0 or the errno value; after 0 the object holds nothing more.
    int Publish(const std::string& name, bool replace);

    // Throws the file away (also done by the destructor).
    void Discard() noexcept;

  private:
    bool CreateUnnamed();
    int CreateNamed(const std::string& finalName);
    int LinkUnderName(const std::string& name);
    int PublishNamed(const std::string& name, bool replace);
    int Close();

    int m_folderFd;
    int m_fd = -1;
    std::string m_tempName; // empty while the file has no name
    std::unique_ptr<platform::RemovedOnSignal> m_removedOnSignal;
};

} // namespace fileops
