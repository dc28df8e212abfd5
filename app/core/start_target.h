#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

// What a path given at start names: a folder to list, or a file whose folder
// is listed with that file focused.
struct StartTarget {
    std::string folder;   // absolute, no trailing "/" except the root
    std::string fileName; // empty for a folder
    bool operator==(const StartTarget&) const = default;
};

// The path argument of a start: the first argument that is neither an option
// nor the value of one of Qt's own options ("-platform offscreen"); every
// argument after "--" is a path.
std::optional<std::string> StartPathArgument(const std::vector<std::string>& args);

// The target of a path, relative paths taken from `currentDir`. Nothing when
// the path names nothing that exists.
std::optional<StartTarget> ResolveStartTarget(const std::string& path,
                                              const std::string& currentDir);

// The path of a target as one string, as it is handed to a running instance.
std::string StartTargetPath(const StartTarget& target);

} // namespace app
