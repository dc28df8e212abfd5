#pragma once

#include "main_state.h"

#include <string>

namespace app {

// The folder shown when no settings file names one: the user's home folder.
std::string DefaultStartFolder();

// Reads the settings into the state: window bounds, column widths, folder,
// mask, sort, unchanged letters, editor and the 26 command slots. A missing
// file or key gives the default; a key with an empty value gives the empty
// text; an integer key that is not a number gives its default.
void LoadSettings(const std::string& path, MainState& state);

// Writes them back in the order of the file, keeping whatever else the file
// holds. Throws std::system_error when the file cannot be written.
void SaveSettings(const std::string& path, const MainState& state);

} // namespace app
