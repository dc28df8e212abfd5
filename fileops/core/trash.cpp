#include "trash.h"

#include "name_text.h"
#include "no_replace_rename.h"
#include "paths.h"
#include "staged_file.h"
#include "system_reason.h"
#include "unique_fd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileops {
namespace {

constexpr std::string_view kInfoSuffix = ".trashinfo";
// Room kept in a trashed name for the ".NNNN" that tells equal names apart.
constexpr std::size_t kNumberRoom = 8;
constexpr int kNameTries = 10000;

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
    return "/";
}

std::string DataHome() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') return data;
    return platform::JoinPath(HomeFolder(), ".local/share");
}

// Makes every missing folder of an absolute path, the new ones private.
int MakeFolders(const std::string& path) {
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string prefix = path.substr(0, end);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return errno;
        start = end + 1;
    }
    return platform::FolderExists(path) ? 0 : ENOTDIR;
}

// A trash folder with its "files" and "info" folders, open for use.
struct TrashFolder {
    std::string path;
    std::string top; // the folder that relative original paths start from; empty: absolute
    std::optional<dev_t> device;
};

int MakeTrashParts(const std::string& trash) {
    for (const char* part : {"files", "info"}) {
        const std::string folder = platform::JoinPath(trash, part);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

// A trash folder the user may use: a real folder (no link), the user's own.
bool IsOwnFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

int PrepareHomeTrash(TrashFolder& trash) {
    // Creating the data folder first matters: without it some trash code
    // (Qt 6.4's among others) takes the working folder for the trash.
    if (const int error = MakeFolders(platform::JoinPath(DataHome(), "Trash")); error != 0) {
        return error;
    }
    trash.path = HomeTrashFolder();
    struct stat info {};
    if (::stat(trash.path.c_str(), &info) != 0) return errno;
    trash.device = info.st_dev;
    return MakeTrashParts(trash.path);
}

// The top folder of the file system `path` is on: its highest folder on the
// same device.
std::string TopFolderOf(const std::string& path, dev_t device) {
    std::string top = path;
    while (!platform::IsRootPath(top)) {
        const std::string parent = platform::SplitPath(top).first;
        struct stat info {};
        if (::stat(parent.c_str(), &info) != 0 || info.st_dev != device) break;
        top = parent;
    }
    return top;
}

int PrepareTopTrash(const std::string& top, TrashFolder& trash) {
    const std::string uid = std::to_string(::getuid());
    trash.top = top;
    const std::string shared = platform::JoinPath(top, ".Trash");
    struct stat info {};
    if (::lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX)) {
        trash.path = platform::JoinPath(shared, uid);
        ::mkdir(trash.path.c_str(), 0700);
        if (IsOwnFolder(trash.path) && MakeTrashParts(trash.path) == 0) return 0;
    }
    trash.path = platform::JoinPath(top, ".Trash-" + uid);
    if (::mkdir(trash.path.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (!IsOwnFolder(trash.path)) return EACCES;
    return MakeTrashParts(trash.path);
}

// Bytes as a URL path keeps them: letters, digits, "-._~/" as they are,
// every other byte as %XX.
std::string PercentEncoded(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') ||
            std::string_view("-._~/").find(c) != std::string::npos) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 15];
        }
    }
    return encoded;
}

std::string InfoText(const std::string& originalPath) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + PercentEncoded(originalPath) + "\nDeletionDate=" + date + "\n";
}

// The name under which an entry waits in the trash: its own, shortened at a
// whole character when it and the info suffix would not fit in a name.
std::string TrashBaseName(const std::string& name) {
    const std::size_t room = NAME_MAX - kInfoSuffix.size() - kNumberRoom;
    if (name.size() <= room) return name;
    const NameEncoding encoding = EncodingOfName(name);
    std::size_t end = 0;
    while (end < name.size()) {
        const std::size_t next = end + CharacterLength(name, end, encoding);
        if (next > room) break;
        end = next;
    }
    return name.substr(0, end);
}

int WriteAll(int fd, const std::string& text) {
    std::string_view rest = text;
    while (!rest.empty()) {
        const ssize_t written = ::write(fd, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Follows the trash layout's rule for taking a name: first the info file is
// made under the name (which never replaces one), then the entry is moved to
// "files" under the same name.
int MoveInto(const TrashFolder& trash, int parentFd, const std::string& name,
             const std::string& originalPath) {
    UniqueFd files(::open(platform::JoinPath(trash.path, "files").c_str(),
                          O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    UniqueFd info(::open(platform::JoinPath(trash.path, "info").c_str(),
                         O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (files.get() < 0 || info.get() < 0) return errno;
    StagedFile infoFile(info.get());
    if (const int error = infoFile.Create(name); error != 0) return error;
    if (const int error = WriteAll(infoFile.fd(), InfoText(originalPath)); error != 0) return error;
    const std::string base = TrashBaseName(name);
    for (int number = 1; number <= kNameTries; ++number) {
        const std::string candidate = number == 1 ? base : base + "." + std::to_string(number);
        struct stat existing {};
        if (::fstatat(files.get(), candidate.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            continue;
        }
        const std::string infoName = candidate + std::string(kInfoSuffix);
        const int claimed = infoFile.Publish(infoName, false);
        if (claimed == EEXIST) continue;
        if (claimed != 0) return claimed;
        const int moved = RenameWithoutReplacing(parentFd, name, files.get(), candidate);
        if (moved == 0) return 0;
        ::unlinkat(info.get(), infoName.c_str(), 0);
        if (moved != EEXIST) return moved;
        // Someone took the name in "files" meanwhile: start over with a new info file.
        if (const int error = infoFile.Create(name); error != 0) return error;
        if (const int error = WriteAll(infoFile.fd(), InfoText(originalPath)); error != 0) {
            return error;
        }
    }
    return EEXIST;
}

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return platform::WithoutTrailingSeparator(path);
    char* cwd = ::getcwd(nullptr, 0);
    const std::string folder = cwd ? cwd : "/";
    std::free(cwd);
    return platform::ResolveTypedPath(path, folder, HomeFolder());
}

// The path of the entry as the top folder's trash records it.
std::string RelativeToTop(const std::string& path, const std::string& top) {
    if (platform::IsRootPath(top)) return path.substr(1);
    return path.substr(top.size() + 1);
}

} // namespace

std::string HomeTrashFolder() {
    return platform::JoinPath(DataHome(), "Trash");
}

int MoveToTrash(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    const auto [parent, name] = platform::SplitPath(absolute);
    if (name.empty() || name == "." || name == "..") return EINVAL;
    UniqueFd parentFd(::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (parentFd.get() < 0) return errno;
    struct stat entry {};
    if (::fstatat(parentFd.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) return errno;

    TrashFolder home;
    const int homeError = PrepareHomeTrash(home);
    if (homeError == 0 && home.device == entry.st_dev) {
        const int moved = MoveInto(home, parentFd.get(), name, absolute);
        if (moved != EXDEV) return moved;
    }
    // Another file system, or another mount of the home one.
    TrashFolder top;
    const std::string topFolder = TopFolderOf(parent, entry.st_dev);
    if (const int error = PrepareTopTrash(topFolder, top); error != 0) return error;
    return MoveInto(top, parentFd.get(), name, RelativeToTop(absolute, topFolder));
}

std::vector<TrashFailure> MoveEntriesToTrash(const std::string& folder,
                                             const std::vector<std::string>& names) {
    std::vector<TrashFailure> failures;
    for (const auto& name : names) {
        if (name == ".." || name == ".") continue;
        const int error = MoveToTrash(platform::JoinPath(folder, name));
        if (error != 0) failures.push_back({name, error, SystemReason(error)});
    }
    return failures;
}

} // namespace fileops
