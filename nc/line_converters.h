#pragma once

#include "address_walk.h"
#include "byte_buffer.h"
#include "plain_values.h"
#include "text_lines.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace nc {

// True for lines that the decimal conversions and the variable list skip.
inline bool IsProgramNumberLine(std::string_view line) {
    return !line.empty() && (line[0] == 'O' || line[0] == ':');
}

// A per-line rewrite of a converting pass. Converters may carry state from one
// line to the next.
class LineConverter {
  public:
    virtual ~LineConverter() = default;

    // Appends the new text of one line to `out`, computed as described for the
    // pass, value by value with the general number rules. Throws NcError
    // (without a line number) when a value cannot be read.
    virtual void ConvertLine(std::string_view line, std::string& out) = 0;

    // Converts a text of whole lines into `out`, every terminator written as
    // CR LF; the bytes are those of ConvertLine, line by line. Returns the
    // number of lines. Throws NcError numbered from the text's first line.
    virtual std::size_t ConvertText(std::string_view text, ByteBuffer& out) = 0;

    // A converter with the same settings, for converting blocks side by side.
    virtual std::unique_ptr<LineConverter> Clone() const = 0;
    // What the converter carries from one line to the next (0 when nothing).
    virtual int CarriedState() const { return 0; }
    virtual void SetCarriedState(int) {}

  protected:
    // The loop of ConvertText. `fast(line, textEnd, out)` is the quick way for
    // the common line (bytes of its text up to textEnd may be read): it writes
    // the new line at `out`, which has room for AddressWalk::WalkRoom bytes,
    // and returns its end; or returns nullptr, having changed no state, to
    // leave the line to ConvertLine.
    template <typename Fast>
    std::size_t ConvertLines(std::string_view text, ByteBuffer& out, Fast fast);
    // One step of that loop: converts the line at `at` as the `number`th line
    // and returns where the next one starts.
    template <typename Fast>
    const char* ConvertNextLine(const char* at, const char* textEnd, std::size_t number,
                                ByteBuffer& out, Fast& fast);
    // ConvertLine's text of the line at `out`, with room for two more bytes.
    char* ConvertSlowLine(std::string_view line, std::size_t number, ByteBuffer& out);

  private:
    std::string m_slowLine;
};

// Doubles the value after the first occurrence of the axis letter.
class AxisDoubling final : public LineConverter {
  public:
    explicit AxisDoubling(char axis);
    void ConvertLine(std::string_view line, std::string& out) override;
    std::size_t ConvertText(std::string_view text, ByteBuffer& out) override;
    std::unique_ptr<LineConverter> Clone() const override;

  private:
    // `padded`: 16 bytes after the line may be read.
    char* ConvertLineFast(std::string_view line, bool padded, char* out) const;

    char m_axis;
};

// The decimal point conversions: address values rewritten by an AddressWalk,
// lines starting with "O" or ":" left as they are.
class AddressValueConversion : public LineConverter {
  public:
    void ConvertLine(std::string_view line, std::string& out) override;
    int CarriedState() const override { return m_walk.insideComment() ? 1 : 0; }
    void SetCarriedState(int state) override { m_walk.setInsideComment(state != 0); }

  protected:
    explicit AddressValueConversion(AddressWalk walk) : m_walk(std::move(walk)) {}

    template <auto WritePlain>
    char* ConvertLineFast(std::string_view line, const char* textEnd, char* out) const {
        if (!IsProgramNumberLine(line)) return m_walk.WalkForward<WritePlain>(line, textEnd, out);
        std::memcpy(out, line.data(), line.size());
        return out + line.size();
    }

    // ConvertText, with the ends of short lines found by the masks that also
    // find their values; `Comments`: whether the conversion leaves comments alone.
    template <auto WritePlain, bool Comments>
    std::size_t ConvertTextWith(std::string_view text, ByteBuffer& out) {
        const char* at = text.data();
        const char* const end = at + text.size();
        auto fast = [this](std::string_view line, const char* textEnd, char* written) {
            return ConvertLineFast<WritePlain>(line, textEnd, written);
        };
        std::size_t count = 0;
        while (at != end) {
            ++count;
            if (end - at >= static_cast<std::ptrdiff_t>(ShortLine::kReadable)) {
                const ShortLine line(at, Comments);
                if (line.ended()) {
                    at = ConvertShortLine<WritePlain>(line, count, out);
                    continue;
                }
            }
            at = ConvertNextLine(at, end, count, out, fast);
        }
        return count;
    }

    // A short line with its terminator, which is followed by more text.
    template <auto WritePlain>
    const char* ConvertShortLine(const ShortLine& line, std::size_t number, ByteBuffer& out) {
        const std::string_view text(reinterpret_cast<const char*>(line.bytes), line.length);
        const char* next = text.data() + text.size() + 1;
        if (next[-1] == '\r' && *next == '\n') ++next;
        char* written = out.Room(AddressWalk::WalkRoom(text.size()) + 2);
        if (IsProgramNumberLine(text)) {
            written = line.CopyTo(written, 0, text.size());
        } else {
            written = m_walk.WalkShort<WritePlain>(line, written);
            if (written == nullptr) written = ConvertSlowLine(text, number, out);
        }
        *written++ = '\r';
        *written++ = '\n';
        out.Advance(written);
        return next;
    }

  private:
    AddressWalk m_walk;
};

// Rewrites integer address values as decimals in units of 10^-decimals.
class DecimalInsertion final : public AddressValueConversion {
  public:
    DecimalInsertion(std::string_view keepLetters, int decimals);
    std::size_t ConvertText(std::string_view text, ByteBuffer& out) override;
    std::unique_ptr<LineConverter> Clone() const override;
};

// Rewrites decimal address values as integer counts of 10^-decimals units,
// leaving comments in parentheses or brackets alone (across lines).
class DecimalRemoval final : public AddressValueConversion {
  public:
    DecimalRemoval(std::string_view keepLetters, int decimals);
    std::size_t ConvertText(std::string_view text, ByteBuffer& out) override;
    std::unique_ptr<LineConverter> Clone() const override;
};

template <typename Fast>
std::size_t LineConverter::ConvertLines(std::string_view text, ByteBuffer& out, Fast fast) {
    const char* at = text.data();
    const char* const end = at + text.size();
    std::size_t count = 0;
    while (at != end)
        at = ConvertNextLine(at, end, ++count, out, fast);
    return count;
}

template <typename Fast>
const char* LineConverter::ConvertNextLine(const char* at, const char* textEnd, std::size_t number,
                                           ByteBuffer& out, Fast& fast) {
    // Longer lines go the general way, so that no line reserves a huge worst case.
    constexpr std::size_t kFastLineLimit = std::size_t{1} << 16;
    TextLines lines(std::string_view(at, static_cast<std::size_t>(textEnd - at)));
    std::string_view line;
    lines.Next(line);
    char* end = nullptr;
    if (line.size() <= kFastLineLimit) {
        end = fast(line, textEnd, out.Room(AddressWalk::WalkRoom(line.size()) + 2));
    }
    if (end == nullptr) end = ConvertSlowLine(line, number, out);
    if (lines.terminated()) {
        *end++ = '\r';
        *end++ = '\n';
    }
    out.Advance(end);
    return lines.position();
}

} // namespace nc
