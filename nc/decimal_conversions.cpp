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

DecimalInsertion::DecimalInsertion(std::string_view keepLetters, int decimals)
    : m_walk(keepLetters, false, false, &AppendInserted, decimals) {}

void DecimalInsertion::ConvertLine(std::string_view line, std::string& out) {
    if (IsProgramNumberLine(line)) {
        out.append(line);
        return;
    }
    m_walk.Walk(line, out);
}

DecimalRemoval::DecimalRemoval(std::string_view keepLetters, int decimals)
    : m_walk(keepLetters, true, true, &AppendRemoved, decimals) {}

void DecimalRemoval::ConvertLine(std::string_view line, std::string& out) {
    if (IsProgramNumberLine(line)) {
        out.append(line);
        return;
    }
    m_walk.Walk(line, out);
}

} // namespace nc
