#pragma once

#include "line_converters.h"
#include "nc_error.h"

#include <string_view>

// Feeds the input, cut at line feeds, through a converter; an invalid number
// is an expected outcome, anything else escaping is a crash.
inline void ConvertAllLines(nc::LineConverter& converter, std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        try {
            converter.ConvertLine(line, out);
        } catch (const nc::NcError&) {
        }
        out.clear();
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}
