#include "history_combo.h"

#include "display_text.h"
#include "message_box.h"

#include <QComboBox>
#include <QCompleter>
#include <system_error>

namespace filelist {

// A box whose duplicates keep their case completes and matches entries with
// their case: "out" and "OUT" are two folders here, and a finished edit must
// not turn one into the other.
HistoryCombo::HistoryCombo(QComboBox& box, std::string path, HistoryMatch match)
    : m_box(box), m_path(std::move(path)), m_match(match) {
    m_box.setEditable(true);
    m_box.setInsertPolicy(QComboBox::NoInsert);
    m_box.completer()->setCaseSensitivity(match == HistoryMatch::Exact ? Qt::CaseSensitive
                                                                       : Qt::CaseInsensitive);
}

bool HistoryCombo::Load(QWidget* owner) {
    try {
        const auto entries = LoadHistoryFile(m_path);
        if (!entries) return false;
        SetEntries(*entries);
        return true;
    } catch (const std::system_error& failure) {
        platform::ShowFileFailure(owner, platform::kCannotReadFormat, m_path, failure);
        return false;
    }
}

bool HistoryCombo::Save(QWidget* owner) const {
    try {
        SaveHistoryFile(m_path, Entries());
        return true;
    } catch (const std::system_error& failure) {
        platform::ShowFileFailure(owner, platform::kCannotWriteFormat, m_path, failure);
        return false;
    }
}

void HistoryCombo::Push(const std::string& text) {
    auto entries = Entries();
    PushHistory(entries, text, m_match);
    SetEntries(entries);
    SetText(entries.front());
}

void HistoryCombo::MoveToTop(const std::string& text) {
    auto entries = Entries();
    MoveHistoryTextToTop(entries, text, m_match);
    SetEntries(entries);
    m_box.setCurrentIndex(0);
}

std::vector<std::string> HistoryCombo::Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < m_box.count(); ++i)
        entries.push_back(m_box.itemData(i).toByteArray().toStdString());
    return entries;
}

std::string HistoryCombo::Text() const {
    return m_box.currentText().toStdString();
}

void HistoryCombo::SetText(const std::string& text) {
    m_box.setEditText(platform::DisplayText(text));
}

void HistoryCombo::SetEntries(const std::vector<std::string>& entries) {
    const QString text = m_box.currentText();
    m_box.clear();
    for (const auto& entry : entries)
        m_box.addItem(platform::DisplayText(entry), QByteArray::fromStdString(entry));
    m_box.setEditText(text);
}

} // namespace filelist
