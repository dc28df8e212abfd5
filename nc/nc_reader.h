#pragma once

#include "text_lines.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nc {

// Asked when a file's text is empty (an empty file, or one whose first byte is
// NUL): true reads it line by line in 499-byte pieces, false reads nothing.
using FormQuestion = std::function<bool()>;

// Reads an NC file as the line buffer holds it, without ever holding the whole
// file: the text is cut at its first NUL byte; CR LF, a lone CR and a lone LF
// end a line. The text comes in blocks of whole lines or line by line.
class NcReader final {
  public:
    // Throws NcError with the cannot-open message when the file cannot be read.
    NcReader(const std::string& path, const FormQuestion& ask);
    ~NcReader();
    NcReader(const NcReader&) = delete;
    NcReader& operator=(const NcReader&) = delete;

    // The next run of whole lines with their terminators (the last line of the
    // text may have none); the view stays valid until the next call. After the
    // file-form question was answered Yes, each piece comes with a CR LF.
    bool NextBlock(std::string_view& block);

    // The next line without its terminator; do not mix with NextBlock.
    bool Next(std::string_view& line);
    // After the last line: whether the text ended with a line terminator.
    bool EndsWithBreak() const { return m_endsWithBreak; }
    std::int64_t lineNumber() const { return m_lineNumber; }

    std::uint64_t bytesDone() const { return m_consumed; }
    std::uint64_t fileSize() const { return m_fileSize; }

  private:
    enum class Mode { Text, Pieces, Nothing };

    void AskFileForm(const FormQuestion& ask);
    bool Fill();
    bool NextTextBlock(std::string_view& block);
    bool NextPieceBlock(std::string_view& block);

    std::string m_path;
    int m_fd = -1;
    Mode m_mode = Mode::Text;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    std::uint64_t m_consumed = 0;
    std::uint64_t m_fileSize = 0;

    // The file's lines in Pieces mode, and the pieces gathered into a block.
    TextLines m_rawLines{{}};
    std::string_view m_rawLine;
    std::size_t m_pieceOffset = 0;
    std::string m_pieceBlock;

    // Line by line reading on top of the blocks.
    TextLines m_blockLines{{}};
    bool m_endsWithBreak = false;
    std::int64_t m_lineNumber = 0;
};

} // namespace nc
