#include "line_converters.h"

#include "nc_error.h"

namespace nc {

char* LineConverter::ConvertSlowLine(std::string_view line, std::size_t number, ByteBuffer& out) {
    m_slowLine.clear();
    try {
        ConvertLine(line, m_slowLine);
    } catch (const NcError& error) {
        throw error.atLine(static_cast<std::int64_t>(number));
    }
    char* end = out.Room(m_slowLine.size() + 2);
    m_slowLine.copy(end, m_slowLine.size());
    return end + m_slowLine.size();
}

} // namespace nc
