#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

bool IsValidUtf8(std::string_view text);

// CP932 is the Microsoft variant of Shift-JIS. Each returns nothing when the
// text holds a character the other side cannot represent.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// The program's own text files (settings, histories, variable lists) are
// CP932 when the whole text can be; otherwise UTF-8 behind a byte order mark.
std::string ToSettingsEncoding(std::string_view utf8);
// Reads either form back into UTF-8 (a text that is neither is kept as it is).
std::string FromSettingsEncoding(std::string_view bytes);

} // namespace platform
