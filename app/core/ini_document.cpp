#include "ini_document.h"

#include <algorithm>
#include <charconv>

namespace app {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A value that would not read back as written is stored in double quotes.
std::string StoredValue(const std::string& value) {
    const bool blankEdge = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                              value.back() == ' ' || value.back() == '\t');
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    return blankEdge || quoted ? "\"" + value + "\"" : value;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return lines;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view text) {
    IniDocument document;
    for (const std::string_view raw : SplitLines(text)) {
        const std::string_view line = Trimmed(raw);
        if (line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos) {
            const std::string_view name = Trimmed(line.substr(1, line.find(']') - 1));
            document.m_sections.push_back({std::string(name), {}});
            continue;
        }
        auto& lines =
            document.m_sections.empty() ? document.m_preamble : document.m_sections.back().lines;
        const auto equals = line.find('=');
        const bool isKey = equals != std::string_view::npos && line[0] != ';' && equals > 0;
        lines.push_back({isKey ? std::string(Trimmed(line.substr(0, equals))) : std::string(),
                         std::string(raw)});
    }
    return document;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    for (auto& section : m_sections) {
        if (EqualsIgnoringCase(section.name, name)) return &section;
    }
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    for (const auto& line : found->lines) {
        if (line.key.empty() || !EqualsIgnoringCase(line.key, key)) continue;
        std::string_view value =
            Trimmed(std::string_view(line.text).substr(line.text.find('=') + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view key, const std::string& value) {
    Section* target = FindSection(section);
    if (!target) {
        m_sections.push_back({std::string(section), {}});
        target = &m_sections.back();
    }
    const std::string text = std::string(key) + "=" + StoredValue(value);
    for (auto& line : target->lines) {
        if (!line.key.empty() && EqualsIgnoringCase(line.key, key)) {
            line.text = text;
            return;
        }
    }
    // A new key goes after the section's last key, before trailing blank lines.
    auto at = target->lines.end();
    while (at != target->lines.begin() && Trimmed((at - 1)->text).empty())
        --at;
    target->lines.insert(at, {std::string(key), text});
}

std::string IniDocument::Text() const {
    std::string text;
    for (const auto& line : m_preamble)
        text += line.text + "\r\n";
    for (const auto& section : m_sections) {
        text += "[" + section.name + "]\r\n";
        for (const auto& line : section.lines)
            text += line.text + "\r\n";
    }
    return text;
}

std::optional<int> ParseIniInteger(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace app
