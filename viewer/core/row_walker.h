#pragma once

#include "file_source.h"
#include "text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace viewer {

// A row of the shown text: a line ended by CR LF, CR or LF, or, for a line
// longer than kMaxRowBytes, one piece of it cut at a character boundary (the
// line goes on in the next row). The text ends at its first NUL byte or at
// the end of the file; a line break at its very end starts no further row.
struct Row {
    std::uint64_t start = 0;
    std::uint64_t end = 0;  // before the line break
    std::uint64_t next = 0; // where the following row starts
};

// Long enough for any line of an NC program, short enough that a row can be
// measured and painted at once.
inline constexpr std::size_t kMaxRowBytes = 16 * 1024;

// Reads the rows of the text one after the other, from a row start onwards,
// through a buffer of its own.
class RowWalker final {
  public:
    RowWalker(const FileSource& file, TextEncoding encoding, std::uint64_t start,
              std::size_t bufferBytes);

    // The next row, or nothing once the text has ended.
    std::optional<Row> Next();
    // Where the text ends; known once Next has returned nothing.
    std::uint64_t textEnd() const { return m_textEnd; }

  private:
    // Keeps the bytes from the current row start on and reads more after them.
    void ReadMore();
    std::uint64_t Offset(std::size_t index) const { return m_bufferOffset + index; }
    Row TakeRow(std::size_t end, std::size_t next);
    std::optional<Row> EndText(std::size_t end);

    const FileSource& m_file;
    TextEncoding m_encoding;
    std::vector<char> m_buffer;
    std::uint64_t m_bufferOffset; // file offset of m_buffer[0]
    std::size_t m_filled = 0;     // bytes of m_buffer read
    std::size_t m_rowStart = 0;   // index of the current row's start
    bool m_fileEnded = false;
    bool m_textEnded = false;
    std::uint64_t m_textEnd = 0;
};

} // namespace viewer
