#include "fuzz_line_conversion.h"

// The default set, a set with a bracket and a number character in it, and a single letter.
constexpr const char* kKeep[] = {"ONGMSDHTP", "X(1", "N"};

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    if (size < 1) return 0;
    ExpectSameAsLineByLine(
        [&] { return nc::DecimalInsertion(kKeep[data[0] / 6 % 3], 1 + data[0] % 6); },
        std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    return 0;
}
