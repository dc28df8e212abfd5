#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace fileops {

// The bytes of one file are copied in chunks of this size at most, so that a
// cancel is seen and the progress moves at least this often.
inline constexpr std::size_t kCopyChunk = 1 << 20;

// Copies the bytes of an open file into an empty one: a clone (FICLONE)
// where the file system shares data between files, else copy_file_range in
// chunks, else read and write. Remembers which pairs of devices cannot clone.
class FileDataCopier final {
  public:
    // Called after each chunk with its size; returning false stops the copy.
    using ChunkDone = std::function<bool(std::uint64_t bytes)>;

    // Returns 0, ECANCELED when `chunkDone` stopped it, or the errno value.
    int Copy(int in, int out, dev_t inDevice, dev_t outDevice, const ChunkDone& chunkDone);

  private:
    bool TryClone(int in, int out, dev_t inDevice, dev_t outDevice);
    int CopyRanges(int in, int out, const ChunkDone& chunkDone, bool& fallBack);
    int ReadAndWrite(int in, int out, const ChunkDone& chunkDone);

    std::set<std::pair<dev_t, dev_t>> m_noClone;
    std::vector<char> m_buffer;
};

} // namespace fileops
