#include "history_list.h"

#include "atomic_file.h"
#include "encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace filelist {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

char FoldAsciiCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

[[noreturn]] void ThrowErrno(const std::string& path) {
    throw std::system_error(errno, std::generic_category(), path);
}

// The file's bytes, or nothing when no file of that name exists.
std::optional<std::string> ReadExistingFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
        ThrowErrno(path);
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            errno = error;
            ThrowErrno(path);
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
    ::close(fd);
    return bytes;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\r' && text[i] != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        const bool crLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        i += crLf ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool HoldsLineBreak(const std::string& entry) {
    return entry.find_first_of("\r\n") != std::string::npos;
}

// Removes the first entry from `from` on that matches `text`, and the empty
// entries met before it.
void RemoveFirstDuplicate(std::vector<std::string>& entries, std::size_t from,
                          const std::string& text, HistoryMatch match) {
    std::size_t i = from;
    while (i < entries.size()) {
        if (HistoryEntriesMatch(entries[i], text, match)) {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
        if (entries[i].empty()) {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

} // namespace

bool HistoryEntriesMatch(const std::string& a, const std::string& b, HistoryMatch match) {
    if (match == HistoryMatch::Exact) return a == b;
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

std::optional<std::vector<std::string>> LoadHistoryFile(const std::string& path) {
    const auto bytes = ReadExistingFile(path);
    if (!bytes) return std::nullopt;
    return SplitLines(platform::FromSettingsEncoding(*bytes));
}

// Values keep their exact bytes through a save and a load: the whole text is
// written as CP932 only when it converts back to the same bytes, else as its own
// bytes behind a byte order mark, which reading strips and keeps as they are.
// So a name that is not valid UTF-8 (a raw CP932 file name, say) comes back
// unchanged; the file is then UTF-8 with BOM except for that name's bytes.
void SaveHistoryFile(const std::string& path, const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& entry : entries) {
        if (HoldsLineBreak(entry)) continue;
        text += entry;
        text += kLineEnd;
    }
    platform::WriteFileAtomically(path, platform::ToSettingsEncoding(text));
}

void PushHistory(std::vector<std::string>& entries, const std::string& text, HistoryMatch match) {
    entries.insert(entries.begin(), text);
    RemoveFirstDuplicate(entries, 1, text, match);
    if (entries.size() > kHistoryLimit) entries.resize(kHistoryLimit);
}

void MoveHistoryTextToTop(std::vector<std::string>& entries, const std::string& text,
                          HistoryMatch match) {
    RemoveFirstDuplicate(entries, 0, text, match);
    entries.insert(entries.begin(), text);
}

void MoveHistoryEntryToTop(std::vector<std::string>& entries, std::size_t index) {
    if (index >= entries.size()) return;
    const std::string picked = entries[index];
    MoveHistoryTextToTop(entries, picked, HistoryMatch::Exact);
}

} // namespace filelist
