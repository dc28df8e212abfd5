#pragma once

#include "byte_buffer.h"

#include <cstddef>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nc {

// The first CR or LF in [at, end), or end. Sixteen bytes at a time where the
// processor has SSE2 (every x86-64 does), so lines are found at memory speed.
inline const char* FindLineBreak(const char* at, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (mask != 0) return at + __builtin_ctz(static_cast<unsigned>(mask));
    }
#endif
    while (at < end && *at != '\r' && *at != '\n')
        ++at;
    return at;
}

// The last CR or LF in [begin, end), or nullptr.
inline const char* FindLastLineBreak(const char* begin, const char* end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - begin >= 16; end -= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (mask != 0) return end - 16 + (31 - __builtin_clz(static_cast<unsigned>(mask)));
    }
#endif
    while (end != begin) {
        --end;
        if (*end == '\r' || *end == '\n') return end;
    }
    return nullptr;
}

// Walks a text of whole lines: CR LF, a lone CR and a lone LF end a line, and
// the last line may have no terminator. A CR at the very end is a lone CR.
class TextLines final {
  public:
    explicit TextLines(std::string_view text)
        : m_at(text.data()), m_end(text.data() + text.size()) {}

    // The next line without its terminator; false at the end of the text.
    bool Next(std::string_view& line) {
        if (m_at == m_end) return false;
        const char* lineEnd = FindLineBreak(m_at, m_end);
        line = std::string_view(m_at, static_cast<std::size_t>(lineEnd - m_at));
        m_terminated = lineEnd != m_end;
        if (m_terminated) {
            ++lineEnd;
            if (lineEnd[-1] == '\r' && lineEnd != m_end && *lineEnd == '\n') ++lineEnd;
        }
        m_at = lineEnd;
        return true;
    }
    // Whether the line returned last had a terminator.
    bool terminated() const { return m_terminated; }
    // Where the next line starts.
    const char* position() const { return m_at; }

  private:
    const char* m_at;
    const char* m_end;
    bool m_terminated = false;
};

// Appends a text of whole lines to `out` with every terminator written as
// CR LF, as the line buffer writes its whole text.
void AppendWithCrLf(std::string_view text, ByteBuffer& out);

} // namespace nc
