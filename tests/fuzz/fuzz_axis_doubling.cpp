#include "fuzz_line_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1) return 0;
    ExpectSameAsLineByLine([&] { return nc::AxisDoubling("XYZIJKUVW"[data[0] % 9]); },
                           std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    return 0;
}
