#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace viewer {

enum class TextEncoding { Utf8, Cp932 };

// How a file's text is to be read: its encoding and where it starts (after a
// UTF-8 byte order mark).
struct TextForm {
    TextEncoding encoding = TextEncoding::Utf8;
    std::uint64_t begin = 0;
};

// Decides from the first bytes of a file: a UTF-8 byte order mark or valid
// UTF-8 means UTF-8, anything else CP932. `head` is cut at its first NUL
// here; `headIsWhole` says that it holds the file's whole text, else a
// character cut at its end is not held against UTF-8.
TextForm DetectTextForm(std::string_view head, bool headIsWhole);

// Whether a CP932 byte starts a two-byte character.
bool IsCp932LeadByte(unsigned char byte);

// The longest start of `bytes` (at most `limit` bytes, at least one) that
// ends at a character boundary: where a too long line is cut into rows.
std::size_t CharacterCut(std::string_view bytes, std::size_t limit, TextEncoding encoding);

// Whether the position right after `before` starts a character, where
// `before` begins at a character start (or far enough back to tell). In
// CP932 an ASCII byte can be the second half of a character, so a match of
// encoded bytes must start here to be a match of characters.
bool StartsCharacter(std::string_view before, TextEncoding encoding);

// Turns the bytes of a row into UTF-8 for display. Bytes that are not valid
// in the encoding become U+FFFD each; decoding never fails.
class RowDecoder final {
  public:
    explicit RowDecoder(TextEncoding encoding);
    ~RowDecoder();
    RowDecoder(const RowDecoder&) = delete;
    RowDecoder& operator=(const RowDecoder&) = delete;

    std::string ToUtf8(std::string_view bytes);

  private:
    std::string Cp932ToUtf8(std::string_view bytes);

    TextEncoding m_encoding;
    void* m_converter = nullptr; // the iconv descriptor for CP932
};

} // namespace viewer
