#include "line_converters.h"

#include "address_walk.h"
#include "value_transforms.h"

#include <utility>

namespace nc {
namespace {

void AppendInserted(std::string& out, std::string_view number, int decimals) {
    if (!AppendInsertedFast(out, number, decimals)) AppendInsertedGeneral(out, number, decimals);
}

void AppendRemoved(std::string& out, std::string_view number, int decimals) {
    if (!AppendRemovedFast(out, number, decimals)) AppendRemovedGeneral(out, number, decimals);
}

} // namespace

DecimalInsertion::DecimalInsertion(std::string keepLetters, int decimals)
    : m_keepLetters(std::move(keepLetters)), m_decimals(decimals) {}

void DecimalInsertion::ConvertLine(std::string_view line, std::string& out) {
    if (IsProgramNumberLine(line)) {
        out.append(line);
        return;
    }
    const AddressWalk walk{m_keepLetters, false, nullptr, &AppendInserted, m_decimals};
    WalkAddressValues(walk, line, out);
}

DecimalRemoval::DecimalRemoval(std::string keepLetters, int decimals)
    : m_keepLetters(std::move(keepLetters)), m_decimals(decimals) {}

void DecimalRemoval::ConvertLine(std::string_view line, std::string& out) {
    if (IsProgramNumberLine(line)) {
        out.append(line);
        return;
    }
    const AddressWalk walk{m_keepLetters, true, &m_insideComment, &AppendRemoved, m_decimals};
    WalkAddressValues(walk, line, out);
}

} // namespace nc
