#pragma once

#include <string>

namespace platform {

// Opens a file as the desktop does: a program (a regular file the owner may
// execute) is started in its own folder; anything else opens in the desktop's
// default application for its type. Never waits; false when nothing started.
bool OpenWithDesktop(const std::string& path);

// Opens an address such as "https://..." or "mailto:..." in the desktop's
// program for its scheme. Never waits; false when nothing opened.
bool OpenAddressWithDesktop(const std::string& address);

} // namespace platform
