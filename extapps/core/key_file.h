#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace extapps {

// The keys of one group of a freedesktop key file (desktop entries,
// mimeapps.list, mimeinfo.cache): "[Group]" lines open groups, "Key=Value"
// lines hold keys, "#" starts a comment. Names compare exactly; blanks around
// "=" are ignored; the escapes \s \n \t \r \\ in values are resolved. The first
// occurrence of a key wins.
std::map<std::string, std::string, std::less<>> KeyFileGroup(std::string_view text,
                                                             std::string_view group);

// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

} // namespace extapps
