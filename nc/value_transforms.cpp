#include "value_transforms.h"

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

char* WriteDigitsWithPoint(char* out, bool negative, const char* digits, int length, int,
                           int decimals) {
    while (length > 0 && *digits == '0') {
        ++digits;
        --length;
    }
    if (length > kExactDigits || decimals < 1 || decimals > kMaxPointDecimals) return nullptr;
    // The same digits with a point put in: no arithmetic at all.
    if (negative && length > 0) *out++ = '-';
    if (length <= decimals) {
        std::memcpy(out, "0.000000", 8);
        out += 2 + (decimals - length);
        std::memcpy(out, digits, 16);
        return out + length;
    }
    const int intLength = length - decimals;
    for (int at = 0; at < intLength; at += 16)
        std::memcpy(out + at, digits + at, 16);
    out += intLength;
    *out++ = '.';
    std::memcpy(out, digits + intLength, 8);
    return out + decimals;
}

char* WriteInsertedFast(char* out, std::string_view number, int decimals) {
    const bool negative = !number.empty() && number[0] == '-';
    if (negative) number.remove_prefix(1);
    if (number.empty() || number.size() > kMaxPlainLength ||
        !AllDigits(number.data(), number.data() + number.size())) {
        return nullptr;
    }
    char padded[kMaxPlainLength + 16] = {};
    number.copy(padded, number.size());
    const auto length = static_cast<int>(number.size());
    return WriteDigitsWithPoint(out, negative, padded, length, length, decimals);
}

void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    const auto factor = static_cast<long double>(PowerOfTen(decimals));
    AppendNcValue(out, DecimalsPattern(0), CheckedResult(value * factor, number));
}

char* WritePointMoved(char* out, bool negative, const char* text, int length, int pointAt,
                      int decimals) {
    const char* const point = pointAt < length ? text + pointAt : nullptr;
    const int intLength = pointAt;
    const int fracLength = point != nullptr ? length - intLength - 1 : 0;
    if (intLength > 16 || fracLength > 16 || decimals > kMaxPointDecimals) return nullptr;
    // The digits without the point, after one spare byte for a carry, with
    // room for sixteen-byte copies.
    char digits[64];
    char* const first = digits + 1;
    std::memcpy(first, text, 16);
    std::memcpy(first + intLength, point != nullptr ? point + 1 : text + length, 16);
    const int total = intLength + fracLength;
    char* units = first;
    while (units != first + total && *units == '0')
        ++units;
    const auto significantLength = first + total - units;
    if (significantLength > kExactDigits) return nullptr;
    // value x 10^decimals: the point moves right; halves of the last unit go up.
    const int shift = decimals - fracLength;
    char* unitsEnd = first + total;
    if (shift >= 0) {
        // Exact only while the result has at most kExactDigits digits.
        if (significantLength + shift > kExactDigits) return nullptr;
        if (significantLength > 0) {
            std::memcpy(unitsEnd, "00000000", 8);
            unitsEnd += shift;
        }
    } else {
        unitsEnd = first + total + shift;
        const bool roundUp = *unitsEnd >= '5';
        if (unitsEnd < units) units = unitsEnd;
        if (roundUp) units = IncrementDigits(units, unitsEnd);
    }
    if (units == unitsEnd) {
        *out++ = '0';
        return out;
    }
    if (negative) *out++ = '-';
    const auto unitsLength = unitsEnd - units;
    for (std::ptrdiff_t at = 0; at < unitsLength; at += 16)
        std::memcpy(out + at, units + at, 16);
    return out + unitsLength;
}

char* WriteRemovedFast(char* out, std::string_view number, int decimals) {
    const bool negative = !number.empty() && number[0] == '-';
    if (negative) number.remove_prefix(1);
    const auto point = number.find('.');
    if (number.empty() || number.size() > kMaxPlainLength ||
        !AllDigits(number.data(), number.data() + std::min(point, number.size())) ||
        (point != std::string_view::npos &&
         !AllDigits(number.data() + point + 1, number.data() + number.size()))) {
        return nullptr;
    }
    char padded[kMaxPlainLength + 16] = {};
    number.copy(padded, number.size());
    const auto length = static_cast<int>(number.size());
    return WritePointMoved(out, negative, padded, length,
                           point == std::string_view::npos ? length : static_cast<int>(point),
                           decimals);
}

} // namespace nc
