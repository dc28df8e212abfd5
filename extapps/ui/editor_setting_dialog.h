#pragma once

#include "main_state.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace extapps {

// The settings window: the editor program that E and "ｴﾃﾞｨﾀ" start.
class EditorSettingDialog final : public QDialog {
    Q_OBJECT

  public:
    EditorSettingDialog(app::MainState& state, QWidget* parent);

    // Shows EditApp modally over the main window's remembered place. "保存"
    // keeps the text as it is (empty means the desktop's editor); "ｷｬﾝｾﾙ" and
    // the close box leave EditApp unchanged.
    void Open();

    QLineEdit* editorEdit() const { return m_editorEdit; }
    QPushButton* browseButton() const { return m_browseButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

  private:
    void Button1Click();
    void Button5Click();

    app::MainState& m_state;
    QLineEdit* m_editorEdit;
    QPushButton* m_browseButton;
    QPushButton* m_saveButton;
    QPushButton* m_cancelButton;
};

} // namespace extapps
