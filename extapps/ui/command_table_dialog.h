#pragma once

#include "main_state.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace extapps {

// The table of the 26 commands on Alt+A..Alt+Z: a row is chosen in the list,
// edited in the fields above it and stored with 変更/追加, the only way the
// table changes. Nothing is checked: an empty command frees the slot.
class CommandTableDialog final : public QDialog {
    Q_OBJECT

  public:
    CommandTableDialog(app::MainState& state, QWidget* parent);

    // Shows the table from OutApps modally, centred on the main window's
    // remembered place, with row Alt+A selected and loaded into the fields.
    void Open();

    QTreeWidget* list() const { return m_list; }
    QLabel* keyLabel() const { return m_keyLabel; }
    QLineEdit* nameEdit() const { return m_nameEdit; }
    QCheckBox* argumentBox() const { return m_argumentBox; }
    QLineEdit* commandEdit() const { return m_commandEdit; }
    QToolButton* browseButton() const { return m_browseButton; }
    QPushButton* storeButton() const { return m_storeButton; }
    QPushButton* closeButton() const { return m_closeButton; }

  private:
    void BuildLayout();
    void FillList();
    void LoadSelectedRow();
    void Button1Click();
    void BitBtn1Click();
    // The selected row; -1 when a click on the list's empty area cleared it.
    int SelectedRow() const;
    void SelectRow(int row);

    app::MainState& m_state;
    QLabel* m_keyLabel;
    QLineEdit* m_nameEdit;
    QCheckBox* m_argumentBox;
    QLineEdit* m_commandEdit;
    QToolButton* m_browseButton;
    QPushButton* m_storeButton;
    QPushButton* m_closeButton;
    QTreeWidget* m_list;
};

} // namespace extapps
