#pragma once

#include <string>
#include <vector>

namespace filelist {

// The file mask of the listing: "*.*" passes every file; any other mask
// passes files whose extension (from the last ".", upper-cased) equals the
// mask without its first character, upper-cased. A mask holding "," or "|"
// is a list of such masks, any of which may match.
class FileMask final {
  public:
    explicit FileMask(const std::string& mask);
    bool Passes(const std::string& fileName) const;
    // The single masks of a list (empty for a single mask).
    const std::vector<std::string>& parts() const { return m_parts; }

  private:
    bool m_all = false;
    bool m_list = false;
    std::vector<std::string> m_parts;
    std::vector<std::string> m_extensions; // upper-cased, compared with the file's
};

std::string UpperAscii(std::string text);

} // namespace filelist
