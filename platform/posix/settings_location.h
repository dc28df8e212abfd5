#pragma once

#include <string>

namespace platform {

// The folder of the program's own files (settings and histories): the
// executable's folder when it is writable (portable use), otherwise, and
// always for an installed copy (PREFIX/bin with
// PREFIX/share/applications/tornwel.desktop), $XDG_CONFIG_HOME/tornwel
// (created when missing).
std::string SettingsFolder(const std::string& executablePath);

// The settings file: the executable's file name with its extension replaced by
// ".INI" (or ".INI" added), in the settings folder.
std::string SettingsFilePath(const std::string& executablePath);

} // namespace platform
