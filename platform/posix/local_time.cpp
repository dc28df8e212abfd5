#include "local_time.h"

namespace platform {

std::string FormatLocalTime(std::time_t time) {
    std::tm local{};
    if (time == 0 || !localtime_r(&time, &local)) return {};
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) return {};
    return text;
}

} // namespace platform
