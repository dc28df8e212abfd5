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

char* IncrementDigits(char* begin, char* end) {
    for (char* at = end; at != begin;) {
        --at;
        if (*at != '9') {
            ++*at;
            return begin;
        }
        *at = '0';
    }
    *--begin = '1';
    return begin;
}

void IncrementDigits(std::string& digits) {
    digits.insert(digits.begin(), '0');
    char* const spare = digits.data();
    if (IncrementDigits(spare + 1, spare + digits.size()) != spare) digits.erase(0, 1);
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

char* WriteScaledUnits(char* out, bool negative, std::uint64_t units, int decimals) {
    char digits[24];
    const auto length =
        static_cast<int>(std::to_chars(digits, digits + sizeof digits, units).ptr - digits);
    if (negative && units != 0) *out++ = '-';
    const int intLength = length - decimals;
    if (intLength <= 0) {
        *out++ = '0';
        *out++ = '.';
        std::memset(out, '0', static_cast<std::size_t>(-intLength));
        out += -intLength;
        std::memcpy(out, digits, static_cast<std::size_t>(length));
        return out + length;
    }
    std::memcpy(out, digits, static_cast<std::size_t>(intLength));
    out += intLength;
    if (decimals == 0) return out;
    *out++ = '.';
    std::memcpy(out, digits + intLength, static_cast<std::size_t>(decimals));
    return out + decimals;
}

} // namespace nc
