#pragma once

#include <optional>
#include <string>

namespace app {

class MainWindow;

// A start of an instance that is already running: a start with a path hands
// it over (the running window lists it and comes to the front), a start
// without one ends at once. Returns the exit status.
int HandOverToRunningInstance(int argc, char** argv, const std::string& executableName,
                              const std::optional<std::string>& startPath);

// The start of the one instance: the window is made ready to open at the
// start path (before it is shown), and later starts are listened for.
void ServeStartPaths(MainWindow& window, const std::string& executableName,
                     const std::optional<std::string>& startPath);

} // namespace app
