#pragma once

#include "command_host.h"

#include <string>
#include <vector>

namespace fileopsui {

// Sends the named entries of the current folder to the trash after the
// user's confirmation. What the trash refuses is listed with the system's
// reasons and deleted for good only when the user agrees to a second
// question. Returns false when the user declined the first question and
// nothing was done.
bool TrashEntries(app::CommandHost& host, const std::vector<std::string>& names);

} // namespace fileopsui
