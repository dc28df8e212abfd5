#include "nc_reader.h"

#include "nc_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nc {
namespace {

// 256 KiB reads: large enough for the speed of the page cache, small enough
// that fresh buffer pages (costly to fault in) stay few.
constexpr std::size_t kChunkSize = std::size_t{1} << 18;
constexpr std::size_t kMinBuffer = 4096;
// Lines read after the file-form question arrive in pieces of this length.
constexpr std::size_t kPieceLength = 499;

// Where the last whole line of data[0, size) ends: after its last LF, or after
// its last CR unless that CR is the final byte, whose LF may still follow.
std::size_t EndOfWholeLines(const char* data, std::size_t size) {
    const std::size_t searched = size > 0 && data[size - 1] == '\r' ? size - 1 : size;
    const char* lastBreak = FindLastLineBreak(data, data + searched);
    return lastBreak == nullptr ? 0 : static_cast<std::size_t>(lastBreak - data) + 1;
}

// The first line start at or after `from` (0 < from < size) in whole lines
// data[0, size): after the first CR, LF or CR LF that ends at or after `from`.
std::size_t FirstLineStartFrom(const char* data, std::size_t size, std::size_t from) {
    const char* lineBreak = FindLineBreak(data + from - 1, data + size);
    if (lineBreak == data + size) return size;
    const auto at = static_cast<std::size_t>(lineBreak - data) + 1;
    return at < size && data[at - 1] == '\r' && data[at] == '\n' ? at + 1 : at;
}

} // namespace

NcReader::NcReader(const std::string& path, const FormQuestion& ask) : m_path(path) {
    Open();
    try {
        Fill();
        if (m_begin == m_end) AskFileForm(ask);
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

NcReader::NcReader(const std::string& path, std::uint64_t begin, std::uint64_t end)
    : m_path(path), m_rangeEnd(end) {
    Open();
    try {
        if (begin > 0) SkipToLineStartFrom(begin);
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

void NcReader::Open() {
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = m_fd < 0 || !S_ISDIR(info.st_mode) ? errno : EISDIR;
        if (m_fd >= 0) ::close(m_fd);
        throw NcError(CannotOpenMessage(m_path), 0, SystemReason(error));
    }
    m_fileSize = static_cast<std::uint64_t>(info.st_size);
    // Small files get a small buffer; it grows when a line needs more.
    m_buffer.resize(std::clamp<std::size_t>(m_fileSize + 1, kMinBuffer, kChunkSize));
}

// Reading starts at the first line that starts at or after `begin`: after the
// terminator that ends at or after it, looked for from the byte before it.
void NcReader::SkipToLineStartFrom(std::uint64_t begin) {
    if (::lseek(m_fd, static_cast<off_t>(begin - 1), SEEK_SET) < 0) {
        throw NcError(CannotOpenMessage(m_path));
    }
    m_position = begin - 1;
    for (;;) {
        const char* data = m_buffer.data() + m_begin;
        const std::size_t size = m_end - m_begin;
        const char* lineBreak = FindLineBreak(data, data + size);
        // A CR at the end of the data may still be followed by its LF.
        const bool decided = lineBreak != data + size &&
                             !(*lineBreak == '\r' && lineBreak + 1 == data + size && !m_eof);
        if (decided) {
            const std::size_t start = FirstLineStartFrom(data, size, 1 + (lineBreak - data));
            m_begin += start;
            m_position += start;
            return;
        }
        const std::size_t kept = lineBreak != data + size ? size - 1 : 0;
        m_position += size - kept;
        m_begin = m_end - kept;
        if (!Fill() && m_begin == m_end) return;
    }
}

// The text is empty: the file is, or its first byte is NUL.
void NcReader::AskFileForm(const FormQuestion& ask) {
    m_mode = ask && ask() ? Mode::Pieces : Mode::Nothing;
    if (m_mode != Mode::Pieces) return;
    // The pieces come from the whole file, NUL bytes and all.
    if (::lseek(m_fd, 0, SEEK_SET) != 0) throw NcError(CannotOpenMessage(m_path));
    m_begin = m_end = 0;
    m_eof = false;
    m_consumed = 0;
}

NcReader::~NcReader() {
    if (m_fd >= 0) ::close(m_fd);
}

// Reads more after the unconsumed bytes; in Text mode the data ends at the
// first NUL. A read error stops the pass rather than passing for the end.
bool NcReader::Fill() {
    if (m_eof) return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) m_buffer.resize(m_buffer.size() * 2);
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw NcError(CannotOpenMessage(m_path), 0, SystemReason(errno));
        if (got == 0) {
            m_eof = true;
            return false;
        }
        const auto size = static_cast<std::size_t>(got);
        if (m_mode == Mode::Text) {
            const void* nul = std::memchr(m_buffer.data() + m_end, '\0', size);
            if (nul != nullptr) {
                m_end = static_cast<std::size_t>(static_cast<const char*>(nul) - m_buffer.data());
                m_eof = true;
                m_endsAtNul = true;
                return true;
            }
        }
        m_end += size;
        return true;
    }
}

bool NcReader::NextTextBlock(std::string_view& block) {
    for (;;) {
        const char* data = m_buffer.data() + m_begin;
        const std::size_t size = m_end - m_begin;
        std::size_t whole = m_eof ? size : EndOfWholeLines(data, size);
        if (m_position >= m_rangeEnd) return false;
        if (whole > 0 && m_position + whole > m_rangeEnd) {
            // The lines that start in the range, and no more.
            const auto from = static_cast<std::size_t>(m_rangeEnd - m_position);
            if (from > 0) whole = FirstLineStartFrom(data, whole, from);
        }
        if (whole > 0) {
            m_position += whole;
            block = std::string_view(data, whole);
            m_begin += whole;
            m_consumed += whole;
            return true;
        }
        if (!Fill() && m_begin == m_end) return false;
    }
}

bool NcReader::NextPieceBlock(std::string_view& block) {
    m_pieceBlock.clear();
    while (m_pieceBlock.size() < kChunkSize) {
        if (m_pieceOffset >= m_rawLine.size()) {
            // The raw block stays in the buffer until its lines are used up.
            m_pieceOffset = 0;
            m_rawLine = {};
            if (m_rawLines.Next(m_rawLine)) continue;
            std::string_view raw;
            if (!NextTextBlock(raw)) break;
            m_rawLines = TextLines(raw);
            continue;
        }
        std::string_view piece = m_rawLine.substr(m_pieceOffset, kPieceLength);
        m_pieceOffset += piece.size();
        piece = piece.substr(0, piece.find('\0'));
        if (piece.empty()) continue;
        m_pieceBlock.append(piece);
        m_pieceBlock += "\r\n";
    }
    block = m_pieceBlock;
    return !block.empty();
}

bool NcReader::NextBlock(std::string_view& block) {
    switch (m_mode) {
    case Mode::Text:
        return NextTextBlock(block);
    case Mode::Pieces:
        return NextPieceBlock(block);
    case Mode::Nothing:
        return false;
    }
    return false;
}

bool NcReader::Next(std::string_view& line) {
    while (!m_blockLines.Next(line)) {
        std::string_view block;
        if (!NextBlock(block)) return false;
        m_blockLines = TextLines(block);
    }
    m_endsWithBreak = m_blockLines.terminated();
    return true;
}

} // namespace nc
