#include "rename_rules.h"

#include "name_text.h"

namespace fileops {
namespace {

enum class Case { Upper, Lower };

char ChangeCase(char c, Case to) {
    if (to == Case::Upper && c >= 'a' && c <= 'z') return static_cast<char>(c - ('a' - 'A'));
    if (to == Case::Lower && c >= 'A' && c <= 'Z') return static_cast<char>(c + ('a' - 'A'));
    return c;
}

// `first` for the first character, `rest` for all others; a multi-byte
// character is copied whole.
std::string ChangeCharacters(const std::string& name, Case first, Case rest) {
    const NameEncoding encoding = EncodingOfName(name);
    std::string changed = name;
    for (std::size_t pos = 0; pos < changed.size();) {
        const std::size_t length = CharacterLength(changed, pos, encoding);
        if (length == 1) changed[pos] = ChangeCase(changed[pos], pos == 0 ? first : rest);
        pos += length;
    }
    return changed;
}

} // namespace

std::string UpperCaseName(const std::string& name) {
    return ChangeCharacters(name, Case::Upper, Case::Upper);
}

std::string LowerCaseName(const std::string& name) {
    return ChangeCharacters(name, Case::Lower, Case::Lower);
}

std::string CapitalizedName(const std::string& name) {
    return ChangeCharacters(name, Case::Upper, Case::Lower);
}

std::string NameInMode(RenameMode mode, const std::string& text) {
    switch (mode) {
    case RenameMode::Upper:
        return UpperCaseName(text);
    case RenameMode::Lower:
        return LowerCaseName(text);
    case RenameMode::Capitalize:
        return CapitalizedName(text);
    case RenameMode::Rename:
        break;
    }
    return text;
}

std::optional<std::string> GroupRenamedName(GroupRenameKind kind, const std::string& name) {
    switch (kind) {
    case GroupRenameKind::Upper:
        return UpperCaseName(name);
    case GroupRenameKind::Lower:
        return LowerCaseName(name);
    case GroupRenameKind::Capitalize:
        return CapitalizedName(name);
    case GroupRenameKind::Rename:
    case GroupRenameKind::EachInTurn:
        break;
    }
    return std::nullopt;
}

} // namespace fileops
