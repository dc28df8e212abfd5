#include "address_walk.h"

#include <cstring>

namespace nc {

AddressWalk::AddressWalk(std::string_view keepLetters, bool withPoint, bool comments,
                         ValueRules rules, int decimals)
    : m_withPoint(withPoint), m_comments(comments), m_rules(rules), m_decimals(decimals) {
    for (char c : std::string_view("0123456789.-"))
        m_classes[static_cast<unsigned char>(c)] |= Number;
    m_classes['.'] |= Point;
    for (char c : keepLetters)
        m_classes[static_cast<unsigned char>(c)] |= Keep;
    for (char c = 'A'; c <= 'Z'; ++c)
        m_classes[static_cast<unsigned char>(c)] |= Letter;
    if (!comments) return;
    m_classes[')'] |= Closer;
    m_classes[']'] |= Closer;
    m_classes['('] |= Opener;
    m_classes['['] |= Opener;
}

void AddressWalk::PutBack(std::string_view bytes) {
    if (m_written + bytes.size() > m_reversed.size()) {
        // Grow, keeping what is written at the end of the larger buffer.
        std::string larger(2 * (m_written + bytes.size()) + 256, '\0');
        std::memcpy(larger.data() + larger.size() - m_written,
                    m_reversed.data() + m_reversed.size() - m_written, m_written);
        m_reversed = std::move(larger);
    }
    m_written += bytes.size();
    std::memcpy(m_reversed.data() + m_reversed.size() - m_written, bytes.data(), bytes.size());
}

void AddressWalk::Walk(std::string_view line, std::string& out) {
    // Values are rewritten as they are met, right to left, so the first value
    // that cannot be read is the rightmost one. Bytes [copied, size) of the
    // line are already written.
    m_written = 0;
    std::size_t copied = line.size();
    const auto classOf = [&](std::size_t at) {
        return m_classes[static_cast<unsigned char>(line[at])];
    };
    std::size_t i = line.size(); // bytes [0, i) are still to walk
    while (i > 0) {
        if (m_insideComment) {
            // Skipped up to the opener, which then ends the comment and,
            // being neither number nor letter, ends any collected text.
            while (i > 0 && !(classOf(i - 1) & Opener))
                --i;
            if (i == 0) break;
            m_insideComment = false;
            --i;
            continue;
        }
        const std::uint8_t byteClass = classOf(i - 1);
        if (byteClass & Number) {
            const std::size_t end = i;
            std::uint8_t runClasses = byteClass;
            while (--i > 0 && (classOf(i - 1) & Number))
                runClasses |= classOf(i - 1);
            // Text at the start of the line has no letter and stays as it is.
            if (i > 0 && (classOf(i - 1) & (Keep | Letter)) == Letter &&
                Collected(line.substr(i, end - i), (runClasses & Point) != 0)) {
                PutBack(line.substr(end, copied - end));
                PutBack(m_value);
                copied = i;
            }
            continue;
        }
        if (byteClass & Closer) m_insideComment = true;
        --i;
    }
    PutBack(line.substr(0, copied));
    out.append(m_reversed, m_reversed.size() - m_written, m_written);
}

char* AddressWalk::WalkLongLine(std::string_view line, char* out) const {
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t size = line.size();
    std::size_t copied = 0; // bytes [0, copied) of the line are written
    std::size_t i = 0;
    while (i < size) {
        std::uint8_t byteClass = m_classes[bytes[i]];
        if (!(byteClass & Number)) {
            if (byteClass & (Closer | Opener)) return nullptr;
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::uint8_t runClasses = byteClass;
        while (++i < size && ((byteClass = m_classes[bytes[i]]) & Number))
            runClasses |= byteClass;
        if (start == 0 || (m_classes[bytes[start - 1]] & (Keep | Letter)) != Letter) continue;
        if (((runClasses & Point) != 0) != m_withPoint) continue;
        if (i - start == 1 && bytes[start] == '-') continue;
        std::memcpy(out, line.data() + copied, start - copied);
        out = m_rules.fast(out + (start - copied), line.substr(start, i - start), m_decimals);
        if (out == nullptr) return nullptr;
        copied = i;
    }
    std::memcpy(out, line.data() + copied, size - copied);
    return out + (size - copied);
}

// A run of number characters right after an address letter: true when it is
// rewritten, its new text in m_value.
bool AddressWalk::Collected(std::string_view collected, bool hasPoint) {
    if (hasPoint != m_withPoint || collected == "-") return false;
    m_value.clear();
    m_rules.general(m_value, collected, m_decimals);
    return true;
}

} // namespace nc
