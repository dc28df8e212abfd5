#pragma once

#include "short_line.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace nc {

// The right-to-left walk shared by decimal point insertion and removal. Number
// characters ("0123456789.-") are collected; a letter of the unchanged set
// drops them; any other byte ends the collected text, which is rewritten when
// that byte is an address letter (A-Z), the text is not a lone "-", and it has
// a point exactly when `withPoint` is true. With comments on, the walk skips
// text between ")" or "]" and "(" or "[" and carries that state over to the
// next line.
class AddressWalk final {
  public:
    using AppendValue = void (*)(std::string& out, std::string_view number, int decimals);
    using WriteValue = char* (*)(char* out, std::string_view number, int decimals);

    // How values are rewritten: the general rule and the exact fast path.
    struct ValueRules {
        AppendValue general;
        WriteValue fast;
    };

    AddressWalk(std::string_view keepLetters, bool withPoint, bool comments, ValueRules rules,
                int decimals);
    // The walk as described, with the general value rule.
    void Walk(std::string_view line, std::string& out);
    // The same result from left to right for the common line: no comment
    // bracket, not inside a comment, every value on the fast path. Writes at
    // `out` (room: WalkRoom) and returns the end, or nullptr, having changed
    // no state, for a line that needs Walk.
    // Bytes of the line's text up to `textEnd` may be read. Runs that the
    // masks of a short line show to be plain go to WritePlain (a function of
    // plain_values.h, chosen at compile time so that it is inlined).
    template <auto WritePlain>
    char* WalkForward(std::string_view line, const char* textEnd, char* out) const;
    // WalkForward for a line whose masks are made.
    template <auto WritePlain> char* WalkShort(const ShortLine& line, char* out) const {
        return m_insideComment ? nullptr : WalkShortLine<WritePlain>(line, out);
    }
    bool insideComment() const { return m_insideComment; }
    void setInsideComment(bool inside) { m_insideComment = inside; }
    static constexpr std::size_t WalkRoom(std::size_t lineLength) { return 6 * lineLength + 64; }

  private:
    enum ByteClass : std::uint8_t {
        Number = 1,
        Keep = 2,
        Letter = 4,
        Closer = 8,
        Opener = 16,
        Point = 32
    };

    template <auto WritePlain> char* WalkShortLine(const ShortLine& line, char* out) const;
    template <auto WritePlain>
    char* WritePlainRun(const ShortLine& line, std::size_t start, std::size_t end, char* out) const;
    char* WalkLongLine(std::string_view line, char* out) const;
    // Writes the new line from its end backwards into m_reversed.
    void PutBack(std::string_view bytes);
    bool Collected(std::string_view collected, bool hasPoint);

    std::array<std::uint8_t, 256> m_classes{};
    bool m_withPoint;
    bool m_comments;
    bool m_insideComment = false;
    ValueRules m_rules;
    int m_decimals;

    std::string m_reversed;    // the new line fills it from the end
    std::size_t m_written = 0; // bytes filled at its end
    std::string m_value;       // the new text of one value
};

// A maximal run of number characters is exactly the text the walk has
// collected when it meets the byte before the run, so the runs can be taken
// from left to right as long as no comment state is involved.
template <auto WritePlain>
char* AddressWalk::WalkForward(std::string_view line, const char* textEnd, char* out) const {
    if (m_insideComment) return nullptr;
    if (line.size() <= ShortLine::kMaxLength)
        return WalkShortLine<WritePlain>(ShortLine(line, textEnd, m_comments), out);
    return WalkLongLine(line, out);
}

// The runs of a short line from its bit masks.
template <auto WritePlain>
char* AddressWalk::WalkShortLine(const ShortLine& line, char* out) const {
    if (m_comments && line.brackets != 0) return nullptr;
    std::uint64_t starts = line.numbers & ~(line.numbers << 1) & ~std::uint64_t{1};
    std::size_t copied = 0;
    while (starts != 0) {
        const auto start = static_cast<std::size_t>(__builtin_ctzll(starts));
        starts &= starts - 1;
        if ((m_classes[line.bytes[start - 1]] & (Keep | Letter)) != Letter) continue;
        const std::size_t end = line.RunEnd(start);
        if (((line.points & ShortLine::Span(start, end)) != 0) != m_withPoint) continue;
        if (end - start == 1 && line.bytes[start] == '-') continue;
        out = line.CopyTo(out, copied, start);
        char* const written = WritePlainRun<WritePlain>(line, start, end, out);
        out = written ? written : m_rules.fast(out, line.Text(start, end), m_decimals);
        if (out == nullptr) return nullptr;
        copied = end;
    }
    return line.CopyTo(out, copied, line.length);
}

// A run that the masks show to be [-]digits with at most one point goes to
// the plain rule; nullptr for any other run.
template <auto WritePlain>
inline char* AddressWalk::WritePlainRun(const ShortLine& line, std::size_t start, std::size_t end,
                                        char* out) const {
    const std::uint64_t run = ShortLine::Span(start, end);
    const std::uint64_t points = run & line.points;
    const std::uint64_t sign = run & ~line.digits & ~points;
    if ((sign != 0 && sign != (std::uint64_t{1} << start)) || (points & (points - 1)) != 0) {
        return nullptr;
    }
    const std::size_t textStart = start + (sign != 0 ? 1 : 0);
    const std::size_t pointAt =
        points != 0 ? static_cast<std::size_t>(__builtin_ctzll(points)) : end;
    return WritePlain(out, sign != 0, reinterpret_cast<const char*>(line.bytes) + textStart,
                      static_cast<int>(end - textStart), static_cast<int>(pointAt - textStart),
                      m_decimals);
}

} // namespace nc
