#include "line_converters.h"

#include "value_transforms.h"

#include <cstring>

namespace nc {

void AddressValueConversion::ConvertLine(std::string_view line, std::string& out) {
    if (IsProgramNumberLine(line)) {
        out.append(line);
        return;
    }
    m_walk.Walk(line, out);
}

char* AddressValueConversion::ConvertLineFast(std::string_view line, const char* textEnd,
                                              char* out) {
    if (!IsProgramNumberLine(line)) return m_walk.WalkForward(line, textEnd, out);
    std::memcpy(out, line.data(), line.size());
    return out + line.size();
}

std::unique_ptr<LineConverter> AddressValueConversion::Clone() const {
    return std::unique_ptr<LineConverter>(new AddressValueConversion(*this));
}

DecimalInsertion::DecimalInsertion(std::string_view keepLetters, int decimals)
    : AddressValueConversion(AddressWalk(
          keepLetters, false, false,
          {&AppendInsertedGeneral, &WriteInsertedFast, &WriteDigitsWithPoint}, decimals)) {}

DecimalRemoval::DecimalRemoval(std::string_view keepLetters, int decimals)
    : AddressValueConversion(
          AddressWalk(keepLetters, true, true,
                      {&AppendRemovedGeneral, &WriteRemovedFast, &WritePointMoved}, decimals)) {}

} // namespace nc
