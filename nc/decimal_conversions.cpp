#include "line_converters.h"

#include "value_transforms.h"

namespace nc {
namespace {

void AppendInserted(std::string& out, std::string_view number, int decimals) {
    if (!AppendInsertedFast(out, number, decimals)) AppendInsertedGeneral(out, number, decimals);
}

void AppendRemoved(std::string& out, std::string_view number, int decimals) {
    if (!AppendRemovedFast(out, number, decimals)) AppendRemovedGeneral(out, number, decimals);
}

} // namespace

void AddressValueConversion::ConvertLine(std::string_view line, std::string& out) {
    if (IsProgramNumberLine(line)) {
        out.append(line);
        return;
    }
    m_walk.Walk(line, out);
}

DecimalInsertion::DecimalInsertion(std::string_view keepLetters, int decimals)
    : AddressValueConversion(AddressWalk(keepLetters, false, false, &AppendInserted, decimals)) {}

DecimalRemoval::DecimalRemoval(std::string_view keepLetters, int decimals)
    : AddressValueConversion(AddressWalk(keepLetters, true, true, &AppendRemoved, decimals)) {}

} // namespace nc
