#include "value_transforms.h"

#include "exact_decimal.h"
#include "nc_error.h"
#include "nc_value.h"

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

char* WriteInsertedFast(char* out, std::string_view number, int decimals) {
    const char* at = number.data();
    const char* end = at + number.size();
    const bool negative = at != end && *at == '-';
    if (negative) ++at;
    if (at == end) return nullptr;
    for (const char* c = at; c != end; ++c) {
        if (*c < '0' || *c > '9') return nullptr;
    }
    while (at != end && *at == '0')
        ++at;
    const auto length = static_cast<int>(end - at);
    if (length > kExactDigits) return nullptr;
    // The same digits with a point put in: no arithmetic at all.
    if (negative && length > 0) *out++ = '-';
    if (length <= decimals) {
        *out++ = '0';
        *out++ = '.';
        std::memset(out, '0', static_cast<std::size_t>(decimals - length));
        out += decimals - length;
        std::memcpy(out, at, static_cast<std::size_t>(length));
        return out + length;
    }
    const auto intLength = static_cast<std::size_t>(length - decimals);
    std::memcpy(out, at, intLength);
    out += intLength;
    *out++ = '.';
    std::memcpy(out, at + intLength, static_cast<std::size_t>(decimals));
    return out + decimals;
}

void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    const auto factor = static_cast<long double>(PowerOfTen(decimals));
    AppendNcValue(out, DecimalsPattern(0), CheckedResult(value * factor, number));
}

char* WriteRemovedFast(char* out, std::string_view number, int decimals) {
    const char* at = number.data();
    const char* const end = at + number.size();
    const bool negative = at != end && *at == '-';
    if (negative) ++at;
    const auto* point = static_cast<const char*>(std::memchr(at, '.', end - at));
    const char* const intEnd = point != nullptr ? point : end;
    const char* const frac = point != nullptr ? point + 1 : end;
    if (!AllDigits(at, intEnd) || !AllDigits(frac, end) || (at == intEnd && point == nullptr)) {
        return nullptr;
    }
    const auto intLength = intEnd - at;
    const auto fracLength = end - frac;
    if (intLength + fracLength > 40) return nullptr;
    // The digits without the point, after one spare byte for a carry.
    char digits[48];
    char* const first = digits + 1;
    std::memcpy(first, at, static_cast<std::size_t>(intLength));
    std::memcpy(first + intLength, frac, static_cast<std::size_t>(fracLength));
    const auto total = intLength + fracLength;
    const char* significant = first;
    while (significant != first + total && *significant == '0')
        ++significant;
    const auto significantLength = first + total - significant;
    if (significantLength > kExactDigits) return nullptr;
    // value x 10^decimals: the point moves right; halves of the last unit go up.
    const auto shift = decimals - fracLength;
    char* units = const_cast<char*>(significant);
    char* unitsEnd = first + total;
    if (shift >= 0) {
        // Exact only while the result has at most kExactDigits digits.
        if (significantLength + shift > kExactDigits) return nullptr;
        if (significantLength > 0) {
            std::memset(unitsEnd, '0', static_cast<std::size_t>(shift));
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
    const auto length = static_cast<std::size_t>(unitsEnd - units);
    std::memcpy(out, units, length);
    return out + length;
}

} // namespace nc
