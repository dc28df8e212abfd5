#include "encoding.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string output(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* out = output.data() + done;
        std::size_t outLeft = output.size() - done;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        done = output.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        output.resize(output.size() * 2);
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    output.resize(done);
    return output;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            length = 2;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < minimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    if (!IsValidUtf8(utf8)) return std::nullopt;
    return Convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932);
}

std::string ToSettingsEncoding(std::string_view utf8) {
    if (auto cp932 = Utf8ToCp932(utf8)) {
        // Only a text that comes back unchanged is stored as CP932: a few
        // characters have more than one Unicode form and would not.
        if (Cp932ToUtf8(*cp932) == utf8) return *cp932;
    }
    return std::string(kUtf8Bom) + std::string(utf8);
}

std::string FromSettingsEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return std::string(bytes.substr(kUtf8Bom.size()));
    if (auto utf8 = Cp932ToUtf8(bytes)) return *utf8;
    return std::string(bytes);
}

} // namespace platform
