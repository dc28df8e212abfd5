#pragma once

#include "command_host.h"
#include "history_combo.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace fileopsui {

// Asks for a name pattern ("*" any run of characters, "?" any one) and lists
// the current folder again showing only the entries whose names match it,
// until the next listing. The patterns are kept in a history list.
class FilterDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit FilterDialog(app::CommandHost& host);

    // Empties the name box, loads the history and shows the dialog modally
    // over the main window.
    void Open();
    void done(int result) override;

    QComboBox* nameBox() const { return m_nameBox; }
    QPushButton* okButton() const { return m_ok; }

  private:
    void Button1Click();

    app::CommandHost& m_host;
    QComboBox* m_nameBox;
    filelist::HistoryCombo m_history;
    QPushButton* m_ok;
};

} // namespace fileopsui
