#include "command_template.h"
#include "word_list.h"

#include <array>

namespace extapps {

namespace {

constexpr char kBlank = ' ';
constexpr char kQuote = '"';

std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The file name loses its last dot and what follows; a dot in a folder name
// does not count.
std::string_view WithoutExtension(std::string_view path) {
    const auto nameStart = path.size() - FileNameOf(path).size();
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return path;
    return path.substr(0, dot);
}

bool IsPlaceholderAt(std::string_view text, std::size_t at) {
    return text[at] == '$' && at + 1 < text.size() && text[at + 1] >= 'A' && text[at + 1] <= 'D';
}

// Splits the argument text into words while substituting the placeholders, in
// one pass, so that nothing a value brings in is interpreted.
class WordSplitter final {
  public:
    explicit WordSplitter(std::string_view argument) : m_argument(argument) {}

    std::vector<std::string> Split(std::string_view text) {
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (IsPlaceholderAt(text, at)) {
                m_words.Append(m_argument);
                ++at;
            } else if (text[at] == kQuote) {
                m_quoted = !m_quoted;
                m_words.StartWord();
            } else if (text[at] == kBlank && !m_quoted) {
                m_words.EndWord();
            } else {
                m_words.Append(text.substr(at, 1));
            }
        }
        m_words.EndWord();
        return std::move(m_words.words());
    }

  private:
    std::string_view m_argument;
    WordList m_words;
    bool m_quoted = false;
};

} // namespace

std::string ProgramOfCommand(std::string_view command) {
    return std::string(command.substr(0, command.find(kBlank)));
}

std::string ArgumentPrefill(std::string_view command, std::string_view fullPath) {
    const std::array<std::string_view, 4> values = {fullPath, WithoutExtension(fullPath),
                                                    FileNameOf(fullPath),
                                                    WithoutExtension(FileNameOf(fullPath))};
    const std::array<std::string_view, 4> placeholders = {"$A", "$B", "$C", "$D"};
    std::string prefill;
    for (std::size_t i = 0; i < placeholders.size(); ++i) {
        if (command.find(placeholders[i]) != std::string_view::npos) prefill = values[i];
    }
    return prefill;
}

LaunchRequest ExpandCommand(std::string_view command, std::string_view argument) {
    const auto blank = command.find(kBlank);
    if (blank == std::string_view::npos) return {std::string(command), {}};
    return {std::string(command.substr(0, blank)),
            WordSplitter(argument).Split(command.substr(blank + 1))};
}

} // namespace extapps
