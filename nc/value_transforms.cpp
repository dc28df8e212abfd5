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
    const auto exact = ParseExactDecimal(number);
    if (!exact) return nullptr;
    // value x 10^decimals = mantissa x 10^shift: exact in integers, halves go up.
    const int shift = decimals - exact->scale;
    std::uint64_t units = exact->mantissa;
    if (shift >= 0) {
        // Exact only while the result has at most kExactDigits digits.
        if (shift > kExactDigits || units >= PowerOfTen(kExactDigits - shift)) return nullptr;
        units *= PowerOfTen(shift);
    } else {
        const std::uint64_t divisor = PowerOfTen(-shift);
        const std::uint64_t dropped = units % divisor;
        units /= divisor;
        if (2 * dropped >= divisor) ++units;
    }
    return WriteScaledUnits(out, exact->negative, units, 0);
}

} // namespace nc
