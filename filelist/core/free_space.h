#pragma once

#include <optional>
#include <string>

namespace filelist {

// The free bytes of the volume holding a folder, or nothing when unknown.
std::optional<double> FreeBytes(const std::string& folder);

// "/ 1.234GB Free" and its smaller units; empty from 1024 GB on.
std::string FreeSpaceText(double freeBytes);

} // namespace filelist
