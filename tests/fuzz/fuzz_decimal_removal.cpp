#include "fuzz_line_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1) return 0;
    nc::DecimalRemoval converter("ONGMSDHTP", 1 + data[0] % 6);
    ConvertAllLines(converter, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    return 0;
}
