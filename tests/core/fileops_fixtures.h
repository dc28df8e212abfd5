#pragma once

#include <string>
#include <sys/resource.h>

namespace fileops_test {

// A small tmpfs, mounted in a mount namespace of this process alone so that
// nothing outlives the test. Needs root (or CAP_SYS_ADMIN): where it cannot
// be mounted, mounted() is false and the test skips.
class ScratchTmpfs final {
  public:
    ScratchTmpfs(std::string mountPoint, const std::string& options);
    ~ScratchTmpfs();
    ScratchTmpfs(const ScratchTmpfs&) = delete;
    ScratchTmpfs& operator=(const ScratchTmpfs&) = delete;
    bool mounted() const { return m_mounted; }

  private:
    std::string m_mountPoint;
    bool m_mounted = false;
};

// A folder that refuses every change while the object lives: no write
// permission, and for root (whom permissions do not stop) the immutable
// flag. ok() is false where that cannot be done; the test then skips.
class UnwritableFolder final {
  public:
    explicit UnwritableFolder(std::string path);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;
    bool ok() const { return m_ok; }

  private:
    bool SetImmutable(bool on) const;
    std::string m_path;
    bool m_immutable = false;
    bool m_ok = false;
};

// Limits the size of every file this process writes (RLIMIT_FSIZE), so a
// write beyond it fails with EFBIG like a full disk would; SIGXFSZ is ignored
// meanwhile. A failure that needs neither root nor a second file system.
class FileSizeLimit final {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    struct rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

// Sets or clears an environment variable for the lifetime of the object.
class ScopedEnv final {
  public:
    ScopedEnv(std::string name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string m_name;
    bool m_had = false;
    std::string m_old;
};

// Numbered content that tells files apart and shows a partial copy.
std::string Content(std::size_t size, char seed);

} // namespace fileops_test
