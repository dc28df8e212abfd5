#pragma once

#include "launch_request.h"

#include <functional>
#include <string>

namespace extapps {

// Opens a document in the desktop's default application for its type; false
// when nothing opened. The widget layer passes platform::OpenWithDesktop.
using DocumentOpener = std::function<bool(const std::string& path)>;

// Starts a request and never waits for it. With argument words the program is
// started with exactly those words. Without any, the request means "open": a
// program (a regular file its owner may execute) starts alone, anything else
// goes to `openDocument`. The started program keeps this process's working
// folder, not the listed one.
LaunchResult LaunchProgram(const LaunchRequest& request, const DocumentOpener& openDocument);

} // namespace extapps
