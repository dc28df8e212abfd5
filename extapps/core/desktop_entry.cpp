#include "desktop_entry.h"

#include "key_file.h"
#include "word_list.h"

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
                m_words.EndWord();
            } else if (c == '%' && m_at + 1 < m_exec.size()) {
                ReadFieldCode(m_exec[++m_at]);
            } else {
                m_words.Append(std::string_view(&m_exec[m_at], 1));
            }
            ++m_at;
        }
        m_words.EndWord();
        if (m_words.words().empty()) return std::nullopt;
        if (!m_sawFile) m_words.words().emplace_back(m_file);
        return std::move(m_words.words());
    }

  private:
    // Leaves m_at on the closing quote. "%%" is a percent sign here too: field
    // codes are expanded before the quoting is read (as GLib does), so
    // writers double every "%" of a quoted path.
    bool ReadQuoted() {
        m_words.StartWord();
        for (++m_at; m_at < m_exec.size() && m_exec[m_at] != '"'; ++m_at) {
            if (m_exec[m_at] == '\\' && m_at + 1 < m_exec.size() &&
                kQuotedEscapes.find(m_exec[m_at + 1]) != std::string_view::npos) {
                ++m_at;
            } else if (m_exec.substr(m_at, 2) == "%%") {
                ++m_at;
            }
            m_words.Append(std::string_view(&m_exec[m_at], 1));
        }
        return m_at < m_exec.size();
    }

    void ReadFieldCode(char code) {
        if (IsFileCode(code)) {
            m_words.Append(m_file);
            m_sawFile = true;
        } else if (code == '%') {
            m_words.Append("%");
        }
    }

    std::string_view m_exec;
    std::string_view m_file;
    std::size_t m_at = 0;
    WordList m_words;
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
