#include "nc_reader.h"

#include "nc_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nc {
namespace {

// 1 MiB reads: large enough to run at the speed of the page cache.
constexpr std::size_t kChunkSize = std::size_t{1} << 20;
constexpr std::size_t kMinBuffer = 4096;
// Lines read after the file-form question arrive in pieces of this length.
constexpr std::size_t kPieceLength = 499;

bool IsBreakOrNul(char c) {
    return static_cast<unsigned char>(c) <= '\r' && (c == '\n' || c == '\r' || c == '\0');
}

// The first CR, LF or NUL in [at, end), or end. Sixteen bytes at a time where
// the processor has SSE2 (every x86-64 does): lines are scanned at memory speed.
std::size_t FindBreakOrNul(const char* data, std::size_t at, std::size_t end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i nul = _mm_setzero_si128();
    for (; at + 16 <= end; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
                         _mm_cmpeq_epi8(bytes, nul));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return at + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    while (at < end && !IsBreakOrNul(data[at]))
        ++at;
    return at;
}

} // namespace

NcReader::NcReader(const std::string& path, const FormQuestion& ask) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        if (m_fd >= 0) ::close(m_fd);
        throw NcError(CannotOpenMessage(path));
    }
    m_fileSize = static_cast<std::uint64_t>(info.st_size);
    // Small files get a small buffer; it grows when a line needs more.
    m_buffer.resize(std::clamp<std::size_t>(m_fileSize + 1, kMinBuffer, kChunkSize));
    Fill();
    const bool textEmpty = m_begin == m_end || m_buffer[m_begin] == '\0';
    if (!textEmpty) return;
    if (ask && ask()) {
        m_mode = Mode::Pieces;
    } else {
        m_mode = Mode::Nothing;
    }
}

NcReader::~NcReader() {
    if (m_fd >= 0) ::close(m_fd);
}

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
        if (got <= 0) {
            m_eof = true;
            return false;
        }
        m_end += static_cast<std::size_t>(got);
        return true;
    }
}

NcReader::Raw NcReader::NextRawLine(bool stopAtNul, std::string_view& line, bool& hadBreak) {
    std::size_t scan = m_begin;
    for (;;) {
        const char* data = m_buffer.data();
        std::size_t at = scan;
        if (stopAtNul) {
            at = FindBreakOrNul(data, at, m_end);
        } else {
            while (at < m_end && data[at] != '\n' && data[at] != '\r')
                ++at;
        }
        if (at == m_end && !m_eof) {
            const std::size_t scanned = at - m_begin;
            Fill();
            scan = m_begin + scanned;
            continue;
        }
        if (at < m_end && data[at] == '\r' && at + 1 == m_end && !m_eof) {
            // A CR at the end of the data: read on to see whether an LF follows.
            const std::size_t scanned = at - m_begin;
            Fill();
            scan = m_begin + scanned;
            continue;
        }
        line = std::string_view(data + m_begin, at - m_begin);
        if (at == m_end || data[at] == '\0') {
            m_done = true;
            m_consumed += line.size();
            hadBreak = false;
            return line.empty() ? Raw::End : Raw::Line;
        }
        std::size_t next = at + 1;
        if (data[at] == '\r' && next < m_end && data[next] == '\n') ++next;
        m_consumed += next - m_begin;
        m_begin = next;
        hadBreak = true;
        return Raw::Line;
    }
}

bool NcReader::NextPiece(std::string_view& line) {
    for (;;) {
        while (m_pieceOffset < m_pieceLine.size()) {
            std::string_view piece = m_pieceLine.substr(m_pieceOffset, kPieceLength);
            m_pieceOffset += piece.size();
            piece = piece.substr(0, piece.find('\0'));
            if (!piece.empty()) {
                line = piece;
                m_endsWithBreak = true;
                return true;
            }
        }
        if (m_done) return false;
        bool hadBreak = false;
        if (NextRawLine(false, m_pieceLine, hadBreak) == Raw::End) return false;
        m_pieceOffset = 0;
    }
}

bool NcReader::Next(std::string_view& line) {
    bool got = false;
    if (m_mode == Mode::Pieces) {
        got = NextPiece(line);
    } else if (m_mode == Mode::Text && !m_done) {
        bool hadBreak = false;
        got = NextRawLine(true, line, hadBreak) == Raw::Line;
        if (got) m_endsWithBreak = hadBreak;
    }
    if (got) ++m_lineNumber;
    return got;
}

} // namespace nc
