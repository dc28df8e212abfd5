#pragma once

#include "launch_request.h"

#include <string>
#include <vector>

namespace extapps {

// Starts `program` (a path, not looked up on PATH) with `arguments` as argv[1..]
// byte for byte, without a shell, and never waits for it. The new process
// inherits the environment and the current working folder, runs in a session
// of its own and inherits no descriptor above stderr. A program that cannot be
// started (missing, not executable, an argument holding a NUL byte) gives an
// error naming it with the system's reason.
LaunchResult StartDetachedProcess(const std::string& program,
                                  const std::vector<std::string>& arguments);

} // namespace extapps
