#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace cli {

using FileTask = std::function<void(const std::string& file)>;
using FailureReport = std::function<void(const std::string& file, const std::exception& failure)>;

// Runs the task on every file, up to `workers` files at a time on threads of
// their own. A task that throws is reported (one report at a time, as each
// file ends) and the other files go on. Returns how many files failed.
std::size_t RunOnEachFile(const std::vector<std::string>& files, unsigned workers,
                          const FileTask& task, const FailureReport& report);

// Writes one message to standard error in a single piece, so that messages of
// files converted side by side never interleave.
void WriteError(const std::string& message);

} // namespace cli
