#pragma once

#include "nc_commands.h"

#include <string>

namespace ncui {

inline constexpr const char* kSplitOptionsFile = "Div_Sub.ini";

// The split's four options in their file: section "Sub", keys F_Set, B_Set,
// N_Set and SP_Set, "1" for on and "0" for off. A non-zero integer reads as
// on; a missing file or key, or a value that is no integer, as off.
nc::SplitOptions LoadSplitOptions(const std::string& path);
// Keeps whatever else the file holds. Throws std::system_error.
void SaveSplitOptions(const std::string& path, const nc::SplitOptions& options);

} // namespace ncui
