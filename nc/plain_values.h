#pragma once

#include "exact_decimal.h"

#include <cstddef>
#include <cstring>

namespace nc {

// The exact fast paths of the decimal point conversions for a number already
// known to be plain: its sign apart, `text` holds digits (for the removal with
// at most one point, at `pointAt`, else pointAt == length), with 16 readable
// bytes after it. They write at `out` (room: FastValueRoom) and return the end,
// or nullptr when the number needs the general path. Inline, as they run once
// per value of every line.

inline constexpr int kMaxPointDecimals = 6;

// Insertion: the same digits with a point put in, no arithmetic at all.
inline char* WriteDigitsWithPoint(char* out, bool negative, const char* digits, int length,
                                  int pointAt, int decimals) {
    if (pointAt != length) return nullptr; // a decimal value stays as it is written
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

// Removal: the point moves right by `decimals`; halves of the last unit go up.
inline char* WritePointMoved(char* out, bool negative, const char* text, int length, int pointAt,
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

} // namespace nc
