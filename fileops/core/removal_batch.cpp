#include "removal_batch.h"

#include "system_reason.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileops {

void RemovalBatch::Add(int sourceFolder, std::string name, bool folder, std::string path) {
    m_sources.push_back({sourceFolder, std::move(name), folder, std::move(path)});
}

std::vector<TransferFailure> RemovalBatch::Flush() {
    std::vector<TransferFailure> failures;
    if (m_sources.empty()) return failures;
    if (::fsync(m_copiesFolder) != 0) {
        const int error = errno;
        for (const auto& source : m_sources)
            failures.push_back({source.path, error, SystemReason(error)});
    } else {
        for (const auto& source : m_sources) {
            const int flags = source.isFolder ? AT_REMOVEDIR : 0;
            if (::unlinkat(source.folder, source.name.c_str(), flags) != 0) {
                failures.push_back({source.path, errno, SystemReason(errno)});
            }
        }
    }
    m_sources.clear();
    return failures;
}

} // namespace fileops
