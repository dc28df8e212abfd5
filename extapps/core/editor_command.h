#pragma once

#include "external_command.h"
#include "launch_request.h"
#include "main_state.h"
#include "text_editor_lookup.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace extapps {

// Shown when neither the editor setting nor the desktop offers a text editor.
inline constexpr const char* kNoEditorMessage = "ﾃｷｽﾄｴﾃﾞｨﾀｰが見つかりません。";

// The editor started on `file`, which it receives as its one argument:
// `editApp` when something other than a folder exists there, else the
// desktop's text editor. Nothing when there is none.
std::optional<LaunchRequest> EditorLaunch(const std::string& editApp, const std::string& file,
                                          const DesktopEnvironment& environment);

// What the edit command asks of the window.
struct NoEditorFound {}; // show kNoEditorMessage
using EditorStep = std::variant<SelectionRefused, NoEditorFound, LaunchRequest>;

// Opens the one selected row (a name in the listed folder) in the editor;
// `SelectedName` becomes that name. The row is not checked to be a file.
EditorStep EditSelectedFile(app::MainState& state, const std::vector<std::string>& selectedNames,
                            const DesktopEnvironment& environment);

} // namespace extapps
