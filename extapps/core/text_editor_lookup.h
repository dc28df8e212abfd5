#pragma once

#include "launch_request.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace extapps {

// Where the desktop keeps its settings and applications, and where programs
// are looked for. Filled from the process environment, or by tests.
struct DesktopEnvironment {
    std::string ConfigHome;
    std::vector<std::string> ConfigDirs;
    std::string DataHome;
    std::vector<std::string> DataDirs;
    std::vector<std::string> CurrentDesktops; // lower case, preferred first
    std::vector<std::string> SearchPath;
};

// Builds the environment from variables (XDG_CONFIG_HOME, XDG_CONFIG_DIRS,
// XDG_DATA_HOME, XDG_DATA_DIRS, XDG_CURRENT_DESKTOP, PATH, HOME) with the
// freedesktop defaults for unset ones; `variable` gives "" for an unset one.
// Relative folders are ignored, as the base directory rules require.
DesktopEnvironment
DesktopEnvironmentFrom(const std::function<std::string(std::string_view name)>& variable);
DesktopEnvironment DesktopEnvironmentFromProcess();

// The desktop's text editor started on `file`: the default application for
// text/plain (mimeapps.list defaults, then added associations, then
// mimeinfo.cache, skipping terminal programs and entries whose program is not
// installed), else the first of the common GUI text editors on the search
// path. Nothing when there is none.
std::optional<LaunchRequest> FallbackTextEditor(const DesktopEnvironment& environment,
                                                const std::string& file);

} // namespace extapps
