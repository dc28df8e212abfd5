// FormatNcValue on any finite value: the shape of the text is always the pattern's.
#include "nc_value.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 11) return 0;
    long double value = 0;
    std::memcpy(&value, data, 10);
    if (!std::isfinite(value)) return 0;
    const bool serial = data[10] >= 250; // "_000" has no decimals
    const nc::NcPattern pattern{serial ? 0 : data[10] % 7, serial};
    const std::string text = nc::FormatNcValue(pattern, value);
    std::size_t i = pattern.serial ? 1 : 0;
    if (pattern.serial && text[0] != '_') std::abort();
    if (text[i] == '-') ++i;
    const std::size_t digits =
        text.find('.', i) == std::string::npos ? text.size() - i : text.find('.', i) - i;
    if (digits < (pattern.serial ? 3u : 1u)) std::abort();
    if (pattern.decimals > 0 && text.size() != i + digits + 1 + pattern.decimals) std::abort();
    if (text.find_first_not_of("0123456789.", i) != std::string::npos) std::abort();
    if (text.find('-') != std::string::npos &&
        text.find_first_of("123456789") == std::string::npos) {
        std::abort(); // a zero is written without a sign
    }
    return 0;
}
