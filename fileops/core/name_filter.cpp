#include "name_filter.h"

#include "file_mask.h"
#include "name_text.h"

#include <algorithm>

namespace fileops {
namespace {

std::u32string FoldedCharacters(const std::string& text) {
    std::u32string characters = NameCharacters(text);
    std::transform(characters.begin(), characters.end(), characters.begin(), UpperHalfWidth);
    return characters;
}

// Wildcard matching that backtracks only to the last "*": linear in the
// usual case and never worse than pattern length times name length.
bool WildcardMatch(const std::u32string& pattern, const std::u32string& name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t star = std::u32string::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            resume = n;
        } else if (star != std::u32string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

} // namespace

FilterPattern::FilterPattern(const std::string& pattern) : m_pattern(FoldedCharacters(pattern)) {
    const std::u32string anyExtension = U".*";
    if (m_pattern.ends_with(anyExtension)) {
        m_withoutAnyExtension = m_pattern.substr(0, m_pattern.size() - anyExtension.size());
    }
}

bool FilterPattern::Matches(const std::string& name) const {
    const std::u32string characters = FoldedCharacters(name);
    if (WildcardMatch(m_pattern, characters)) return true;
    return m_withoutAnyExtension && characters.find(U'.') == std::u32string::npos &&
           WildcardMatch(*m_withoutAnyExtension, characters);
}

bool FilterPattern::Shows(const filelist::FileMask& mask, const std::string& name,
                          bool folder) const {
    return Matches(name) && (folder || mask.Passes(name));
}

bool MatchesFilterPattern(const std::string& pattern, const std::string& name) {
    return FilterPattern(pattern).Matches(name);
}

std::optional<std::size_t> FirstCaptionContaining(const std::vector<std::string>& captions,
                                                  const std::string& text) {
    const std::u32string wanted = FoldedCharacters(text);
    if (wanted.empty()) return std::nullopt;
    for (std::size_t row = 0; row < captions.size(); ++row) {
        if (FoldedCharacters(captions[row]).find(wanted) != std::u32string::npos) return row;
    }
    return std::nullopt;
}

} // namespace fileops
