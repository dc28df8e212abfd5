#include "temporary_name.h"

#include <climits>
#include <cstdio>
#include <random>
#include <string_view>
#include <sys/stat.h>

namespace platform {
namespace {

constexpr std::string_view kTempMarker = ".tornwel-";
constexpr std::size_t kRandomLength = 6;

} // namespace

std::string TemporaryName(const std::string& finalName) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    const std::size_t room = NAME_MAX - 1 - kTempMarker.size() - kRandomLength;
    std::string name = "." + finalName.substr(0, room);
    name += kTempMarker;
    for (std::size_t i = 0; i < kRandomLength; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

std::string ProcFdPath(int fd) {
    char path[32];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
    return path;
}

bool CanLinkThroughProc(int fd) {
    struct stat open {};
    struct stat viaProc {};
    return ::fstat(fd, &open) == 0 && ::stat(ProcFdPath(fd).c_str(), &viaProc) == 0 &&
           open.st_dev == viaProc.st_dev && open.st_ino == viaProc.st_ino;
}

} // namespace platform
