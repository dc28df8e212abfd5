#pragma once

#include <string>
#include <string_view>

namespace nc {

// The value rewrites of the three converting passes. Each has the general
// path (extended precision and the 18-digit rule) and an exact fast path for
// short decimals that writes the same bytes or declines (returns false).

// Axis doubling: the number written with `decimals` digits after the point.
void AppendDoubledGeneral(std::string& out, std::string_view number, int decimals);
bool AppendDoubledFast(std::string& out, std::string_view number, int decimals);

// Decimal point insertion: an integer count of 10^-decimals units.
void AppendInsertedGeneral(std::string& out, std::string_view number, int decimals);
bool AppendInsertedFast(std::string& out, std::string_view number, int decimals);

// Decimal point removal: a decimal value as an integer count of 10^-decimals units.
void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals);
bool AppendRemovedFast(std::string& out, std::string_view number, int decimals);

// The extended-precision factor of the insertion unit with `decimals` digits.
long double InsertionFactor(int decimals);

} // namespace nc
