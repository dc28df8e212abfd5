#include "mount_info.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace filelist {

namespace {

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The byte written as "\ooo" at `at`, or nothing when the text there is not such an escape.
std::optional<char> OctalEscapeAt(std::string_view text, std::size_t at) {
    if (text[at] != '\\' || text.size() - at < 4) return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = at + 1; i < at + 4; ++i) {
        if (!IsOctalDigit(text[i])) return std::nullopt;
        value = value * 8 + static_cast<unsigned>(text[i] - '0');
    }
    if (value > 0xFF) return std::nullopt;
    return static_cast<char>(static_cast<unsigned char>(value));
}

// Fields are separated by single blanks; an empty source gives an empty field.
std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

bool ParseNumber(std::string_view text, unsigned& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// "8:17" into 8 and 17.
bool ParseDeviceNumber(std::string_view text, unsigned& major, unsigned& minor) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    return ParseNumber(text.substr(0, colon), major) && ParseNumber(text.substr(colon + 1), minor);
}

// Fields: id, parent id, major:minor, root, mount point, options, optional
// fields ended by "-", then the file system type, the source and its options.
std::optional<MountEntry> ParseLine(std::string_view line) {
    const auto fields = SplitAtBlanks(line);
    constexpr std::size_t firstOptional = 6;
    std::size_t separator = firstOptional;
    while (separator < fields.size() && fields[separator] != "-")
        ++separator;
    if (separator + 2 >= fields.size()) return std::nullopt;
    MountEntry entry;
    if (!ParseDeviceNumber(fields[2], entry.major, entry.minor)) return std::nullopt;
    entry.root = DecodeMountField(fields[3]);
    entry.mountPoint = DecodeMountField(fields[4]);
    entry.fsType = DecodeMountField(fields[separator + 1]);
    entry.source = DecodeMountField(fields[separator + 2]);
    if (entry.mountPoint.empty() || entry.mountPoint.front() != '/') return std::nullopt;
    return entry;
}

} // namespace

std::string DecodeMountField(std::string_view field) {
    std::string decoded;
    decoded.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (const auto byte = OctalEscapeAt(field, i)) {
            decoded += *byte;
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (auto entry = ParseLine(text.substr(start, end - start))) entries.push_back(*entry);
        start = end + 1;
    }
    return entries;
}

} // namespace filelist
