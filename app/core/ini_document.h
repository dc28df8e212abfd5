#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// An INI text: "[Section]" lines opening sections of "Key=Value" lines.
// Section and key names compare ignoring ASCII case. Lines that are neither
// (comments, blank lines) and unknown keys are kept as they are, so writing
// the settings leaves whatever else the file holds.
class IniDocument final {
  public:
    static IniDocument Parse(std::string_view text);

    // The value of a key; nothing when the key is missing. Surrounding blanks
    // are not part of a value; a value written in double quotes loses them.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Replaces a key's value or appends the key to its section (and the section
    // to the document) in the order of the calls.
    void Set(std::string_view section, std::string_view key, const std::string& value);
    // The document as text, lines ended by CR LF.
    std::string Text() const;

  private:
    struct Line {
        std::string key; // empty for a line that is not a key
        std::string text;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Line> m_preamble;
    std::vector<Section> m_sections;
};

// Reads a 32-bit decimal integer (blanks around it allowed); nothing otherwise.
std::optional<int> ParseIniInteger(std::string_view text);

} // namespace app
