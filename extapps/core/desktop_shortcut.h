#pragma once

#include <string>

namespace extapps {

inline constexpr const char* kShortcutFileName = "Tornwel.desktop";

// The desktop entry that starts `executable` in its own folder, showing
// `icon` (a file path or an icon theme name). The path keeps every byte: it
// is quoted and escaped for the Exec key and escaped for the Path key.
std::string DesktopShortcutText(const std::string& executable, const std::string& icon);

// The icon for a shortcut to `executable`: the icon installed under the
// executable's prefix (PREFIX/bin/tornwel, PREFIX/share/icons/hicolor/...)
// when there is one, else the icon theme name "tornwel".
std::string ShortcutIcon(const std::string& executable);

// Writes Tornwel.desktop into `desktopFolder` (made when missing), replacing
// one already there, executable so that desktops offer to start it. The file
// is written under a temporary name and renamed into place. Returns its path.
// Throws std::system_error; EILSEQ for a path that is not UTF-8, which
// desktop entries cannot hold.
std::string MakeDesktopShortcut(const std::string& desktopFolder, const std::string& executable);

} // namespace extapps
