#include "editor_command.h"

#include "paths.h"
#include "program_files.h"

namespace extapps {

std::optional<LaunchRequest> EditorLaunch(const std::string& editApp, const std::string& file,
                                          const DesktopEnvironment& environment) {
    if (IsExistingNonFolder(editApp)) return LaunchRequest{editApp, {file}};
    return FallbackTextEditor(environment, file);
}

EditorStep EditSelectedFile(app::MainState& state, const std::vector<std::string>& selectedNames,
                            const DesktopEnvironment& environment) {
    if (selectedNames.size() != 1) return SelectionRefused{};
    state.SelectedName = selectedNames.front();
    auto request = EditorLaunch(
        state.EditApp, platform::JoinPath(state.CurrentDir, state.SelectedName), environment);
    if (!request) return NoEditorFound{};
    return std::move(*request);
}

} // namespace extapps
