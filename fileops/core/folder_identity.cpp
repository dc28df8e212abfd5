#include "folder_identity.h"

#include "paths.h"

#include <cstdlib>
#include <memory>
#include <sys/stat.h>

namespace fileops {

bool IsSameFolder(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    return ::stat(a.c_str(), &infoA) == 0 && ::stat(b.c_str(), &infoB) == 0 &&
           S_ISDIR(infoA.st_mode) && infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

bool IsSameOrInside(const std::string& path, const std::string& folder) {
    struct stat outer {};
    if (::stat(folder.c_str(), &outer) != 0 || !S_ISDIR(outer.st_mode)) return false;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    if (!resolved) return false;
    for (std::string step = resolved.get();; step = platform::SplitPath(step).first) {
        struct stat info {};
        if (::stat(step.c_str(), &info) == 0 && info.st_dev == outer.st_dev &&
            info.st_ino == outer.st_ino) {
            return true;
        }
        if (platform::IsRootPath(step)) return false;
    }
}

} // namespace fileops
