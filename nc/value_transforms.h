#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nc {

// The value rewrites of the three converting passes. Each has the general
// path (extended precision and the 18-digit rule) and an exact fast path for
// short decimals that writes the same bytes or declines.

// The room a fast path may need at `out` for a number of `size` bytes.
constexpr std::size_t FastValueRoom(std::size_t size) {
    return size + 32;
}

// Numbers longer than this (sign apart) are left to the general path.
inline constexpr std::size_t kMaxPlainLength = 33;

// Axis doubling: the number written with `decimals` digits after the point.
void AppendDoubledGeneral(std::string& out, std::string_view number, int decimals);
// Fast paths write at `out` and return the end of what they wrote, or nullptr
// when the number needs the general path.
char* WriteDoubledFast(char* out, std::string_view number, int decimals);

// Decimal point insertion: an integer count of 10^-decimals units.
void AppendInsertedGeneral(std::string& out, std::string_view number, int decimals);
char* WriteInsertedFast(char* out, std::string_view number, int decimals);

// Decimal point removal: a decimal value as an integer count of 10^-decimals units.
void AppendRemovedGeneral(std::string& out, std::string_view number, int decimals);
char* WriteRemovedFast(char* out, std::string_view number, int decimals);

} // namespace nc
