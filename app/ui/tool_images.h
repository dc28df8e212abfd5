#pragma once

#include <QIcon>

namespace app {

// The images of the tool bar and the list, drawn here: 0..14 the tool
// buttons, 15 a file without an icon of its own, 16 a folder. Image 1, the
// parent-folder arrow, also marks the ".." row.
inline constexpr int kToolImageCount = 17;

QIcon ToolImage(int index);

} // namespace app
