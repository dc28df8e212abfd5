#pragma once

#include "command_host.h"

#include <QObject>
#include <memory>

namespace extapps {

class AltOverlay;
class ArgumentDialog;
class CommandTableDialog;
class EditorSettingDialog;

// The 26 commands on Alt+A..Alt+Z with their table, the editor with its
// setting, and the Alt overlay that names them while Alt is held in the main
// window. The dialogs are made at their first use and kept.
class ExternalAppCommands final : public QObject {
    Q_OBJECT

  public:
    explicit ExternalAppCommands(app::CommandHost& host, QObject* parent = nullptr);
    ~ExternalAppCommands() override;

    AltOverlay& overlay() const { return *m_overlay; }

  public slots:
    // "設定" under "外部ｱﾌﾟﾘ起動": the command table.
    void Menu_setClick();
    // The hidden menu items of the letters: tags 2..27 stand for A..Z.
    void Menu_outaClick(int tag);
    // Runs the command of a letter on the one selected row.
    void RunExternalCommand(char letter);
    // E and "ｴﾃﾞｨﾀ": the selected row in the editor.
    void Menu_outeeClick();
    // "設定" under "編集ｱﾌﾟﾘ": the editor setting.
    void Menu_seteClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Alt+A..Alt+Z work although their menu items are hidden.
    void BindLetterShortcuts();
    // A key pressed while Alt is held in the main window; true when consumed.
    bool HandleDialogKey(int key);
    void AltReleased();
    void HideOverlayForDialog();
    std::vector<std::string> SelectedNames() const;
    void RefuseSelection();

    app::CommandHost& m_host;
    AltOverlay* m_overlay;
    std::unique_ptr<CommandTableDialog> m_table;
    std::unique_ptr<ArgumentDialog> m_arguments;
    std::unique_ptr<EditorSettingDialog> m_editorSetting;
    bool m_altHeld = false; // Alt was pressed in the main window
};

} // namespace extapps
