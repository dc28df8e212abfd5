#include "exact_decimal.h"

#include <array>

namespace nc {

std::uint64_t PowerOfTen(int exponent) {
    static constexpr std::array<std::uint64_t, 20> powers = [] {
        std::array<std::uint64_t, 20> table{};
        std::uint64_t p = 1;
        for (auto& entry : table) {
            entry = p;
            p *= 10;
        }
        return table;
    }();
    return powers[static_cast<std::size_t>(exponent)];
}

std::optional<ExactDecimal> ParseExactDecimal(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') ++i;
    ExactDecimal result;
    if (i < n && text[i] == '-') {
        result.negative = true;
        ++i;
    }
    int significant = 0;
    bool anyDigit = false;
    bool point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (point) ++result.scale;
            if (significant > 0 || c != '0') ++significant;
            result.mantissa = result.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (significant > kExactDigits || result.scale > 18) return std::nullopt;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n || (!anyDigit && !point)) return std::nullopt;
    return result;
}

void AppendScaledUnits(std::string& out, bool negative, std::uint64_t units, int decimals) {
    char digits[24];
    int length = 0;
    do {
        digits[length++] = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units != 0);
    const bool zero = length == 1 && digits[0] == '0';
    while (length < decimals + 1) digits[length++] = '0';
    if (negative && !zero) out += '-';
    for (int i = length - 1; i >= 0; --i) {
        out += digits[i];
        if (i == decimals && decimals > 0) out += '.';
    }
}

} // namespace nc
