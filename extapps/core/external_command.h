#pragma once

#include "launch_request.h"
#include "main_state.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace extapps {

// Shown (caption "確認", stop icon) when a command needs exactly one row.
inline constexpr const char* kSelectOneFileMessage =
    "ﾌｧｲﾙを選択して下さい。\n(複数のﾌｧｲﾙ選択は不可です。)";

// What running a command slot asks of the window.
struct SelectionRefused {}; // not exactly one row selected: show kSelectOneFileMessage
struct NothingToRun {};     // free slot or missing program: do nothing, say nothing
struct ArgumentsWanted {    // show the argument dialog with these texts
    std::string SettingName;
    std::string CommandText;
    std::string Prefill;
};
// A LaunchRequest: start it with LaunchProgram.
using ExternalCommandStep =
    std::variant<SelectionRefused, NothingToRun, ArgumentsWanted, LaunchRequest>;

// The slot index of a command letter "A".."Z", or -1 for any other character.
int SlotOfLetter(char letter);

// Runs the command of `letter` on the selected rows (names in the listed
// folder). With one row, `SelectedName` becomes its full path. A slot whose
// flag is exactly "Y" asks for the argument text; any other flag starts the
// program alone. The program part must name an existing file (not a folder).
ExternalCommandStep RunExternalCommand(app::MainState& state, char letter,
                                       const std::vector<std::string>& selectedNames);

// What the argument dialog's OK starts: the expanded command, or the program
// alone (fixed arguments dropped too) when the argument text is empty.
LaunchRequest ArgumentDialogLaunch(std::string_view command, std::string_view argument);

} // namespace extapps
