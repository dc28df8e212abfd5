#pragma once

#include <string>

namespace fileops {

// The system's own text for an errno value (thread-safe, unlike strerror).
std::string SystemReason(int error);

} // namespace fileops
