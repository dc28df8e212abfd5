#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace extapps {

// Argument words gathered piece by piece: a word exists once anything (even
// an empty pair of quotes) was added to it, and ends at a blank.
class WordList final {
  public:
    void Append(std::string_view piece) {
        m_word += piece;
        m_inWord = true;
    }
    // An empty word that still counts, such as "".
    void StartWord() { m_inWord = true; }
    void EndWord() {
        if (m_inWord) m_words.push_back(std::move(m_word));
        m_word.clear();
        m_inWord = false;
    }
    std::vector<std::string>& words() { return m_words; }

  private:
    std::vector<std::string> m_words;
    std::string m_word;
    bool m_inWord = false;
};

} // namespace extapps
