#include "line_converters.h"

#include "nc_error.h"
#include "text_lines.h"

namespace nc {
namespace {

// Longer lines go the general way, so that no line reserves a huge worst case.
constexpr std::size_t kFastLineLimit = std::size_t{1} << 16;

} // namespace

std::size_t LineConverter::ConvertText(std::string_view text, ByteBuffer& out) {
    TextLines lines(text);
    std::string_view line;
    std::size_t count = 0;
    while (lines.Next(line)) {
        ++count;
        char* end = nullptr;
        if (line.size() <= kFastLineLimit) {
            end = ConvertLineFast(line, text.data() + text.size(),
                                  out.Room(AddressWalk::WalkRoom(line.size()) + 2));
        }
        if (end == nullptr) {
            m_slowLine.clear();
            try {
                ConvertLine(line, m_slowLine);
            } catch (const NcError& error) {
                throw error.atLine(static_cast<std::int64_t>(count));
            }
            end = out.Room(m_slowLine.size() + 2);
            m_slowLine.copy(end, m_slowLine.size());
            end += m_slowLine.size();
        }
        if (lines.terminated()) {
            *end++ = '\r';
            *end++ = '\n';
        }
        out.Advance(end);
    }
    return count;
}

} // namespace nc
