#include "desktop_programs.h"

#include "program_files.h"

namespace extapps {

std::string FirstProgramFound(std::span<const char* const> candidates,
                              const std::vector<std::string>& searchPath) {
    for (const char* name : candidates) {
        std::string program = FindProgram(name, searchPath);
        if (!program.empty()) return program;
    }
    return {};
}

} // namespace extapps
