#include "shell_commands.h"

#include "command_frame.h"
#include "desktop_open.h"
#include "desktop_programs.h"
#include "desktop_shortcut.h"
#include "message_box.h"
#include "paths.h"
#include "program_start.h"
#include "project_addresses.h"
#include "text_editor_lookup.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTreeView>
#include <system_error>

namespace extapps {

void SelectAllRows(app::CommandHost& host) {
    host.fileList()->selectAll();
}

ShellCommands::ShellCommands(app::CommandHost& host, QObject* parent)
    : QObject(parent), m_host(host) {}

QString ShellCommands::AboutApplicationText(const app::MainState& state) {
    return "Tornwel Ver" + QString::fromStdString(state.VersionText);
}

void ShellCommands::tlbcalculatClick() {
    StartFirstFound(kCalculatorPrograms, kNoCalculatorMessage);
}

// The listed folder in the desktop's file manager.
void ShellCommands::Menu_esplorerClick() {
    StartProgram(m_host.hostWindow(), {m_host.state().CurrentDir, {}});
}

void ShellCommands::Menu_controlClick() {
    StartFirstFound(kSettingsPrograms, kNoSettingsProgramMessage);
}

void ShellCommands::Menu_verClick() {
    const QString application = AboutApplicationText(m_host.state());
    platform::ShowAbout(m_host.hostWindow(), application + " のバージョン情報",
                        application + "\n" + kMakerNotice);
}

void ShellCommands::Menu_hpClick() {
    OpenAddress(kHomePageAddress);
}

void ShellCommands::Menu_addClick() {
    OpenAddress(kMailAddress);
}

void ShellCommands::Menu_allClick() {
    SelectAllRows(m_host);
}

// A failure is told, unlike success: a shortcut that silently is not there
// would leave the user searching.
void ShellCommands::DeskTop_setClick() {
    const std::string desktop =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
            .toStdString();
    const std::string executable =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    try {
        MakeDesktopShortcut(desktop, executable);
    } catch (const std::system_error& failure) {
        platform::ShowFileFailure(m_host.hostWindow(), platform::kCannotWriteFormat,
                                  platform::JoinPath(desktop, kShortcutFileName), failure);
    }
}

void ShellCommands::StartFirstFound(std::span<const char* const> candidates,
                                    const char* noneMessage) {
    const std::string program =
        FirstProgramFound(candidates, DesktopEnvironmentFromProcess().SearchPath);
    if (program.empty()) {
        ncui::ShowCommandError(m_host.hostWindow(), noneMessage);
        return;
    }
    StartProgram(m_host.hostWindow(), {program, {}});
}

void ShellCommands::OpenAddress(const char* address) {
    if (!platform::OpenAddressWithDesktop(address)) {
        ncui::ShowCommandError(m_host.hostWindow(), QString("%1 を開けません。").arg(address));
    }
}

} // namespace extapps
