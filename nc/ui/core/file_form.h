#pragma once

#include <optional>
#include <string>

namespace ncui {

// Whether a file's text is empty (the file is empty or starts with a NUL
// byte), which makes a command ask how to read it; nothing when the file
// cannot be read.
std::optional<bool> TextIsEmpty(const std::string& path);

} // namespace ncui
