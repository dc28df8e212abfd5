#pragma once

#include "launch_request.h"

#include <string>
#include <string_view>

namespace extapps {

// A command text is a program path, optionally followed by one blank and an
// argument text in which "$A", "$B", "$C" and "$D" stand for the selected file.

// The program part of a command: the text before its first blank (all of it
// when there is none).
std::string ProgramOfCommand(std::string_view command);

// The text offered in the argument box for the file at `fullPath`: the value
// of the last of "$A" (full path), "$B" (full path without extension), "$C"
// (file name), "$D" (file name without extension) that the command contains;
// empty when it contains none.
std::string ArgumentPrefill(std::string_view command, std::string_view fullPath);

// The command with every placeholder standing for `argument`. The program is
// the text before the first blank, taken literally. The rest is split into
// words at blanks, double quotes grouping blanks into a word (the quotes
// themselves are dropped, "" is an empty word); a placeholder's value joins the
// word it stands in and is never split or scanned again, so a file name
// holding blanks, quotes or "$B" arrives as exactly one argument.
LaunchRequest ExpandCommand(std::string_view command, std::string_view argument);

} // namespace extapps
