#include "desktop_shortcut.h"

#include "atomic_file.h"
#include "encoding.h"
#include "paths.h"
#include "program_files.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace extapps {

namespace {

constexpr const char* kIconName = "tornwel";
// Below the prefix, best first, as the packaging installs them.
constexpr const char* kInstalledIcons[] = {"share/icons/hicolor/scalable/apps/tornwel.svg",
                                           "share/icons/hicolor/48x48/apps/tornwel.png"};
constexpr mode_t kShortcutMode = S_IRWXU | S_IRGRP | S_IXGRP | S_IROTH | S_IXOTH;

// A value as a key file holds it: the escapes \\ \n \t \r, and \s for a blank
// at either end, which readers would otherwise trim.
std::string KeyFileValue(const std::string& text) {
    std::string value;
    for (std::size_t at = 0; at < text.size(); ++at) {
        switch (text[at]) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        case ' ':
            value += at == 0 || at + 1 == text.size() ? "\\s" : " ";
            break;
        default:
            value += text[at];
        }
    }
    return value;
}

// One quoted argument of an Exec value: inside the quotes " ` $ \ take a
// backslash, and % is doubled, since field codes are expanded everywhere.
std::string QuotedExecArgument(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

std::string ParentFolder(const std::string& path) {
    return platform::SplitPath(path).first;
}

} // namespace

std::string DesktopShortcutText(const std::string& executable, const std::string& icon) {
    std::string text = "[Desktop Entry]\nType=Application\nName=Tornwel\n";
    text += "Exec=" + KeyFileValue(QuotedExecArgument(executable)) + "\n";
    text += "Path=" + KeyFileValue(ParentFolder(executable)) + "\n";
    text += "Icon=" + KeyFileValue(icon) + "\n";
    return text + "Terminal=false\n";
}

std::string ShortcutIcon(const std::string& executable) {
    const std::string prefix = ParentFolder(ParentFolder(executable));
    for (const char* icon : kInstalledIcons) {
        std::string path = platform::JoinPath(prefix, icon);
        if (IsExistingNonFolder(path)) return path;
    }
    return kIconName;
}

std::string MakeDesktopShortcut(const std::string& desktopFolder, const std::string& executable) {
    const std::string icon = ShortcutIcon(executable);
    if (!platform::IsValidUtf8(executable) || !platform::IsValidUtf8(icon))
        throw std::system_error(EILSEQ, std::generic_category(), executable);
    platform::ForceFolderPath(desktopFolder);
    platform::AtomicFile file(platform::JoinPath(desktopFolder, kShortcutFileName));
    file.Write(DesktopShortcutText(executable, icon));
    file.KeepModeAndTime(kShortcutMode, {0, UTIME_NOW});
    file.Commit();
    return file.targetPath();
}

} // namespace extapps
