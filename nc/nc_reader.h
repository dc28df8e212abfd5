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
    // Reads, of a file whose text is not empty, only the lines that start in
    // the byte range [begin, end), each to its end; for reading parts of a
    // file side by side.
    NcReader(const std::string& path, std::uint64_t begin, std::uint64_t end);
    // From now on only the lines that start before `end`, each to its end.
    void LimitTo(std::uint64_t end) { m_rangeEnd = end; }
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

    // Whether the file-form question was asked: the text is then read piece by
    // piece, or not at all.
    bool textWasEmpty() const { return m_mode != Mode::Text; }
    // Whether the text ended at a NUL byte of the file.
    bool endsAtNul() const { return m_endsAtNul; }
    std::uint64_t bytesDone() const { return m_consumed; }
    std::uint64_t fileSize() const { return m_fileSize; }

  private:
    enum class Mode { Text, Pieces, Nothing };

    void Open();
    void SkipToLineStartFrom(std::uint64_t begin);
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
    bool m_endsAtNul = false;
    std::uint64_t m_position = 0; // file offset of m_buffer[m_begin] in Text mode
    std::uint64_t m_rangeEnd = UINT64_MAX;
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
};

} // namespace nc
