#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fileops {

// File names are raw bytes, shown as UTF-8 when they are valid UTF-8 and as
// CP932 otherwise. These helpers read them the same way, so that no
// operation on names ever splits a multi-byte character.
enum class NameEncoding { Utf8, Cp932 };

NameEncoding EncodingOfName(std::string_view name);

// The length in bytes of the character that starts at `pos`.
std::size_t CharacterLength(std::string_view name, std::size_t pos, NameEncoding encoding);

// The characters of a name as the user sees them. A byte that belongs to no
// character of its encoding stays a character of its own (U+DC80 + byte, a
// value no real character has), so two different names never read the same.
std::u32string NameCharacters(std::string_view name);

// a-z to A-Z; every other character unchanged.
constexpr char32_t UpperHalfWidth(char32_t c) {
    return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c;
}

} // namespace fileops
