#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nc {

// A line of at most 64 bytes with one bit per byte for the bytes the decimal
// point conversions look for. Runs of number characters are then found with
// bit operations instead of a branch per byte, and pieces are copied sixteen
// bytes at a time: the line is read where it is when kReadable bytes from its
// start may be read, else from a padded copy.
struct ShortLine {
    static constexpr std::size_t kMaxLength = 64;
    static constexpr std::size_t kReadable = kMaxLength + 16;

    // `findBrackets`: whether the bracket mask is wanted (only comments need it).
    ShortLine(std::string_view line, const char* readableEnd, bool findBrackets)
        : length(line.size()) {
        if (readableEnd - line.data() >= static_cast<std::ptrdiff_t>(kReadable)) {
            bytes = reinterpret_cast<const unsigned char*>(line.data());
        } else {
            std::memcpy(m_copy, line.data(), length);
            std::memset(m_copy + length, 0, 16);
            bytes = m_copy;
        }
        for (std::size_t at = 0; at < length; at += 16)
            Classify(at, findBrackets);
        CutTo(length);
    }

    // The line that starts at `start`, with kReadable bytes readable from it:
    // its end is found with the masks. ended() tells whether it ends within
    // kMaxLength bytes; the masks are only complete then.
    ShortLine(const char* start, bool findBrackets)
        : bytes(reinterpret_cast<const unsigned char*>(start)) {
        std::size_t at = 0;
        while (breaks == 0 && at < kMaxLength) {
            Classify(at, findBrackets);
            at += 16;
        }
        length = breaks != 0 ? static_cast<std::size_t>(__builtin_ctzll(breaks)) : kMaxLength;
        CutTo(length);
    }

    bool ended() const { return breaks != 0; }

    // The bits of the bytes [start, end), end > start.
    static std::uint64_t Span(std::size_t start, std::size_t end) {
        return (~std::uint64_t{0} >> (64 - (end - start))) << start;
    }

    // The end of the run of number characters that starts at `start`.
    std::size_t RunEnd(std::size_t start) const {
        return start + static_cast<std::size_t>(__builtin_ctzll(~(numbers >> start)));
    }

    // Copies bytes [from, to) to `out` in 16-byte pieces (up to 15 more bytes
    // may be stored after the copy) and returns the end of the copy.
    char* CopyTo(char* out, std::size_t from, std::size_t to) const {
        for (std::size_t at = from; at < to; at += 16)
            std::memcpy(out + (at - from), bytes + at, 16);
        return out + (to - from);
    }

    std::string_view Text(std::size_t from, std::size_t to) const {
        return {reinterpret_cast<const char*>(bytes) + from, to - from};
    }

    const unsigned char* bytes;
    std::size_t length = 0;
    std::uint64_t numbers = 0;  // "0123456789.-"
    std::uint64_t digits = 0;   // "0123456789"
    std::uint64_t points = 0;   // "."
    std::uint64_t brackets = 0; // "()[]"
    std::uint64_t breaks = 0;   // CR and LF

  private:
    // Sets the bits of the sixteen bytes from `at`.
    void Classify(std::size_t at, bool findBrackets) {
#if defined(__SSE2__)
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        const __m128i sinceZero = _mm_sub_epi8(v, _mm_set1_epi8('0'));
        const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(sinceZero, _mm_set1_epi8(9)), sinceZero);
        const __m128i point = _mm_cmpeq_epi8(v, _mm_set1_epi8('.'));
        const __m128i number =
            _mm_or_si128(_mm_or_si128(digit, point), _mm_cmpeq_epi8(v, _mm_set1_epi8('-')));
        const __m128i lineBreak = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('\r')),
                                               _mm_cmpeq_epi8(v, _mm_set1_epi8('\n')));
        numbers |= Bits(number) << at;
        digits |= Bits(digit) << at;
        points |= Bits(point) << at;
        breaks |= Bits(lineBreak) << at;
        if (findBrackets) {
            const __m128i bracket =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('(')),
                                          _mm_cmpeq_epi8(v, _mm_set1_epi8(')'))),
                             _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('[')),
                                          _mm_cmpeq_epi8(v, _mm_set1_epi8(']'))));
            brackets |= Bits(bracket) << at;
        }
#else
        for (std::size_t i = at; i < at + 16; ++i) {
            const auto c = static_cast<char>(bytes[i]);
            const std::uint64_t bit = std::uint64_t{1} << i;
            if ((c >= '0' && c <= '9') || c == '.' || c == '-') numbers |= bit;
            if (c >= '0' && c <= '9') digits |= bit;
            if (c == '.') points |= bit;
            if (findBrackets && (c == '(' || c == ')' || c == '[' || c == ']')) brackets |= bit;
            if (c == '\r' || c == '\n') breaks |= bit;
        }
#endif
    }

    // Drops the bits of the bytes after the line.
    void CutTo(std::size_t end) {
        const std::uint64_t inLine =
            end == kMaxLength ? ~std::uint64_t{0} : (std::uint64_t{1} << end) - 1;
        numbers &= inLine;
        digits &= inLine;
        points &= inLine;
        brackets &= inLine;
    }

#if defined(__SSE2__)
    static std::uint64_t Bits(__m128i mask) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(mask)));
    }
#endif

    alignas(16) unsigned char m_copy[kReadable];
};

} // namespace nc
