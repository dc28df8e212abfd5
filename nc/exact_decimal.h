#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nc {

// A short decimal taken exactly: value = (negative ? -1 : 1) x mantissa x 10^-scale.
// The conversions use it as a fast path: for at most 17 significant digits the
// extended-precision computation followed by the 18-digit rounding gives the
// exact decimal result, so integer arithmetic writes the same bytes.
struct ExactDecimal {
    bool negative = false;
    std::uint64_t mantissa = 0;
    int scale = 0;
};

inline constexpr int kExactDigits = 17;

// Accepts [blanks][-]digits[.digits][blanks] with at most 17 significant
// digits and at most 18 digits after the point; anything else gives nothing
// and the caller falls back to the general number rule.
std::optional<ExactDecimal> ParseExactDecimal(std::string_view text);

// Writes units x 10^-decimals with exactly `decimals` digits after the point
// (none and no point for 0); zero is written without a sign. Needs room for
// 22 + decimals bytes and returns the end of what it wrote.
char* WriteScaledUnits(char* out, bool negative, std::uint64_t units, int decimals);

// Adds one to the decimal digits [begin, end) ("" counts as 0): "199" gives
// "200". A carry out of the first digit goes to begin[-1], which must be
// writable; returns where the digits now begin.
char* IncrementDigits(char* begin, char* end);
void IncrementDigits(std::string& digits);

// 10^exponent for 0 <= exponent <= 19.
std::uint64_t PowerOfTen(int exponent);

} // namespace nc
