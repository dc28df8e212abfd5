#pragma once

#include "history_combo.h"
#include "pass_dialog.h"

#include <map>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;

namespace ncui {

// Writes the selected files one after another into one new file, named in a
// box with its history.
class JoinDialog final : public PassDialog {
    Q_OBJECT

  public:
    explicit JoinDialog(app::CommandHost& host);

    // `names`: the files to join, top to bottom.
    void Open(const std::vector<std::string>& names);
    void done(int result) override;

    QComboBox* nameBox() const { return m_nameBox; }
    QListWidget* fileList() const { return m_fileList; }
    QPushButton* okButton() const { return m_okButton; }

  private:
    void Button1Click();
    // Whether the user lets an existing file of that path be replaced.
    bool MayReplace(const std::string& path);
    bool NamesASource(const std::string& name, const std::string& path);
    // The file-form answers of the sources whose text is empty, asked in order.
    std::map<std::string, bool> AskFileForms();
    void RunJoin(const std::string& path, const std::map<std::string, bool>& answers);

    QListWidget* m_fileList;
    QComboBox* m_nameBox;
    filelist::HistoryCombo m_history;
    QPushButton* m_okButton;
    std::vector<std::string> m_names;
};

} // namespace ncui
