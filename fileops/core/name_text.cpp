#include "name_text.h"

#include "encoding.h"

#include <algorithm>

namespace fileops {
namespace {

constexpr char32_t kEscapedByte = 0xDC00;

bool IsCp932Lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsCp932Trail(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

std::size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    return 4;
}

// Only called on valid UTF-8.
void AppendUtf8(std::string_view utf8, std::u32string& out) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = Utf8Length(lead);
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += code;
        i += length;
    }
}

void AppendEscaped(std::string_view bytes, std::u32string& out) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte < 0x80 ? char32_t{byte} : kEscapedByte + byte;
    }
}

} // namespace

NameEncoding EncodingOfName(std::string_view name) {
    return platform::IsValidUtf8(name) ? NameEncoding::Utf8 : NameEncoding::Cp932;
}

std::size_t CharacterLength(std::string_view name, std::size_t pos, NameEncoding encoding) {
    const auto lead = static_cast<unsigned char>(name[pos]);
    if (encoding == NameEncoding::Utf8) return std::min(Utf8Length(lead), name.size() - pos);
    if (IsCp932Lead(lead) && pos + 1 < name.size() &&
        IsCp932Trail(static_cast<unsigned char>(name[pos + 1]))) {
        return 2;
    }
    return 1;
}

std::u32string NameCharacters(std::string_view name) {
    std::u32string characters;
    if (EncodingOfName(name) == NameEncoding::Utf8) {
        AppendUtf8(name, characters);
        return characters;
    }
    if (const auto whole = platform::Cp932ToUtf8(name)) {
        AppendUtf8(*whole, characters);
        return characters;
    }
    // Some character has no Unicode form: decode the others one by one.
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = CharacterLength(name, pos, NameEncoding::Cp932);
        const std::string_view character = name.substr(pos, length);
        if (const auto decoded = platform::Cp932ToUtf8(character)) {
            AppendUtf8(*decoded, characters);
        } else {
            AppendEscaped(character, characters);
        }
        pos += length;
    }
    return characters;
}

} // namespace fileops
