#include "settings_file.h"

#include "atomic_file.h"
#include "encoding.h"
#include "ini_document.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace app {
namespace {

constexpr const char* kMain = "Main";
constexpr const char* kSetting = "Setting";
constexpr const char* kApplication = "Application";

constexpr std::array<const char*, kColumnCount> kWidthKeys = {"Name_w", "Size_w", "Type_w",
                                                              "Modified_w", "Attributes_w"};

std::string SlotKey(int slot, const char* suffix) {
    return std::string("OutApp") + static_cast<char>('A' + slot) + suffix;
}

IniDocument ReadDocument(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    return IniDocument::Parse(platform::FromSettingsEncoding(bytes));
}

class Reader {
  public:
    explicit Reader(const IniDocument& document) : m_document(document) {}
    void Text(const char* section, const char* key, std::string& field,
              const char* fallback) const {
        field = m_document.Value(section, key).value_or(fallback);
    }
    void Integer(const char* section, const char* key, int& field, int fallback) const {
        const auto value = m_document.Value(section, key);
        field = value ? ParseIniInteger(*value).value_or(fallback) : fallback;
    }

  private:
    const IniDocument& m_document;
};

} // namespace

std::string DefaultStartFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

void LoadSettings(const std::string& path, MainState& state) {
    const IniDocument document = ReadDocument(path);
    const Reader read(document);
    read.Integer(kMain, "Left", state.Bounds.Left, 10);
    read.Integer(kMain, "Top", state.Bounds.Top, 10);
    read.Integer(kMain, "Height", state.Bounds.Height, 380);
    read.Integer(kMain, "Width", state.Bounds.Width, 560);
    const std::array<int, kColumnCount> widths = {180, 60, 140, 120, 40};
    for (int i = 0; i < kColumnCount; ++i) {
        read.Integer(kMain, kWidthKeys[i], state.ColumnWidths[i], widths[i]);
    }
    read.Text(kMain, "DirPath", state.CurrentDir, DefaultStartFolder().c_str());
    read.Text(kMain, "FileMask", state.FileMask, "*.*");
    read.Text(kSetting, "FileSort", state.SortKey, "N");
    read.Text(kSetting, "SortMuki", state.SortDirection, "U");
    read.Text(kSetting, "NoChgChar", state.NoChgChar, "ONGMSDHTP");
    read.Text(kApplication, "EditApp", state.EditApp, "");
    for (int slot = 0; slot < kOutAppCount; ++slot) {
        auto& app = state.OutApps[slot];
        read.Text(kApplication, SlotKey(slot, "").c_str(), app.CommandText, "");
        read.Text(kApplication, SlotKey(slot, "_F").c_str(), app.ArgFlag, "N");
        read.Text(kApplication, SlotKey(slot, "_N").c_str(), app.SettingName, "");
    }
}

void SaveSettings(const std::string& path, const MainState& state) {
    IniDocument document = ReadDocument(path);
    const auto integer = [&](const char* key, int value) {
        document.Set(kMain, key, std::to_string(value));
    };
    integer("Top", state.Bounds.Top);
    integer("Left", state.Bounds.Left);
    integer("Height", state.Bounds.Height);
    integer("Width", state.Bounds.Width);
    for (int i = 0; i < kColumnCount; ++i)
        integer(kWidthKeys[i], state.ColumnWidths[i]);
    document.Set(kMain, "DirPath", state.CurrentDir);
    document.Set(kMain, "FileMask", state.FileMask);
    document.Set(kSetting, "FileSort", state.SortKey);
    document.Set(kSetting, "SortMuki", state.SortDirection);
    document.Set(kSetting, "NoChgChar", state.NoChgChar);
    document.Set(kApplication, "EditApp", state.EditApp);
    for (int slot = 0; slot < kOutAppCount; ++slot) {
        const auto& app = state.OutApps[slot];
        document.Set(kApplication, SlotKey(slot, ""), app.CommandText);
        document.Set(kApplication, SlotKey(slot, "_F"), app.ArgFlag);
        document.Set(kApplication, SlotKey(slot, "_N"), app.SettingName);
    }
    platform::WriteFileAtomically(path, platform::ToSettingsEncoding(document.Text()));
}

} // namespace app
