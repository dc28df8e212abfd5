#pragma once

#include "main_state.h"

#include <string>
#include <vector>

class QWidget;

namespace filelist {
struct FileRow;
}

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
};

} // namespace app
