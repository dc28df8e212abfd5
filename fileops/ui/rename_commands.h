#pragma once

#include "command_host.h"

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace filelist {
class TypeTable;
}

namespace fileopsui {

class GroupRenameDialog;
class RenameDialog;

// Renaming the entries of the listed folder: in place in the file list (a
// click on the name of the selected row, or F2), with the rename dialog for
// one selected row, and with the group dialog for several. A rename never
// replaces an existing entry.
class RenameCommands final : public QObject {
    Q_OBJECT

  public:
    // Makes the names of the host's file list editable in place.
    RenameCommands(app::CommandHost& host, filelist::TypeTable& types, QObject* parent);
    ~RenameCommands() override;

    void NameChgClick();

    // The in-place edit of a row's name begins; it ends with a text.
    void ListView1Editing();
    void ListView1Edited(int row, const QString& text);

    RenameDialog* renameDialog() const { return m_renameDialog.get(); }
    GroupRenameDialog* groupDialog() const { return m_groupDialog.get(); }

  private:
    void RenameSelectedRow(const std::string& name);
    void RenameRows(const std::vector<std::string>& names);
    std::optional<std::string> AskNewName(const std::string& oldName);
    // Shows the renamed entry in its row, with the type and image of its new
    // name; the other columns and the row's place stay until the next listing.
    void ShowRenamed(int row, const std::string& newName);

    app::CommandHost& m_host;
    filelist::TypeTable& m_types;
    std::unique_ptr<RenameDialog> m_renameDialog;
    std::unique_ptr<GroupRenameDialog> m_groupDialog;
};

} // namespace fileopsui
