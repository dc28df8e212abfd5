#include "value_transforms.h"

#include "plain_values.h"

#include "exact_decimal.h"
#include "nc_error.h"
#include "nc_value.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace nc {
namespace {

// Throws the invalid-number error for a result that overflows the range.
long double CheckedResult(long double value, std::string_view number) {
    if (!std::isfinite(value)) throw NcError(InvalidNumberMessage(std::string(number)));
    return value;
}

bool AllDigits(const char* at, const char* end) {
    for (; at != end; ++at) {
        if (*at < '0' || *at > '9') return false;
    }
    return true;
}

// A number of the form [-]digits[.digits], given to a plain rule from a copy
// with the padding it reads; nullptr for any other number.
using PlainRule = char* (*)(char* out, bool negative, const char* text, int length, int pointAt,
                            int decimals);

char* WritePlainNumber(char* out, std::string_view number, int decimals, PlainRule rule) {
    const bool negative = !number.empty() && number[0] == '-';
    if (negative) number.remove_prefix(1);
    const std::size_t pointAt = std::min(number.find('.'), number.size());
    const char* const text = number.data();
    if (number.empty() || number.size() > kMaxPlainLength || !AllDigits(text, text + pointAt) ||
        (pointAt < number.size() && !AllDigits(text + pointAt + 1, text + number.size()))) {
        return nullptr;
    }
    char padded[kMaxPlainLength + 16] = {};
    number.copy(padded, number.size());
    return rule(out, negative, padded, static_cast<int>(number.size()), static_cast<int>(pointAt),
                decimals);
}

// The extended-precision factor of the insertion unit with `decimals` digits:
// the nearest extended values to 0.1 .. 0.000001, as literals of that precision.
long double InsertionFactor(int decimals) {
    static constexpr std::array<long double, 7> factors = {1.0L,    0.1L,     0.01L,    0.001L,
                                                           0.0001L, 0.00001L, 0.000001L};
    return factors[static_cast<std::size_t>(decimals)];
}

} // namespace

void AppendDoubledGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    AppendNcValue(out, DecimalsPattern(decimals), CheckedResult(value + value, number));
}

char* WriteDoubledFast(char* out, std::string_view number, int decimals) {
    const auto exact = ParseExactDecimal(number);
    if (!exact || exact->scale > decimals || decimals - exact->scale > 1) return nullptr;
    const std::uint64_t units = 2 * exact->mantissa * PowerOfTen(decimals - exact->scale);
    return WriteScaledUnits(out, exact->negative, units, decimals);
}

void AppendInsertedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    AppendNcValue(out, DecimalsPattern(decimals),
                  CheckedResult(value * InsertionFactor(decimals), number));
}

char* WriteInsertedFast(char* out, std::string_view number, int decimals) {
    return WritePlainNumber(out, number, decimals, &WriteDigitsWithPoint);
}

void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    const auto factor = static_cast<long double>(PowerOfTen(decimals));
    AppendNcValue(out, DecimalsPattern(0), CheckedResult(value * factor, number));
}

char* WriteRemovedFast(char* out, std::string_view number, int decimals) {
    return WritePlainNumber(out, number, decimals, &WritePointMoved);
}

} // namespace nc
