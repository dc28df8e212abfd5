#pragma once

#include <array>
#include <string>
#include <string_view>

namespace app {

// One external command slot (letters A..Z).
struct OutAppSlot {
    std::string CommandText;
    std::string ArgFlag = "N";
    std::string SettingName;
};

inline constexpr int kOutAppCount = 26;
inline constexpr int kColumnCount = 5;

// The main window's position and size on the screen.
struct WindowBounds {
    int Left = 10;
    int Top = 10;
    int Width = 560;
    int Height = 380;
};

// The state every part of the program reads and writes, owned by the main
// window. Texts are raw bytes (names and paths as the file system has them).
struct MainState {
    std::string CurrentDir;
    std::string SelectedName;
    std::string OutputName;
    std::string FileMask = "*.*";
    std::string FilterName;
    std::string NoChgChar = "ONGMSDHTP";
    std::string EditApp;
    std::array<OutAppSlot, kOutAppCount> OutApps{};
    std::string SortKey = "N";
    std::string SortDirection = "U";
    int SortKind = 1;
    std::array<int, kColumnCount> ColumnWidths = {180, 60, 140, 120, 40};
    int FileCount = 0;
    int FolderCount = 0;
    std::array<std::string, 5> MaskParts{};
    std::string KeptCaption;
    std::string VersionText;
    std::string WorkPath;
    std::string EntryPath;
    int MsgAnswer = 0;
    std::array<int, 4> WindowRect{}; // left, top, width, height
    bool MoveMode = false;
    bool AltPanelShown = false;
    bool InPlaceEditing = false;
    bool ComboMouseDown = false;
    int FolderImage = 0;
    int FileImage = 0;
    int TypeTableLast = 0;
    int OpCount = 0;
    WindowBounds Bounds;
};

// True when the typed character does (not) occur in the set.
bool CharInSet(char typed, std::string_view set);
bool CharNotInSet(char typed, std::string_view set);

} // namespace app
