#pragma once

#include <ctime>
#include <string>

namespace platform {

// A time stamp in local time as "yyyy-mm-dd hh:mm"; empty when it is zero or
// cannot be converted.
std::string FormatLocalTime(std::time_t time);

} // namespace platform
