#pragma once

#include "reference_conversion.h"

#include <cstdlib>
#include <string_view>

// The block conversion must write the bytes of the line-by-line walk, or fail
// at the same line with the same message; anything else escaping is a crash.
template <typename MakeConverter>
void ExpectSameAsLineByLine(MakeConverter make, std::string_view text) {
    auto reference = make();
    auto fast = make();
    if (testsupport::ConvertByLines(reference, text) != testsupport::ConvertAsBlock(fast, text)) {
        std::abort();
    }
}
