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
