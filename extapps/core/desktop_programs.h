#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

namespace extapps {

// The desktop's settings program, which stands in for the control panel, and
// its calculator: the first of these found on the search path.
inline constexpr std::array<const char*, 7> kSettingsPrograms = {
    "gnome-control-center", "systemsettings",    "xfce4-settings-manager", "lxqt-config",
    "mate-control-center",  "cinnamon-settings", "budgie-control-center"};
inline constexpr std::array<const char*, 6> kCalculatorPrograms = {
    "gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"};

inline constexpr const char* kNoSettingsProgramMessage = "設定ﾌﾟﾛｸﾞﾗﾑが見つかりません。";
inline constexpr const char* kNoCalculatorMessage = "計算機が見つかりません。";

// The path of the first candidate that is a program in one of the folders of
// `searchPath`; empty when none is.
std::string FirstProgramFound(std::span<const char* const> candidates,
                              const std::vector<std::string>& searchPath);

} // namespace extapps
