#include "free_space.h"

#include <charconv>
#include <sys/statvfs.h>

namespace filelist {

std::optional<double> FreeBytes(const std::string& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return std::nullopt;
    return static_cast<double>(info.f_bfree) * static_cast<double>(info.f_frsize);
}

namespace {

// Fixed decimals with "." whatever the user's locale.
std::string Fixed(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, end.ptr);
}

} // namespace

std::string FreeSpaceText(double freeBytes) {
    static const char* const units[] = {"KB", "MB", "GB"};
    if (freeBytes < 1024) return "/ " + Fixed(freeBytes, 0) + "ﾊﾞｲﾄ Free";
    double value = freeBytes / 1024;
    for (const char* unit : units) {
        if (value < 1024) return "/ " + Fixed(value, 3) + unit + " Free";
        value /= 1024;
    }
    return {};
}

} // namespace filelist
