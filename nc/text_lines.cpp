#include "text_lines.h"

#include <cstring>

namespace nc {

void AppendWithCrLf(std::string_view text, ByteBuffer& out) {
    const char* at = text.data();
    const char* const end = at + text.size();
    const char* copied = at;
    // A lone CR or LF becomes two bytes: twice the text is always enough.
    char* written = out.Room(2 * text.size());
    for (;;) {
        const char* lineBreak = FindLineBreak(at, end);
        if (lineBreak == end) break;
        at = lineBreak + 1;
        if (*lineBreak == '\r' && at != end && *at == '\n') {
            ++at; // CR LF already: copied with the text around it
            continue;
        }
        const auto length = static_cast<std::size_t>(lineBreak - copied);
        std::memcpy(written, copied, length);
        written += length;
        *written++ = '\r';
        *written++ = '\n';
        copied = at;
    }
    const auto rest = static_cast<std::size_t>(end - copied);
    std::memcpy(written, copied, rest);
    out.Advance(written + rest);
}

} // namespace nc
