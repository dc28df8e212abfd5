// Rename, file search and filter, and file information on their menu items,
// tool buttons and list keys.

#include "main_window.h"

#include "command_binding.h"
#include "file_info_command.h"
#include "find_commands.h"
#include "rename_commands.h"

namespace app {

void MainWindow::ConnectNamingCommands(ListKeys& keys) {
    auto* renaming = new fileopsui::RenameCommands(*this, m_types, this);
    BindCommand(*this, keys, {"Menu_rename", "Popup_rename"}, 'R',
                [renaming] { renaming->NameChgClick(); });
    auto* finding = new fileopsui::FindCommands(*this, this);
    BindCommand(*this, keys, {"tlbtnFindFile", "Menu_findfile", "Popup_find"}, 'F',
                [finding] { finding->tlbtnFindFileClick(); });
    BindCommand(*this, keys, {"tlbtnFind"}, 0, [finding] { finding->tlbtnFindClick(); });
    auto* information = new fileopsui::FileInfoCommand(*this, m_types, m_images, this);
    BindCommand(*this, keys, {"Menu_fileinfo", "Popup_fileinfo"}, 0,
                [information] { information->FileInfoClick(); });
}

} // namespace app
