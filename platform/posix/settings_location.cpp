#include "settings_location.h"

#include "paths.h"

#include <cstdlib>
#include <unistd.h>

namespace platform {
namespace {

std::string ConfigHome() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return config;
    const char* home = std::getenv("HOME");
    return JoinPath(home && *home ? home : "/", ".config");
}

// PREFIX/bin of an installation, told by the desktop entry installed with it:
// root may write there, but the files belong to each user.
bool IsInstalledBinFolder(const std::string& folder) {
    const auto [prefix, name] = SplitPath(folder);
    return name == "bin" &&
           ::access(JoinPath(prefix, "share/applications/tornwel.desktop").c_str(), F_OK) == 0;
}

} // namespace

std::string SettingsFolder(const std::string& executablePath) {
    const std::string folder = SplitPath(executablePath).first;
    if (::access(folder.c_str(), W_OK) == 0 && !IsInstalledBinFolder(folder)) return folder;
    const std::string fallback = JoinPath(ConfigHome(), "tornwel");
    ForceFolderPath(fallback);
    return fallback;
}

std::string SettingsFilePath(const std::string& executablePath) {
    const std::string name = SplitPath(executablePath).second;
    const auto dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    return JoinPath(SettingsFolder(executablePath), stem + ".INI");
}

} // namespace platform
