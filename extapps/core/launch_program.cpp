#include "launch_program.h"

#include "detached_process.h"
#include "program_files.h"

namespace extapps {

LaunchResult LaunchProgram(const LaunchRequest& request, const DocumentOpener& openDocument) {
    if (!request.Arguments.empty() || IsProgramFile(request.Program))
        return StartDetachedProcess(request.Program, request.Arguments);
    if (openDocument && openDocument(request.Program)) return {true, {}};
    return {false, request.Program + " を開けません。"};
}

} // namespace extapps
