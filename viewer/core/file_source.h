#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace viewer {

// A regular file read by position, never whole. Several threads may read at
// once. A file cut short while it is shown simply ends earlier: reads past
// its new end return nothing, where a mapping would fault.
class FileSource final {
  public:
    // Throws std::system_error when the file cannot be opened or is not a
    // regular file (a fifo or a device has no fixed text to show).
    explicit FileSource(const std::string& path);
    ~FileSource();
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // The size when the file was opened.
    std::uint64_t size() const { return m_size; }
    // Reads up to buffer.size() bytes at `offset`; returns how many were
    // read, fewer only at the end of the file or on a read error.
    std::size_t ReadAt(std::uint64_t offset, std::span<char> buffer) const;

  private:
    int m_fd = -1;
    std::uint64_t m_size = 0;
};

} // namespace viewer
