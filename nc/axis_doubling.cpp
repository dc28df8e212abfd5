#include "line_converters.h"

#include "value_transforms.h"

#include <cstring>
#include <optional>

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

// The value after the first axis letter of a line: the run of number
// characters is read; the number is the run without its trailing blanks,
// which stay in the line.
struct AxisValue {
    std::string_view before; // the line up to and including the letter
    std::string_view run;
    std::string_view after; // the line after the number
    int decimals = 0;
};

std::optional<AxisValue> FindAxisValue(std::string_view line, char axis) {
    const auto letter = line.find(axis);
    if (letter == std::string_view::npos) return std::nullopt;
    const std::size_t start = letter + 1;
    std::size_t end = start;
    while (end < line.size() && IsRunChar(line[end]))
        ++end;
    const std::string_view run = line.substr(start, end - start);
    if (run.empty() || run == "-") return std::nullopt;
    std::size_t numberEnd = end;
    while (numberEnd > start && line[numberEnd - 1] == ' ')
        --numberEnd;
    const std::string_view number = line.substr(start, numberEnd - start);
    return AxisValue{line.substr(0, start), run, line.substr(numberEnd), DoubledDecimals(number)};
}

// Copies in 16-byte pieces when 15 more bytes may be read after the piece
// (and stored after the copy): short copies without a library call.
char* Copy(char* out, std::string_view bytes, bool padded) {
    if (!padded) {
        std::memcpy(out, bytes.data(), bytes.size());
    } else {
        for (std::size_t at = 0; at < bytes.size(); at += 16)
            std::memcpy(out + at, bytes.data() + at, 16);
    }
    return out + bytes.size();
}

} // namespace

AxisDoubling::AxisDoubling(char axis) : m_axis(axis) {}

std::unique_ptr<LineConverter> AxisDoubling::Clone() const {
    return std::make_unique<AxisDoubling>(m_axis);
}

void AxisDoubling::ConvertLine(std::string_view line, std::string& out) {
    const auto value = FindAxisValue(line, m_axis);
    if (!value) {
        out.append(line);
        return;
    }
    out.append(value->before);
    AppendDoubledGeneral(out, value->run, value->decimals);
    out.append(value->after);
}

std::size_t AxisDoubling::ConvertText(std::string_view text, ByteBuffer& out) {
    return ConvertLines(text, out, [this](std::string_view line, const char* textEnd, char* at) {
        return ConvertLineFast(
            line, textEnd - line.data() >= static_cast<std::ptrdiff_t>(line.size() + 16), at);
    });
}

char* AxisDoubling::ConvertLineFast(std::string_view line, bool padded, char* out) const {
    const auto value = FindAxisValue(line, m_axis);
    if (!value) return Copy(out, line, padded);
    out = WriteDoubledFast(Copy(out, value->before, padded), value->run, value->decimals);
    return out == nullptr ? nullptr : Copy(out, value->after, padded);
}

} // namespace nc
