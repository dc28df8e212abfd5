#pragma once

#include "launch_request.h"

class QWidget;

namespace extapps {

// Starts a program or opens a document as LaunchProgram does, and tells the
// user, over `owner`, when it could not be started, naming it and the reason.
void StartProgram(QWidget* owner, const LaunchRequest& request);

} // namespace extapps
