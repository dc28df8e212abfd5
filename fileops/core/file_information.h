#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace fileops {

// The start of the size line; the gaps are ideographic spaces.
inline constexpr const char* kSizeLinePrefix = "サイズ :　　";

// The size line of the file information: up to 1024 bytes the count in
// bytes; above, the size in KB, MB or GB (1024-based) with three decimals
// rounded half up, followed by the exact count with thousands separators:
// "サイズ :　　1.500KB (1,536ﾊﾞｲﾄ)".
std::string FormatSizeText(std::uint64_t size);

// The size line of a folder.
std::string FolderSizeText();

// Attribute bits as the file list shows them (R, H, S, A).
enum AttributeBit : std::uint8_t { kReadOnly = 1, kHidden = 2, kSystem = 4, kArchive = 8 };

struct FileInformation {
    bool folder = false;
    std::uint64_t size = 0; // 0 for a folder
    // R: the owner may not write; H: the name starts with "."; S: neither a
    // regular file nor a folder; A: never.
    std::uint8_t attributes = 0;
    // A regular file with the owner's execute bit, as the list tells programs.
    bool program = false;
    struct timespec modified {};
};

// What the file information dialog shows of an entry (symbolic links
// followed, as the list does). Nothing when it cannot be examined; `error`
// then holds the errno value.
std::optional<FileInformation> ReadFileInformation(const std::string& path, int& error);

// Read-only is the only attribute that can change: it clears or sets the
// owner's write permission. Returns 0 or the errno value.
int SetReadOnly(const std::string& path, bool readOnly);

} // namespace fileops
