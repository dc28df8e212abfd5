#include "value_transforms.h"

#include "exact_decimal.h"
#include "nc_error.h"
#include "nc_value.h"

#include <array>
#include <cmath>

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
    const auto exact = ParseExactDecimal(number);
    if (!exact || exact->scale != 0) return false;
    AppendScaledUnits(out, exact->negative, exact->mantissa, decimals);
    return true;
}

void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals) {
    const long double value = ReadNcValue(number);
    const auto factor = static_cast<long double>(PowerOfTen(decimals));
    AppendNcValue(out, DecimalsPattern(0), CheckedResult(value * factor, number));
}

bool AppendRemovedFast(std::string& out, std::string_view number, int decimals) {
    const auto exact = ParseExactDecimal(number);
    if (!exact) return false;
    const int shift = decimals - exact->scale;
    std::uint64_t units = 0;
    if (shift >= 0) {
        // Stay within the 17 significant digits that the 18-digit rule keeps exact.
        if (exact->mantissa >= PowerOfTen(kExactDigits - shift)) return false;
        units = exact->mantissa * PowerOfTen(shift);
    } else {
        const std::uint64_t divisor = PowerOfTen(-shift);
        units = exact->mantissa / divisor;
        if ((exact->mantissa % divisor) * 2 >= divisor) ++units;
    }
    AppendScaledUnits(out, exact->negative, units, 0);
    return true;
}

} // namespace nc
