// ReadNcValue on any text; the exact fast path never accepts what it rejects.
#include "exact_decimal.h"
#include "nc_value.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = nc::TryReadNcValue(text);
    if (nc::ParseExactDecimal(text) && !value) std::abort();
    return 0;
}
