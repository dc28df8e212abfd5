#include "desktop_entry.h"

#include "key_file.h"

namespace extapps {

namespace {

constexpr std::string_view kQuotedEscapes = "\"`$\\";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsFileCode(char code) {
    return code == 'f' || code == 'F' || code == 'u' || code == 'U';
}

class ExecParser final {
  public:
    ExecParser(std::string_view exec, std::string_view file) : m_exec(exec), m_file(file) {}

    std::optional<std::vector<std::string>> Words() {
        while (m_at < m_exec.size()) {
            const char c = m_exec[m_at];
            if (c == '"') {
                if (!ReadQuoted()) return std::nullopt;
            } else if (IsBlank(c)) {
                EndWord();
            } else if (c == '%' && m_at + 1 < m_exec.size()) {
                ReadFieldCode(m_exec[++m_at]);
            } else {
                Append(std::string_view(&m_exec[m_at], 1));
            }
            ++m_at;
        }
        EndWord();
        if (m_words.empty()) return std::nullopt;
        if (!m_sawFile) m_words.emplace_back(m_file);
        return std::move(m_words);
    }

  private:
    // Leaves m_at on the closing quote.
    bool ReadQuoted() {
        m_inWord = true;
        for (++m_at; m_at < m_exec.size() && m_exec[m_at] != '"'; ++m_at) {
            if (m_exec[m_at] == '\\' && m_at + 1 < m_exec.size() &&
                kQuotedEscapes.find(m_exec[m_at + 1]) != std::string_view::npos) {
                ++m_at;
            }
            m_word += m_exec[m_at];
        }
        return m_at < m_exec.size();
    }

    void ReadFieldCode(char code) {
        if (IsFileCode(code)) {
            Append(m_file);
            m_sawFile = true;
        } else if (code == '%') {
            Append("%");
        }
    }

    void Append(std::string_view piece) {
        m_word += piece;
        m_inWord = true;
    }

    void EndWord() {
        if (m_inWord) m_words.push_back(std::move(m_word));
        m_word.clear();
        m_inWord = false;
    }

    std::string_view m_exec;
    std::string_view m_file;
    std::size_t m_at = 0;
    std::vector<std::string> m_words;
    std::string m_word;
    bool m_inWord = false;
    bool m_sawFile = false;
};

std::string ValueOr(const std::map<std::string, std::string, std::less<>>& keys,
                    std::string_view key) {
    const auto found = keys.find(key);
    return found == keys.end() ? std::string() : found->second;
}

} // namespace

DesktopEntry ParseDesktopEntry(std::string_view text) {
    const auto keys = KeyFileGroup(text, "Desktop Entry");
    DesktopEntry entry;
    entry.Type = ValueOr(keys, "Type");
    entry.Exec = ValueOr(keys, "Exec");
    entry.TryExec = ValueOr(keys, "TryExec");
    entry.Terminal = ValueOr(keys, "Terminal") == "true";
    entry.Hidden = ValueOr(keys, "Hidden") == "true";
    return entry;
}

std::optional<std::vector<std::string>> ExpandDesktopExec(std::string_view exec,
                                                          std::string_view file) {
    return ExecParser(exec, file).Words();
}

} // namespace extapps
