#include "history_combo.h"

#include "command_frame.h"
#include "display_text.h"

#include <QComboBox>
#include <QCompleter>
#include <system_error>

namespace ncui {

// The box completes and matches entries with their case: "out" and "OUT" are
// two folders here, and a finished edit must not turn one into the other.
HistoryCombo::HistoryCombo(QComboBox& box, std::string path) : m_box(box), m_path(std::move(path)) {
    m_box.setEditable(true);
    m_box.setInsertPolicy(QComboBox::NoInsert);
    m_box.completer()->setCaseSensitivity(Qt::CaseSensitive);
}

bool HistoryCombo::Load(QWidget* owner) {
    try {
        const auto entries = filelist::LoadHistoryFile(m_path);
        if (!entries) return false;
        SetEntries(*entries);
        return true;
    } catch (const std::system_error& failure) {
        ShowCommandError(owner, FileFailureText("ファイル %1 は開けません。\n%2", m_path, failure));
        return false;
    }
}

void HistoryCombo::Save(QWidget* owner) const {
    try {
        filelist::SaveHistoryFile(m_path, Entries());
    } catch (const std::system_error& failure) {
        ShowCommandError(owner,
                         FileFailureText("ファイル %1 に書き込めません。\n%2", m_path, failure));
    }
}

void HistoryCombo::Push(const std::string& text) {
    auto entries = Entries();
    filelist::PushHistory(entries, text, filelist::HistoryMatch::Exact);
    SetEntries(entries);
    SetText(entries.front());
}

std::vector<std::string> HistoryCombo::Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < m_box.count(); ++i)
        entries.push_back(m_box.itemData(i).toByteArray().toStdString());
    return entries;
}

std::string HistoryCombo::Text() const {
    return TypedBytes(m_box.currentText());
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

} // namespace ncui
