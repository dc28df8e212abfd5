#pragma once

#include "file_source.h"
#include "text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace viewer {

struct SearchRequest {
    std::string needle;     // in the text's encoding
    std::uint64_t from = 0; // a character start
    bool matchCase = true;  // else ASCII letters match either case
    TextEncoding encoding = TextEncoding::Utf8;
    // How much is read at a time; matches across the seams are found. A
    // chunk that stays in the processor's cache while it is searched reads
    // fastest.
    std::size_t chunkBytes = 256 * 1024;
};

// The offset of the first match at or after `from` that lies before the end
// of the text (its first NUL byte or the end of the file) and starts at a
// character, or nothing. An empty needle matches nothing.
std::optional<std::uint64_t> FindForward(const FileSource& file, const SearchRequest& request);

} // namespace viewer
