#include "nc_value.h"

#include "exact_decimal.h"
#include "nc_error.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace nc {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtold must not see the user's locale: an NC program always uses ".".
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

// The significant digits and decimal exponent of a value, as printf's "%.17Le"
// gives them: value = 0.d1d2..d18 x 10^(exponent + 1).
struct EighteenDigits {
    bool negative = false;
    std::array<char, 18> digits{};
    int exponent = 0;
};

EighteenDigits ToEighteenDigits(long double value) {
    EighteenDigits result;
    result.negative = std::signbit(value);
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", value);
    // Read digits only: the radix character follows the C library's locale.
    const char* p = text;
    if (*p == '-') ++p;
    std::size_t count = 0;
    for (; *p && *p != 'e'; ++p) {
        if (IsDigit(*p) && count < result.digits.size()) result.digits[count++] = *p;
    }
    if (*p == 'e') result.exponent = std::atoi(p + 1);
    return result;
}

// The value rounded to units of 10^-decimals, as a digit string without sign.
std::string RoundedUnits(const EighteenDigits& value, int decimals) {
    const int keep = value.exponent + decimals + 1;
    const int total = static_cast<int>(value.digits.size());
    if (keep <= 0) return (keep == 0 && value.digits[0] >= '5') ? "1" : "0";
    std::string units(value.digits.data(), static_cast<std::size_t>(std::min(keep, total)));
    if (keep >= total) {
        units.append(static_cast<std::size_t>(keep - total), '0');
    } else if (value.digits[static_cast<std::size_t>(keep)] >= '5') {
        IncrementDigits(units);
    }
    const auto first = units.find_first_not_of('0');
    return first == std::string::npos ? "0" : units.substr(first);
}

} // namespace

NcPattern DecimalsPattern(int decimals) {
    return NcPattern{decimals, false};
}

std::optional<NcPattern> PatternFromText(std::string_view text) {
    if (text == "_000") return NcPattern{0, true};
    if (text == "#0") return NcPattern{0, false};
    if (text.size() < 4 || text.size() > 9 || text.substr(0, 3) != "#0.") return std::nullopt;
    for (char c : text.substr(3)) {
        if (c != '0') return std::nullopt;
    }
    return NcPattern{static_cast<int>(text.size()) - 3, false};
}

std::optional<long double> TryReadNcValue(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    std::string normal;
    if (i < n && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    const std::size_t intStart = i;
    while (i < n && IsDigit(text[i]))
        ++i;
    std::string_view intDigits = text.substr(intStart, i - intStart);
    std::string_view fracDigits;
    bool point = false;
    if (i < n && text[i] == '.') {
        point = true;
        const std::size_t fracStart = ++i;
        while (i < n && IsDigit(text[i]))
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && !point) return std::nullopt;
    normal.append(intDigits.empty() ? std::string_view("0") : intDigits);
    normal += '.';
    normal.append(fracDigits);
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        normal += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        const std::size_t expStart = i;
        while (i < n && IsDigit(text[i]))
            ++i;
        if (i == expStart) return std::nullopt;
        normal.append(text.substr(expStart, i - expStart));
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n) return std::nullopt;
    errno = 0;
    const long double value = strtold_l(normal.c_str(), nullptr, CLocale());
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

long double ReadNcValue(std::string_view text) {
    if (auto value = TryReadNcValue(text)) return *value;
    throw NcError(InvalidNumberMessage(std::string(text)));
}

void AppendNcValue(std::string& out, NcPattern pattern, long double value) {
    const EighteenDigits digits = ToEighteenDigits(value);
    std::string units = RoundedUnits(digits, pattern.decimals);
    const bool negative = digits.negative && units != "0";
    const auto width = static_cast<std::size_t>(pattern.serial ? 3 : pattern.decimals + 1);
    if (units.size() < width) units.insert(0, width - units.size(), '0');
    if (pattern.serial) out += '_';
    if (negative) out += '-';
    const std::size_t intLength = units.size() - static_cast<std::size_t>(pattern.decimals);
    out.append(units, 0, intLength);
    if (pattern.decimals > 0) {
        out += '.';
        out.append(units, intLength, std::string::npos);
    }
}

std::string FormatNcValue(NcPattern pattern, long double value) {
    std::string out;
    AppendNcValue(out, pattern, value);
    return out;
}

} // namespace nc
