#include "text_encoding.h"

#include "encoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace viewer {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length a UTF-8 sequence announces by its first byte; 0 for a byte that
// cannot start one.
std::size_t AnnouncedLength(unsigned char byte) {
    if (byte < 0x80) return 1;
    if ((byte & 0xE0) == 0xC0) return 2;
    if ((byte & 0xF0) == 0xE0) return 3;
    if ((byte & 0xF8) == 0xF0) return 4;
    return 0;
}

// The length of the valid UTF-8 sequence at the start of `bytes`, 0 if none.
std::size_t ValidSequenceLength(std::string_view bytes) {
    const std::size_t length = AnnouncedLength(static_cast<unsigned char>(bytes[0]));
    if (length == 0 || length > bytes.size()) return 0;
    return platform::IsValidUtf8(bytes.substr(0, length)) ? length : 0;
}

// `head` without a character cut off at its end.
std::string_view WithoutCutCharacter(std::string_view head) {
    for (std::size_t back = 1; back <= 3 && back <= head.size(); ++back) {
        const auto byte = static_cast<unsigned char>(head[head.size() - back]);
        if (IsContinuation(byte)) continue;
        if (AnnouncedLength(byte) > back) return head.substr(0, head.size() - back);
        break;
    }
    return head;
}

std::string SanitizedUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = ValidSequenceLength(bytes.substr(i));
        if (length == 0) {
            text += kReplacement;
            ++i;
        } else {
            text.append(bytes.substr(i, length));
            i += length;
        }
    }
    return text;
}

} // namespace

TextForm DetectTextForm(std::string_view head, bool headIsWhole) {
    if (const auto nul = head.find('\0'); nul != std::string_view::npos) {
        head = head.substr(0, nul);
        headIsWhole = true;
    }
    if (head.starts_with(kUtf8Bom)) return {TextEncoding::Utf8, kUtf8Bom.size()};
    if (!headIsWhole) head = WithoutCutCharacter(head);
    return {platform::IsValidUtf8(head) ? TextEncoding::Utf8 : TextEncoding::Cp932, 0};
}

bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharacterCut(std::string_view bytes, std::size_t limit, TextEncoding encoding) {
    if (bytes.size() <= limit) return bytes.size();
    if (encoding == TextEncoding::Utf8) {
        // A sequence whose first byte lies before the limit and whose end
        // lies after it moves to the next row whole.
        for (std::size_t back = 1; back <= 3 && back < limit; ++back) {
            const auto byte = static_cast<unsigned char>(bytes[limit - back]);
            if (IsContinuation(byte)) continue;
            return AnnouncedLength(byte) > back ? limit - back : limit;
        }
        return limit;
    }
    // CP932 cannot be read backwards: walk the characters from the start.
    std::size_t at = 0;
    while (at < limit) {
        const std::size_t length = IsCp932LeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
        if (at + length > limit) break;
        at += length;
    }
    return at == 0 ? 1 : at;
}

bool StartsCharacter(std::string_view before, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return true;
    // A byte outside the lead range always ends a character. The lead-range
    // bytes after the last such byte pair up into characters; an odd count
    // leaves a lead byte whose second half is the position itself.
    std::size_t leads = 0;
    for (auto at = before.rbegin(); at != before.rend(); ++at) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(*at))) break;
        ++leads;
    }
    return leads % 2 == 0;
}

RowDecoder::RowDecoder(TextEncoding encoding) : m_encoding(encoding) {
    if (encoding == TextEncoding::Cp932) {
        iconv_t converter = iconv_open("UTF-8", "CP932");
        if (converter != reinterpret_cast<iconv_t>(-1)) m_converter = converter;
    }
}

RowDecoder::~RowDecoder() {
    if (m_converter) iconv_close(static_cast<iconv_t>(m_converter));
}

std::string RowDecoder::ToUtf8(std::string_view bytes) {
    if (m_encoding == TextEncoding::Utf8 || !m_converter) return SanitizedUtf8(bytes);
    return Cp932ToUtf8(bytes);
}

std::string RowDecoder::Cp932ToUtf8(std::string_view bytes) {
    auto converter = static_cast<iconv_t>(m_converter);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    // Three bytes of UTF-8 per byte of CP932 hold every character and every
    // replacement.
    std::string text(bytes.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* out = text.data();
    std::size_t outLeft = text.size();
    const auto grow = [&] {
        const std::size_t done = text.size() - outLeft;
        text.resize(text.size() * 2);
        out = text.data() + done;
        outLeft = text.size() - done;
    };
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        // An invalid or cut-off character: one replacement per byte.
        if (outLeft < kReplacement.size()) grow();
        out = std::copy(kReplacement.begin(), kReplacement.end(), out);
        outLeft -= kReplacement.size();
        ++in;
        --inLeft;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    text.resize(text.size() - outLeft);
    return text;
}

} // namespace viewer
