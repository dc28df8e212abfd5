#pragma once

#include "history_list.h"

#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace ncui {

// A dialog's combo box over a history list file. The entries keep their bytes.
class HistoryCombo final {
  public:
    HistoryCombo(QComboBox& box, std::string path);

    // Replaces the list by the file's entries; false (list unchanged) when
    // there is no file, or it cannot be read (reported over `owner`).
    bool Load(QWidget* owner);
    // Writes the list; a failure is reported over `owner`.
    void Save(QWidget* owner) const;
    // Pushes the text (byte for byte duplicates) and shows entry 0.
    void Push(const std::string& text);
    std::vector<std::string> Entries() const;
    // The typed text, as bytes.
    std::string Text() const;
    void SetText(const std::string& text);

  private:
    void SetEntries(const std::vector<std::string>& entries);

    QComboBox& m_box;
    std::string m_path;
};

} // namespace ncui
