#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

    AddressWalk(std::string_view keepLetters, bool withPoint, bool comments,
                AppendValue appendValue, int decimals);
    void Walk(std::string_view line, std::string& out);

private:
    enum ByteClass : std::uint8_t {
        Number = 1, Keep = 2, Letter = 4, Closer = 8, Opener = 16, Point = 32
    };

    void Collected(std::string_view line, std::size_t begin, std::size_t end, bool hasPoint);

    std::array<std::uint8_t, 256> m_classes{};
    bool m_withPoint;
    bool m_insideComment = false;
    AppendValue m_appendValue;
    int m_decimals;

    // A replaced range of the line and where its new text stands in m_texts.
    struct Replacement {
        std::size_t begin;
        std::size_t end;
        std::size_t textBegin;
        std::size_t textEnd;
    };
    std::vector<Replacement> m_replacements;
    std::string m_texts;
};

} // namespace nc
