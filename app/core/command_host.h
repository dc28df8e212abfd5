#pragma once

#include "main_state.h"

#include <string>
#include <vector>

class QTreeView;
class QWidget;

namespace filelist {
class FileListModel;
struct FileRow;
} // namespace filelist

namespace app {

// What the commands need of the main window: its state, the rows selected
// in the file list, the listing and the window they are shown over.
class CommandHost {
  public:
    virtual ~CommandHost() = default;

    virtual QWidget* hostWindow() = 0;
    virtual MainState& state() = 0;
    // The folder of the program's own files (histories, option files).
    virtual const std::string& settingsFolder() const = 0;
    // The selected rows of the file list, top to bottom.
    virtual std::vector<const filelist::FileRow*> SelectedRows() const = 0;
    virtual void RefreshFileList(bool KeepFilter, bool KeepPosition, bool ResortOnly) = 0;
    virtual void RememberWindowRect() = 0;
    // The file list and its rows, for the commands that change rows in place.
    virtual QTreeView* fileList() const = 0;
    virtual filelist::FileListModel* fileModel() const = 0;
    // Selects only this row, focuses it and scrolls it into view.
    virtual void SelectOnlyItem(int index) = 0;
};

} // namespace app
