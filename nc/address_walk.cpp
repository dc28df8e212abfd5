#include "address_walk.h"

namespace nc {

AddressWalk::AddressWalk(std::string_view keepLetters, bool withPoint, bool comments,
                         AppendValue appendValue, int decimals)
    : m_withPoint(withPoint), m_appendValue(appendValue),
      m_decimals(decimals) {
    for (char c : std::string_view("0123456789.-")) m_classes[static_cast<unsigned char>(c)] |= Number;
    m_classes['.'] |= Point;
    for (char c : keepLetters) m_classes[static_cast<unsigned char>(c)] |= Keep;
    for (char c = 'A'; c <= 'Z'; ++c) m_classes[static_cast<unsigned char>(c)] |= Letter;
    if (!comments) return;
    m_classes[')'] |= Closer;
    m_classes[']'] |= Closer;
    m_classes['('] |= Opener;
    m_classes['['] |= Opener;
}

void AddressWalk::Walk(std::string_view line, std::string& out) {
    // Values are rewritten as they are met, right to left, so the first value
    // that cannot be read is the rightmost one.
    m_replacements.clear();
    m_texts.clear();
    const auto classOf = [&](std::size_t at) {
        return m_classes[static_cast<unsigned char>(line[at])];
    };
    std::size_t i = line.size(); // bytes [0, i) are still to walk
    while (i > 0) {
        if (m_insideComment) {
            // Skipped up to the opener, which then ends the comment and,
            // being neither number nor letter, ends any collected text.
            while (i > 0 && !(classOf(i - 1) & Opener)) --i;
            if (i == 0) break;
            m_insideComment = false;
            --i;
            continue;
        }
        const std::uint8_t byteClass = classOf(i - 1);
        if (byteClass & Number) {
            const std::size_t end = i;
            std::uint8_t runClasses = byteClass;
            while (--i > 0 && (classOf(i - 1) & Number)) runClasses |= classOf(i - 1);
            // Text at the start of the line has no letter and stays as it is.
            if (i > 0 && (classOf(i - 1) & (Keep | Letter)) == Letter) {
                Collected(line, i, end, (runClasses & Point) != 0);
            }
            continue;
        }
        if (byteClass & Closer) m_insideComment = true;
        --i;
    }
    std::size_t copied = 0;
    for (auto it = m_replacements.rbegin(); it != m_replacements.rend(); ++it) {
        out.append(line.substr(copied, it->begin - copied));
        out.append(m_texts, it->textBegin, it->textEnd - it->textBegin);
        copied = it->end;
    }
    out.append(line.substr(copied));
}

// A run of number characters right after an address letter.
void AddressWalk::Collected(std::string_view line, std::size_t begin, std::size_t end,
                            bool hasPoint) {
    const std::string_view collected = line.substr(begin, end - begin);
    if (hasPoint != m_withPoint || collected == "-") return;
    const std::size_t textBegin = m_texts.size();
    m_appendValue(m_texts, collected, m_decimals);
    m_replacements.push_back({begin, end, textBegin, m_texts.size()});
}

} // namespace nc
