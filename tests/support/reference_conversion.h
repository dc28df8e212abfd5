#pragma once

// The straightforward way through a text, line by line with the walk as
// described, to hold the block conversion against.

#include "byte_buffer.h"
#include "line_converters.h"
#include "nc_error.h"
#include "text_lines.h"

#include <string>
#include <string_view>

namespace testsupport {

inline std::string ErrorText(const nc::NcError& error) {
    return "error at line " + std::to_string(error.line()) + ": " + error.what();
}

// Every line through ConvertLine, terminators written as CR LF.
inline std::string ConvertByLines(nc::LineConverter& converter, std::string_view text) {
    nc::TextLines lines(text);
    std::string out;
    std::string_view line;
    std::int64_t number = 0;
    while (lines.Next(line)) {
        ++number;
        try {
            converter.ConvertLine(line, out);
        } catch (const nc::NcError& error) {
            return ErrorText(error.atLine(number));
        }
        if (lines.terminated()) out += "\r\n";
    }
    return out;
}

// The text as one block through ConvertText.
inline std::string ConvertAsBlock(nc::LineConverter& converter, std::string_view text) {
    nc::ByteBuffer out;
    try {
        converter.ConvertText(text, out);
    } catch (const nc::NcError& error) {
        return ErrorText(error);
    }
    return std::string(out.view());
}

} // namespace testsupport
