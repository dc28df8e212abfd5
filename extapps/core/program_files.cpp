#include "program_files.h"

#include "paths.h"

#include <sys/stat.h>

namespace extapps {

bool IsExistingNonFolder(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool IsProgramFile(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & S_IXUSR) != 0;
}

std::string FindProgram(const std::string& name, const std::vector<std::string>& searchPath) {
    if (name.find('/') != std::string::npos) return IsProgramFile(name) ? name : std::string();
    if (name.empty()) return {};
    for (const auto& folder : searchPath) {
        std::string candidate = platform::JoinPath(folder, name);
        if (IsProgramFile(candidate)) return candidate;
    }
    return {};
}

} // namespace extapps
