#pragma once

#include <string>

namespace platform {

// The single-instance rule: an advisory lock on a file named after the
// executable's file name in the per-user runtime folder. Held until destroyed
// (or the process ends, when the system drops it).
class InstanceLock final {
  public:
    explicit InstanceLock(const std::string& executableName);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another process holds the lock of that name.
    bool acquired() const { return m_fd >= 0; }
    static std::string LockFilePath(const std::string& executableName);
    // The local socket beside the lock, where the running instance takes the
    // paths of later starts.
    static std::string ChannelPath(const std::string& executableName);

  private:
    int m_fd = -1;
};

} // namespace platform
