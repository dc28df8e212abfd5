#include "row_walker.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace viewer {
namespace {

bool IsBreak(char byte) {
    return byte == '\n' || byte == '\r' || byte == '\0';
}

// The index of the first CR, LF or NUL in [from, to), or `to`. Eight bytes
// are tested at once for any byte below 0x0E, which lines of text rarely
// hold but for their break.
std::size_t FindBreak(const char* bytes, std::size_t from, std::size_t to) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHigh = 0x80 * kOnes;
    std::size_t at = from;
    for (; at + 8 <= to; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        if (((word - 0x0E * kOnes) & ~word & kHigh) == 0) continue;
        for (std::size_t k = at; k < at + 8; ++k) {
            if (IsBreak(bytes[k])) return k;
        }
    }
    for (; at < to; ++at) {
        if (IsBreak(bytes[at])) return at;
    }
    return to;
}

} // namespace

RowWalker::RowWalker(const FileSource& file, TextEncoding encoding, std::uint64_t start,
                     std::size_t bufferBytes)
    : m_file(file), m_encoding(encoding), m_buffer(std::max(bufferBytes, 4 * kMaxRowBytes)),
      m_bufferOffset(start) {}

std::optional<Row> RowWalker::Next() {
    if (m_textEnded) return std::nullopt;
    std::size_t scanned = m_rowStart;
    for (;;) {
        // A break right after kMaxRowBytes still ends the row there.
        const std::size_t limit = std::min(m_filled, m_rowStart + kMaxRowBytes + 1);
        const std::size_t at = FindBreak(m_buffer.data(), scanned, limit);
        if (at < limit) {
            const char byte = m_buffer[at];
            if (byte == '\0') return EndText(at);
            if (byte == '\n') return TakeRow(at, at + 1);
            // A CR: an LF right after it belongs to the same break.
            if (at + 1 == m_filled && !m_fileEnded) {
                const std::size_t shift = m_rowStart;
                ReadMore();
                scanned = at - shift;
                continue;
            }
            const bool crlf = at + 1 < m_filled && m_buffer[at + 1] == '\n';
            return TakeRow(at, at + (crlf ? 2 : 1));
        }
        if (limit == m_rowStart + kMaxRowBytes + 1) {
            const std::string_view row(m_buffer.data() + m_rowStart, kMaxRowBytes + 1);
            const std::size_t cut = m_rowStart + CharacterCut(row, kMaxRowBytes, m_encoding);
            return TakeRow(cut, cut);
        }
        if (m_fileEnded) return EndText(m_filled);
        const std::size_t shift = m_rowStart;
        ReadMore();
        scanned = limit - shift;
    }
}

Row RowWalker::TakeRow(std::size_t end, std::size_t next) {
    const Row row{Offset(m_rowStart), Offset(end), Offset(next)};
    m_rowStart = next;
    return row;
}

std::optional<Row> RowWalker::EndText(std::size_t end) {
    m_textEnded = true;
    m_textEnd = Offset(end);
    if (end == m_rowStart) return std::nullopt;
    return TakeRow(end, end);
}

void RowWalker::ReadMore() {
    const std::size_t kept = m_filled - m_rowStart;
    std::memmove(m_buffer.data(), m_buffer.data() + m_rowStart, kept);
    m_bufferOffset += m_rowStart;
    m_filled = kept;
    m_rowStart = 0;
    const std::size_t got = m_file.ReadAt(Offset(m_filled), std::span(m_buffer).subspan(m_filled));
    m_filled += got;
    if (got == 0) m_fileEnded = true;
}

} // namespace viewer
