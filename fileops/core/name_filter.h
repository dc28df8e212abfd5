#pragma once

#include <optional>
#include <string>
#include <vector>

namespace filelist {
class FileMask;
}

namespace fileops {

// The pattern that lists every entry.
inline constexpr const char* kAllEntriesPattern = "*.*";

// Whether a name matches a filter pattern: "*" stands for any run of
// characters (none included), "?" for exactly one character, every other
// character for itself with the case of a-z ignored; the whole name must
// match. As with the platform's own search, a pattern ending in ".*" also
// matches a name without any ".", so "*.*" matches every name. Characters are
// compared as the user sees them, so a pattern typed as UTF-8 finds a name
// stored in CP932.
class FilterPattern final {
  public:
    explicit FilterPattern(const std::string& pattern);
    bool Matches(const std::string& name) const;

    // Whether the filtered listing shows an entry: the pattern applies to
    // folders and files alike, the mask to files only.
    bool Shows(const filelist::FileMask& mask, const std::string& name, bool folder) const;

  private:
    std::u32string m_pattern; // a-z folded to A-Z
    // The pattern without its final ".*", tried on names without a "."
    // (nothing when the pattern does not end so).
    std::optional<std::u32string> m_withoutAnyExtension;
};

bool MatchesFilterPattern(const std::string& pattern, const std::string& name);

// The name search: the first caption that contains `text`, the case of a-z
// ignored, or nothing. An empty text finds nothing.
std::optional<std::size_t> FirstCaptionContaining(const std::vector<std::string>& captions,
                                                  const std::string& text);

} // namespace fileops
