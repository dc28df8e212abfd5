#include "exact_decimal.h"

#include <array>
#include <charconv>
#include <cstring>

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

void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::optional<ExactDecimal> ParseExactDecimal(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
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
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n || (!anyDigit && !point)) return std::nullopt;
    return result;
}

void AppendScaledUnits(std::string& out, bool negative, std::uint64_t units, int decimals) {
    char digits[24];
    const auto length =
        static_cast<int>(std::to_chars(digits, digits + sizeof digits, units).ptr - digits);
    // Assembled in one buffer, then appended at once.
    char text[48];
    int at = 0;
    if (negative && units != 0) text[at++] = '-';
    const int intLength = length - decimals;
    if (intLength <= 0) {
        text[at++] = '0';
        text[at++] = '.';
        for (int i = intLength; i < 0; ++i)
            text[at++] = '0';
        std::memcpy(text + at, digits, static_cast<std::size_t>(length));
        at += length;
    } else {
        std::memcpy(text + at, digits, static_cast<std::size_t>(intLength));
        at += intLength;
        if (decimals > 0) {
            text[at++] = '.';
            std::memcpy(text + at, digits + intLength, static_cast<std::size_t>(decimals));
            at += decimals;
        }
    }
    out.append(text, static_cast<std::size_t>(at));
}

} // namespace nc
