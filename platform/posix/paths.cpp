#include "paths.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    if (slash == 0) return {"/", path.substr(1)};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

std::string ResolveTypedPath(const std::string& typed, const std::string& currentDir,
                             const std::string& home) {
    std::string path = typed;
    if (path == "~" || path.starts_with("~/")) path = home + path.substr(1);
    if (path.empty() || path[0] != '/') path = JoinPath(currentDir, path);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const auto& part : parts)
        resolved += "/" + part;
    return resolved.empty() ? "/" : resolved;
}

bool IsRootPath(const std::string& path) {
    return path == "/";
}

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string ExtensionOf(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return true;
    return S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceFolderPath(const std::string& path) {
    const std::string folder = WithoutTrailingSeparator(path);
    if (folder.empty() || IsRootPath(folder)) return false;
    for (std::size_t p = 1; p < folder.size(); ++p) {
        if (folder[p] != '/') continue;
        const std::string prefix = folder.substr(0, p);
        if (!FolderExists(prefix)) ::mkdir(prefix.c_str(), 0777);
    }
    if (!FolderExists(folder)) ::mkdir(folder.c_str(), 0777);
    return true;
}

bool CanReadFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    const bool file = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return file;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    if (::stat(a.c_str(), &infoA) != 0 || ::stat(b.c_str(), &infoB) != 0) return false;
    return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

} // namespace platform
