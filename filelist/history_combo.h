#pragma once

#include "history_list.h"

#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace filelist {

// A combo box over a history list file. The entries keep their bytes.
class HistoryCombo final {
  public:
    HistoryCombo(QComboBox& box, std::string path, HistoryMatch match);

    // Replaces the list by the file's entries; false (list unchanged) when
    // there is no file, or it cannot be read (reported over `owner`).
    bool Load(QWidget* owner);
    // Writes the list; false when that failed (reported over `owner`).
    bool Save(QWidget* owner) const;
    // Pushes the text and shows entry 0.
    void Push(const std::string& text);
    // A pick from the list: the text goes to the top, nothing is cut.
    void MoveToTop(const std::string& text);
    std::vector<std::string> Entries() const;
    // The typed text, as bytes.
    std::string Text() const;
    void SetText(const std::string& text);

  private:
    void SetEntries(const std::vector<std::string>& entries);

    QComboBox& m_box;
    std::string m_path;
    HistoryMatch m_match;
};

} // namespace filelist
