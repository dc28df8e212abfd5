#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct ProcessResult {
    int status = -1; // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell) and collects its output.
ProcessResult RunProcess(const std::vector<std::string>& argv);

} // namespace testsupport
