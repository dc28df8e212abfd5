#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Command { Double, Insert, Remove, Split, Join, Vars, Help };

struct Options {
    Command command = Command::Help;
    std::vector<std::string> files;
    std::string output;   // "-o"; empty for the default
    bool yes = false;     // answer the file-form question Yes
    char axis = 0;        // double
    int unitDecimals = 3; // insert, remove: 0.001
    std::string keepLetters = "ONGMSDHTP";
    std::string destination;   // split
    bool percentFirst = false; // split
    bool percentLast = false;
    bool numbered = false;
    bool skipEmpty = false;
};

// Parses the arguments after the program name. On a usage error returns
// nothing and puts the reason in `error`.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

} // namespace cli
