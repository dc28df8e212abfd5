// Delete, copy, move and new folder on their tool buttons, menu items and keys.

#include "command_binding.h"
#include "main_window.h"
#include "transfer_commands.h"

namespace app {

void MainWindow::ConnectTransferCommands(ListKeys& keys) {
    using Commands = fileopsui::TransferCommands;
    struct Binding {
        const char* button;
        const char* menuItem;
        const char* popupItem;
        char key;
        void (Commands::*handler)();
    };
    static constexpr Binding kBindings[] = {
        {"tlbtnDel", "Menu_delete", "Popup_delete", 'D', &Commands::tlbtnDelClick},
        {"tlbtnCopy", "Menu_copy", "Popup_copy", 'C', &Commands::tlbtnCopyClick},
        {"tlbtnMove", "Menu_move", "Popup_move", 'M', &Commands::tlbtnMoveClick},
    };
    auto* commands = new Commands(*this, this);
    for (const Binding& binding : kBindings) {
        BindCommand(*this, keys, {binding.button, binding.menuItem, binding.popupItem}, binding.key,
                    [commands, handler = binding.handler] { (commands->*handler)(); });
    }
    BindCommand(*this, keys, {"tlbtnNewFd"}, 0, [commands] { commands->tlbtnNewFdClick(); });
}

} // namespace app
