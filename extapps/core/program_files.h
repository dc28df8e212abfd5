#pragma once

#include <string>
#include <vector>

namespace extapps {

// True when something other than a folder exists at the path (symbolic links
// followed): what a command's program part and the editor setting must name.
bool IsExistingNonFolder(const std::string& path);

// True for a regular file its owner may execute: a program.
bool IsProgramFile(const std::string& path);

// The program a name stands for: a name with "/" is taken as it is, a bare
// name is looked up in the folders of `searchPath` in order. Empty when no
// program file is found.
std::string FindProgram(const std::string& name, const std::vector<std::string>& searchPath);

} // namespace extapps
