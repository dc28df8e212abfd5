#include "line_converters.h"

#include "value_transforms.h"

namespace nc {
namespace {

bool IsRunChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == ' ';
}

// Digits after the point as the pattern table of the doubling gives them: a
// value without a point stays an integer, a bare point gains one digit, and
// six or more digits are kept as they are.
int DoubledDecimals(std::string_view number) {
    const auto point = number.find('.');
    if (point == std::string_view::npos) return 0;
    const auto after = static_cast<int>(number.size() - point - 1);
    return after == 0 ? 1 : after;
}

} // namespace

AxisDoubling::AxisDoubling(char axis) : m_axis(axis) {}

void AxisDoubling::ConvertLine(std::string_view line, std::string& out) {
    const auto letter = line.find(m_axis);
    if (letter == std::string_view::npos) {
        out.append(line);
        return;
    }
    const std::size_t start = letter + 1;
    std::size_t end = start;
    while (end < line.size() && IsRunChar(line[end]))
        ++end;
    const std::string_view run = line.substr(start, end - start);
    if (run.empty() || run == "-") {
        out.append(line);
        return;
    }
    std::size_t numberEnd = end;
    while (numberEnd > start && line[numberEnd - 1] == ' ')
        --numberEnd;
    const std::string_view number = line.substr(start, numberEnd - start);
    const int decimals = DoubledDecimals(number);
    out.append(line.substr(0, start));
    if (!AppendDoubledFast(out, run, decimals)) AppendDoubledGeneral(out, run, decimals);
    out.append(line.substr(numberEnd));
}

} // namespace nc
