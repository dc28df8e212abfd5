#include "typed_name.h"

#include "command_frame.h"
#include "display_text.h"
#include "rename_rules.h"

namespace fileopsui {

std::string NameForText(const QString& text, const std::string& oldName) {
    const std::string candidates[] = {oldName, fileops::UpperCaseName(oldName),
                                      fileops::LowerCaseName(oldName),
                                      fileops::CapitalizedName(oldName)};
    for (const std::string& candidate : candidates) {
        if (platform::DisplayText(candidate) == text) return candidate;
    }
    return ncui::TypedBytes(text);
}

} // namespace fileopsui
