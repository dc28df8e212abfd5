#include "fuzz_line_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1) return 0;
    nc::AxisDoubling converter("XYZIJKUVW"[data[0] % 9]);
    ConvertAllLines(converter, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    return 0;
}
