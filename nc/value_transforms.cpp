#include "value_transforms.h"

#include "exact_decimal.h"
#include "nc_error.h"
#include "nc_value.h"

#include <array>
#include <cmath>
#include <cstring>
#include <optional>

namespace nc {
namespace {

// A number of the form [-]digits[.digits] and nothing else.
struct PlainNumber {
    bool negative = false;
    bool point = false;
    std::string_view intDigits;
    std::string_view fracDigits;
};

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::optional<PlainNumber> SplitPlainNumber(std::string_view text) {
    PlainNumber number;
    if (!text.empty() && text[0] == '-') {
        number.negative = true;
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    number.point = point != std::string_view::npos;
    number.intDigits = text.substr(0, point);
    if (number.point) number.fracDigits = text.substr(point + 1);
    if (!AllDigits(number.intDigits) || !AllDigits(number.fracDigits)) return std::nullopt;
    if (number.intDigits.empty() && !number.point) return std::nullopt;
    return number;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Throws the invalid-number error for a result that overflows the range.
long double CheckedResult(long double value, std::string_view number) {
    if (!std::isfinite(value)) throw NcError(InvalidNumberMessage(std::string(number)));
    return value;
}

} // namespace

long double InsertionFactor(int decimals) {
    // The nearest extended values to 0.1 .. 0.000001, as literals of that precision.
    static constexpr std::array<long double, 7> factors = {1.0L,    0.1L,     0.01L,    0.001L,
                                                           0.0001L, 0.00001L, 0.000001L};
    return factors[static_cast<std::size_t>(decimals)];
}

void AppendDoubledGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    AppendNcValue(out, DecimalsPattern(decimals), CheckedResult(value + value, number));
}

bool AppendDoubledFast(std::string& out, std::string_view number, int decimals) {
    const auto exact = ParseExactDecimal(number);
    if (!exact || exact->scale > decimals || decimals - exact->scale > 1) return false;
    const std::uint64_t units = 2 * exact->mantissa * PowerOfTen(decimals - exact->scale);
    AppendScaledUnits(out, exact->negative, units, decimals);
    return true;
}

void AppendInsertedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    AppendNcValue(out, DecimalsPattern(decimals),
                  CheckedResult(value * InsertionFactor(decimals), number));
}

bool AppendInsertedFast(std::string& out, std::string_view number, int decimals) {
    const auto plain = SplitPlainNumber(number);
    if (!plain || plain->point) return false;
    const std::string_view digits = WithoutLeadingZeros(plain->intDigits);
    if (digits.size() > static_cast<std::size_t>(kExactDigits)) return false;
    // The same digits with a point put in: no arithmetic at all.
    if (plain->negative && !digits.empty()) out += '-';
    const auto places = static_cast<std::size_t>(decimals);
    if (digits.size() <= places) {
        out += "0.";
        out.append(places - digits.size(), '0');
        out.append(digits);
    } else {
        out.append(digits.substr(0, digits.size() - places));
        out += '.';
        out.append(digits.substr(digits.size() - places));
    }
    return true;
}

void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    const auto factor = static_cast<long double>(PowerOfTen(decimals));
    AppendNcValue(out, DecimalsPattern(0), CheckedResult(value * factor, number));
}

bool AppendRemovedFast(std::string& out, std::string_view number, int decimals) {
    const auto plain = SplitPlainNumber(number);
    if (!plain || plain->intDigits.size() + plain->fracDigits.size() > 40) return false;
    char joined[40];
    std::memcpy(joined, plain->intDigits.data(), plain->intDigits.size());
    std::memcpy(joined + plain->intDigits.size(), plain->fracDigits.data(),
                plain->fracDigits.size());
    const std::string_view digits = WithoutLeadingZeros(
        std::string_view(joined, plain->intDigits.size() + plain->fracDigits.size()));
    if (digits.size() > static_cast<std::size_t>(kExactDigits)) return false;
    // value x 10^decimals = digits x 10^shift: the point moves, then halves go up.
    const int shift = decimals - static_cast<int>(plain->fracDigits.size());
    std::string units;
    if (shift >= 0) {
        if (digits.size() + static_cast<std::size_t>(shift) >
            static_cast<std::size_t>(kExactDigits)) {
            return false;
        }
        units.assign(digits);
        if (!units.empty()) units.append(static_cast<std::size_t>(shift), '0');
    } else {
        const auto keep = static_cast<std::ptrdiff_t>(digits.size()) + shift;
        const char firstDropped = keep >= 0 ? digits[static_cast<std::size_t>(keep)] : '0';
        if (keep > 0) units.assign(digits.substr(0, static_cast<std::size_t>(keep)));
        if (firstDropped >= '5') IncrementDigits(units);
    }
    if (units.empty()) units = "0";
    if (plain->negative && units != "0") out += '-';
    out += units;
    return true;
}

} // namespace nc
