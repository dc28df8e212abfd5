#pragma once

#include "main_state.h"
#include "rename_rules.h"

#include <QDialog>
#include <array>
#include <optional>

class QPushButton;
class QRadioButton;

namespace fileopsui {

// How several entries are renamed: a case change of every name, or a new name
// asked for each in turn.
class GroupRenameDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit GroupRenameDialog(QWidget* parent);

    // Shows the dialog centred on the main window; the chosen kind on OK.
    std::optional<fileops::GroupRenameKind> Ask(const app::MainState& state);

    QRadioButton* kindButton(fileops::GroupRenameKind kind) const;
    QPushButton* okButton() const { return m_ok; }

  private:
    std::array<QRadioButton*, 5> m_kinds{};
    QPushButton* m_ok;
    fileops::GroupRenameKind m_kind = fileops::GroupRenameKind::Rename;
};

} // namespace fileopsui
