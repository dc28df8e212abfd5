#include "file_data_copy.h"

#include <cerrno>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops {
namespace {

// copy_file_range cannot serve this pair of files (an old kernel, another
// file system, a pseudo file): plain reading and writing can.
bool RangeCopyUnsupported(int error) {
    return error == EXDEV || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS ||
           error == EBADF || error == EPERM || error == ETXTBSY;
}

int WriteAll(int out, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(out, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

} // namespace

int FileDataCopier::Copy(int in, int out, dev_t inDevice, dev_t outDevice,
                         const ChunkDone& chunkDone) {
    if (TryClone(in, out, inDevice, outDevice)) {
        struct stat info {};
        if (::fstat(out, &info) != 0) return errno;
        return chunkDone(static_cast<std::uint64_t>(info.st_size)) ? 0 : ECANCELED;
    }
    bool fallBack = false;
    const int error = CopyRanges(in, out, chunkDone, fallBack);
    if (!fallBack) return error;
    return ReadAndWrite(in, out, chunkDone);
}

bool FileDataCopier::TryClone(int in, int out, dev_t inDevice, dev_t outDevice) {
    const auto pair = std::make_pair(inDevice, outDevice);
    if (m_noClone.contains(pair)) return false;
    if (::ioctl(out, FICLONE, in) == 0) return true;
    m_noClone.insert(pair);
    return false;
}

// Both offsets move with the copied bytes, so after a fallBack reading and
// writing go on where the ranges stopped.
int FileDataCopier::CopyRanges(int in, int out, const ChunkDone& chunkDone, bool& fallBack) {
    std::uint64_t copied = 0;
    for (;;) {
        const ssize_t done = ::copy_file_range(in, nullptr, out, nullptr, kCopyChunk, 0);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            fallBack = RangeCopyUnsupported(errno);
            return errno;
        }
        // Some pseudo files report no data to copy_file_range but do to read.
        if (done == 0) {
            fallBack = copied == 0;
            return 0;
        }
        copied += static_cast<std::uint64_t>(done);
        if (!chunkDone(static_cast<std::uint64_t>(done))) return ECANCELED;
    }
}

int FileDataCopier::ReadAndWrite(int in, int out, const ChunkDone& chunkDone) {
    m_buffer.resize(kCopyChunk);
    for (;;) {
        const ssize_t got = ::read(in, m_buffer.data(), m_buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return errno;
        if (got == 0) return 0;
        if (const int error = WriteAll(out, m_buffer.data(), static_cast<std::size_t>(got));
            error != 0) {
            return error;
        }
        if (!chunkDone(static_cast<std::uint64_t>(got))) return ECANCELED;
    }
}

} // namespace fileops
