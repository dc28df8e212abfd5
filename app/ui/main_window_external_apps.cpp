// The external programs: the command table and its Alt+letter keys, the
// editor, the Alt overlay, and the small commands handed to the desktop.

#include "command_binding.h"
#include "external_app_commands.h"
#include "list_keys.h"
#include "main_window.h"
#include "shell_commands.h"

namespace app {

void MainWindow::ConnectExternalAppCommands(ListKeys& keys) {
    using Commands = extapps::ExternalAppCommands;
    using Shell = extapps::ShellCommands;
    struct Binding {
        const char* name;
        char key;
        void (Commands::*handler)();
    };
    static constexpr Binding kCommandBindings[] = {
        {"Menu_outappsetting", 0, &Commands::Menu_setClick},
        {"Menu_editor", 'E', &Commands::Menu_outeeClick},
        {"Menu_editorsetting", 0, &Commands::Menu_seteClick},
    };
    struct ShellBinding {
        const char* name;
        void (Shell::*handler)();
    };
    static constexpr ShellBinding kShellBindings[] = {
        {"tlbcalculat", &Shell::tlbcalculatClick},   {"Menu_explorer", &Shell::Menu_esplorerClick},
        {"Menu_control", &Shell::Menu_controlClick}, {"Menu_version", &Shell::Menu_verClick},
        {"Menu_homepage", &Shell::Menu_hpClick},     {"Menu_mail", &Shell::Menu_addClick},
        {"Menu_selectall", &Shell::Menu_allClick},   {"Menu_shortcut", &Shell::DeskTop_setClick},
    };
    auto* commands = new Commands(*this, this);
    for (const Binding& binding : kCommandBindings) {
        BindCommand(*this, keys, {binding.name}, binding.key,
                    [commands, handler = binding.handler] { (commands->*handler)(); });
    }
    auto* shell = new Shell(*this, this);
    for (const ShellBinding& binding : kShellBindings) {
        BindCommand(*this, keys, {binding.name}, 0,
                    [shell, handler = binding.handler] { (shell->*handler)(); });
    }
}

} // namespace app
