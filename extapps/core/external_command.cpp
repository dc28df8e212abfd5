#include "external_command.h"

#include "command_template.h"
#include "paths.h"
#include "program_files.h"

namespace extapps {

int SlotOfLetter(char letter) {
    if (letter < 'A' || letter > 'Z') return -1;
    return letter - 'A';
}

ExternalCommandStep RunExternalCommand(app::MainState& state, char letter,
                                       const std::vector<std::string>& selectedNames) {
    if (selectedNames.size() != 1) return SelectionRefused{};
    const int slot = SlotOfLetter(letter);
    if (slot < 0) return NothingToRun{};
    const app::OutAppSlot& command = state.OutApps[static_cast<std::size_t>(slot)];
    state.SelectedName = platform::JoinPath(state.CurrentDir, selectedNames.front());
    const std::string program = ProgramOfCommand(command.CommandText);
    if (!IsExistingNonFolder(program)) return NothingToRun{};
    if (command.ArgFlag == "Y") {
        return ArgumentsWanted{command.SettingName, command.CommandText,
                               ArgumentPrefill(command.CommandText, state.SelectedName)};
    }
    return LaunchRequest{program, {}};
}

LaunchRequest ArgumentDialogLaunch(std::string_view command, std::string_view argument) {
    if (argument.empty()) return {ProgramOfCommand(command), {}};
    return ExpandCommand(command, argument);
}

} // namespace extapps
