#include "system_reason.h"

#include <system_error>

namespace fileops {

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

} // namespace fileops
