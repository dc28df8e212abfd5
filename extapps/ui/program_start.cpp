#include "program_start.h"

#include "command_frame.h"
#include "desktop_open.h"
#include "display_text.h"
#include "launch_program.h"

namespace extapps {

void StartProgram(QWidget* owner, const LaunchRequest& request) {
    const LaunchResult result = LaunchProgram(request, platform::OpenWithDesktop);
    if (!result.Started) ncui::ShowCommandError(owner, platform::DisplayText(result.Error));
}

} // namespace extapps
