#include "split_options_file.h"

#include "atomic_file.h"
#include "encoding.h"
#include "ini_document.h"

#include <fstream>
#include <iterator>

namespace ncui {
namespace {

constexpr const char* kSection = "Sub";

struct OptionKey {
    const char* key;
    bool nc::SplitOptions::*flag;
};

constexpr OptionKey kKeys[] = {
    {"F_Set", &nc::SplitOptions::percentFirst},
    {"B_Set", &nc::SplitOptions::percentLast},
    {"N_Set", &nc::SplitOptions::numbered},
    {"SP_Set", &nc::SplitOptions::skipEmpty},
};

app::IniDocument ReadDocument(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    return app::IniDocument::Parse(platform::FromSettingsEncoding(bytes));
}

} // namespace

nc::SplitOptions LoadSplitOptions(const std::string& path) {
    const app::IniDocument document = ReadDocument(path);
    nc::SplitOptions options;
    for (const auto& [key, flag] : kKeys) {
        const auto value = document.Value(kSection, key);
        const auto number = value ? app::ParseIniInteger(*value) : std::nullopt;
        options.*flag = number.value_or(0) != 0;
    }
    return options;
}

void SaveSplitOptions(const std::string& path, const nc::SplitOptions& options) {
    app::IniDocument document = ReadDocument(path);
    for (const auto& [key, flag] : kKeys)
        document.Set(kSection, key, options.*flag ? "1" : "0");
    platform::WriteFileAtomically(path, platform::ToSettingsEncoding(document.Text()));
}

} // namespace ncui
