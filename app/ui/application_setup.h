#pragma once

#include <QFont>

namespace app {

// The font of the list and, as on the platform the program comes from, of
// every window: "ＭＳ Ｐゴシック" 9 pt, or an installed Japanese font in its place.
QFont ProgramFont();

// Application-wide settings made once at start-up: name, font, icon theme.
void SetUpApplication();

} // namespace app
