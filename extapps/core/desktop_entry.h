#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace extapps {

// The keys of a desktop file's [Desktop Entry] group that starting it needs.
struct DesktopEntry {
    std::string Type;
    std::string Exec;
    std::string TryExec;
    bool Terminal = false;
    bool Hidden = false;
};

DesktopEntry ParseDesktopEntry(std::string_view text);

// The Exec value as argv words for opening `file`: %f %F %u %U give the file
// (as a path, which the format allows for URLs too), %% a percent sign, the
// other field codes nothing. Double-quoted words keep their blanks, with \" \`
// \$ \\ escaped inside. When no code names the file, it is appended as the
// last word. Nothing for an empty value or an unterminated quote.
std::optional<std::vector<std::string>> ExpandDesktopExec(std::string_view exec,
                                                          std::string_view file);

} // namespace extapps
