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

DecimalInsertion::DecimalInsertion(std::string_view keepLetters, int decimals)
    : AddressValueConversion(AddressWalk(keepLetters, false, false,
                                         {&AppendInsertedGeneral, &WriteInsertedFast}, decimals)) {}

DecimalRemoval::DecimalRemoval(std::string_view keepLetters, int decimals)
    : AddressValueConversion(AddressWalk(keepLetters, true, true,
                                         {&AppendRemovedGeneral, &WriteRemovedFast}, decimals)) {}

std::size_t DecimalInsertion::ConvertText(std::string_view text, ByteBuffer& out) {
    return ConvertTextWith<&WriteDigitsWithPoint, false>(text, out);
}

std::unique_ptr<LineConverter> DecimalInsertion::Clone() const {
    return std::make_unique<DecimalInsertion>(*this);
}

std::size_t DecimalRemoval::ConvertText(std::string_view text, ByteBuffer& out) {
    return ConvertTextWith<&WritePointMoved, true>(text, out);
}

std::unique_ptr<LineConverter> DecimalRemoval::Clone() const {
    return std::make_unique<DecimalRemoval>(*this);
}

} // namespace nc
