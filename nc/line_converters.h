#pragma once

#include "address_walk.h"

#include <string>
#include <string_view>
#include <utility>

namespace nc {

// A per-line rewrite of a converting pass. ConvertLine appends the new text of
// one line to `out`; it throws NcError (without a line number) when a value
// cannot be read. Converters may carry state from one line to the next.
class LineConverter {
  public:
    virtual ~LineConverter() = default;
    virtual void ConvertLine(std::string_view line, std::string& out) = 0;
};

// Doubles the value after the first occurrence of the axis letter.
class AxisDoubling final : public LineConverter {
  public:
    explicit AxisDoubling(char axis);
    void ConvertLine(std::string_view line, std::string& out) override;

  private:
    char m_axis;
};

// The decimal point conversions: address values rewritten by an AddressWalk,
// lines starting with "O" or ":" left as they are.
class AddressValueConversion : public LineConverter {
  public:
    void ConvertLine(std::string_view line, std::string& out) override;

  protected:
    explicit AddressValueConversion(AddressWalk walk) : m_walk(std::move(walk)) {}

  private:
    AddressWalk m_walk;
};

// Rewrites integer address values as decimals in units of 10^-decimals.
class DecimalInsertion final : public AddressValueConversion {
  public:
    DecimalInsertion(std::string_view keepLetters, int decimals);
};

// Rewrites decimal address values as integer counts of 10^-decimals units,
// leaving comments in parentheses or brackets alone (across lines).
class DecimalRemoval final : public AddressValueConversion {
  public:
    DecimalRemoval(std::string_view keepLetters, int decimals);
};

// True for lines that the decimal conversions and the variable list skip.
inline bool IsProgramNumberLine(std::string_view line) {
    return !line.empty() && (line[0] == 'O' || line[0] == ':');
}

} // namespace nc
