#include "main_state.h"

namespace app {

bool CharInSet(char typed, std::string_view set) {
    return set.find(typed) != std::string_view::npos;
}

bool CharNotInSet(char typed, std::string_view set) {
    return !CharInSet(typed, set);
}

} // namespace app
