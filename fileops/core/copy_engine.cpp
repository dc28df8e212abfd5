#include "copy_engine.h"

#include "atomic_file.h"
#include "paths.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fileops {
namespace {

class Copier {
  public:
    Copier(const ConflictQuestion& ask, std::string& error) : m_ask(ask), m_error(error) {}

    CopyResult Copy(const std::string& source, const std::string& target) {
        struct stat info {};
        if (::lstat(source.c_str(), &info) != 0) return Fail(source);
        if (S_ISDIR(info.st_mode)) return CopyFolder(source, target, info);
        struct stat existing {};
        if (::lstat(target.c_str(), &existing) == 0) {
            if (S_ISDIR(existing.st_mode)) return Fail(target, EISDIR);
            const ConflictAnswer answer = m_ask ? m_ask(target) : ConflictAnswer::Skip;
            if (answer == ConflictAnswer::Cancel) return CopyResult::Cancelled;
            if (answer == ConflictAnswer::Skip) return CopyResult::Skipped;
        }
        if (S_ISLNK(info.st_mode)) return CopyLink(source, target);
        return CopyFile(source, target, info);
    }

  private:
    CopyResult Fail(const std::string& path, int code = errno) {
        m_error = path + ": " + std::strerror(code);
        return CopyResult::Failed;
    }

    CopyResult CopyFolder(const std::string& source, const std::string& target,
                          const struct stat& info) {
        if (::mkdir(target.c_str(), info.st_mode & 07777) != 0 && errno != EEXIST) {
            return Fail(target);
        }
        if (!platform::FolderExists(target)) return Fail(target, ENOTDIR);
        std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(source.c_str()), &::closedir);
        if (!folder) return Fail(source);
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(folder.get())) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        for (const auto& name : names) {
            const CopyResult part =
                Copy(platform::JoinPath(source, name), platform::JoinPath(target, name));
            if (part == CopyResult::Cancelled || part == CopyResult::Failed) return part;
        }
        return CopyResult::Copied;
    }

    CopyResult CopyLink(const std::string& source, const std::string& target) {
        std::vector<char> buffer(4096);
        const ssize_t length = ::readlink(source.c_str(), buffer.data(), buffer.size());
        if (length < 0) return Fail(source);
        ::unlink(target.c_str());
        const std::string destination(buffer.data(), static_cast<std::size_t>(length));
        if (::symlink(destination.c_str(), target.c_str()) != 0) return Fail(target);
        return CopyResult::Copied;
    }

    CopyResult CopyFile(const std::string& source, const std::string& target,
                        const struct stat& info) {
        const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) return Fail(source);
        try {
            platform::AtomicFile out(target);
            std::vector<char> buffer(1 << 20);
            ssize_t got = 0;
            while ((got = ::read(in, buffer.data(), buffer.size())) > 0) {
                out.Write(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
            }
            if (got < 0) {
                const int code = errno;
                ::close(in);
                return Fail(source, code);
            }
            out.KeepModeAndTime(info.st_mode & 07777, info.st_mtim);
            out.Commit();
        } catch (const std::system_error& failure) {
            ::close(in);
            return Fail(target, failure.code().value());
        }
        ::close(in);
        return CopyResult::Copied;
    }

    const ConflictQuestion& m_ask;
    std::string& m_error;
};

// True when `folder` is `source` or lies inside it.
bool IsInside(const std::string& folder, const std::string& source) {
    char* resolvedFolder = ::realpath(folder.c_str(), nullptr);
    char* resolvedSource = ::realpath(source.c_str(), nullptr);
    bool inside = false;
    if (resolvedFolder && resolvedSource) {
        const std::string f = resolvedFolder;
        const std::string s = resolvedSource;
        inside = f == s || (f.size() > s.size() && f.compare(0, s.size(), s) == 0 &&
                            (s == "/" || f[s.size()] == '/'));
    }
    std::free(resolvedFolder);
    std::free(resolvedSource);
    return inside;
}

} // namespace

CopyResult CopyInto(const std::string& source, const std::string& destinationFolder,
                    const ConflictQuestion& ask, std::string& error) {
    const std::string from = platform::WithoutTrailingSeparator(source);
    const std::string target =
        platform::JoinPath(destinationFolder, platform::SplitPath(from).second);
    if (platform::SameFile(from, target)) {
        error = target + ": " + std::strerror(EEXIST);
        return CopyResult::Failed;
    }
    if (platform::FolderExists(from) && IsInside(destinationFolder, from)) {
        error = from + ": " + std::strerror(EINVAL);
        return CopyResult::Failed;
    }
    return Copier(ask, error).Copy(from, target);
}

} // namespace fileops
