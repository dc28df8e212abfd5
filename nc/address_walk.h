#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace nc {

struct ShortLine;

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
    using WritePlain = char* (*)(char* out, bool negative, const char* text, int length,
                                 int pointAt, int decimals);

    // How values are rewritten: the general rule, the exact fast path, and a
    // quicker one for runs that the short-line masks show to be plain.
    struct ValueRules {
        AppendValue general;
        WriteValue fast;
        WritePlain plain;
    };

    AddressWalk(std::string_view keepLetters, bool withPoint, bool comments, ValueRules rules,
                int decimals);
    // The walk as described, with the general value rule.
    void Walk(std::string_view line, std::string& out);
    // The same result from left to right for the common line: no comment
    // bracket, not inside a comment, every value on the fast path. Writes at
    // `out` (room: WalkRoom) and returns the end, or nullptr, having changed
    // no state, for a line that needs Walk.
    // Bytes of the line's text up to `textEnd` may be read.
    char* WalkForward(std::string_view line, const char* textEnd, char* out) const;
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

    char* WalkShortLine(const ShortLine& line, char* out) const;
    char* WalkLongLine(std::string_view line, char* out) const;
    char* WritePlainRun(const ShortLine& line, std::size_t start, std::size_t end, char* out) const;
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

} // namespace nc
