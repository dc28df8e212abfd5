#include "file_information.h"

#include "paths.h"

#include <cerrno>
#include <sys/stat.h>

namespace fileops {
namespace {

constexpr std::uint64_t kKilo = 1024;

std::string WithThousandsSeparators(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t pos = digits.size(); pos > 3; pos -= 3)
        digits.insert(pos - 3, ",");
    return digits;
}

// value / unit with three decimals, rounded half up, in integers so that no
// size is ever off by a binary rounding.
std::string ThreeDecimals(std::uint64_t value, std::uint64_t unit) {
    std::uint64_t whole = value / unit;
    std::uint64_t thousandths = ((value % unit) * 1000 + unit / 2) / unit;
    if (thousandths == 1000) {
        ++whole;
        thousandths = 0;
    }
    std::string fraction = std::to_string(thousandths);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(whole) + "." + fraction;
}

} // namespace

std::string FormatSizeText(std::uint64_t size) {
    const std::string prefix = kSizeLinePrefix;
    if (size <= kKilo) return prefix + std::to_string(size) + "ﾊﾞｲﾄ";
    const char* unitName = "KB";
    std::uint64_t unit = kKilo;
    if (size > kKilo * kKilo * kKilo) {
        unitName = "GB";
        unit = kKilo * kKilo * kKilo;
    } else if (size > kKilo * kKilo) {
        unitName = "MB";
        unit = kKilo * kKilo;
    }
    return prefix + ThreeDecimals(size, unit) + unitName + " (" + WithThousandsSeparators(size) +
           "ﾊﾞｲﾄ)";
}

std::string FolderSizeText() {
    return std::string(kSizeLinePrefix) + "0";
}

std::optional<FileInformation> ReadFileInformation(const std::string& path, int& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = errno;
        return std::nullopt;
    }
    error = 0;
    FileInformation entry;
    entry.folder = S_ISDIR(info.st_mode);
    entry.size = entry.folder ? 0 : static_cast<std::uint64_t>(info.st_size);
    if (!(info.st_mode & S_IWUSR)) entry.attributes |= kReadOnly;
    if (platform::SplitPath(platform::WithoutTrailingSeparator(path)).second.starts_with('.')) {
        entry.attributes |= kHidden;
    }
    if (!S_ISREG(info.st_mode) && !entry.folder) entry.attributes |= kSystem;
    entry.program = S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR);
    entry.modified = info.st_mtim;
    return entry;
}

int SetReadOnly(const std::string& path, bool readOnly) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno;
    const mode_t mode = readOnly ? (info.st_mode & ~S_IWUSR) : (info.st_mode | S_IWUSR);
    if ((mode & 07777) == (info.st_mode & 07777)) return 0;
    return ::chmod(path.c_str(), mode & 07777) == 0 ? 0 : errno;
}

} // namespace fileops
