#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nc {

// A digit pattern: "#0" (0 decimals) to "#0.000000" (6 decimals), or "_000",
// which writes "_" and an integer of at least three digits.
struct NcPattern {
    int decimals = 0;
    bool serial = false;
};

// Parses the pattern texts "#0", "#0.0" .. "#0.000000" and "_000".
std::optional<NcPattern> PatternFromText(std::string_view text);
NcPattern DecimalsPattern(int decimals);

// The number rule of the conversions: blanks, optional sign, digits with an
// optional point, optional exponent, blanks. Returns nothing when the text is
// not of that form or its value is out of range.
std::optional<long double> TryReadNcValue(std::string_view text);

// As TryReadNcValue, but throws NcError with the invalid-number message.
long double ReadNcValue(std::string_view text);

// Writes a value through a pattern: first taken to 18 significant digits, then
// cut to the pattern's decimals with halves going away from zero. A result of
// zero carries no minus sign.
std::string FormatNcValue(NcPattern pattern, long double value);
void AppendNcValue(std::string& out, NcPattern pattern, long double value);

} // namespace nc
