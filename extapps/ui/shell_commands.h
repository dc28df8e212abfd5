#pragma once

#include "command_host.h"

#include <QObject>
#include <span>

namespace extapps {

// Selects every row of the file list, ".." included.
void SelectAllRows(app::CommandHost& host);

// The small commands that hand work to the desktop: its file manager on the
// listed folder, its settings program and calculator, the project's home
// page and mail address, the about box, select all, and a shortcut to the
// program on the desktop.
class ShellCommands final : public QObject {
    Q_OBJECT

  public:
    explicit ShellCommands(app::CommandHost& host, QObject* parent = nullptr);

    // The application text of the about box: "Tornwel Ver" and VersionText.
    static QString AboutApplicationText(const app::MainState& state);

  public slots:
    void tlbcalculatClick();
    void Menu_esplorerClick();
    void Menu_controlClick();
    void Menu_verClick();
    void Menu_hpClick();
    void Menu_addClick();
    void Menu_allClick();
    void DeskTop_setClick();

  private:
    void StartFirstFound(std::span<const char* const> candidates, const char* noneMessage);
    void OpenAddress(const char* address);

    app::CommandHost& m_host;
};

} // namespace extapps
