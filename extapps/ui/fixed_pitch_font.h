#pragma once

#include <QFont>

namespace extapps {

// "ＭＳ ゴシック" at `pixelSize`, or the first installed Japanese fixed-pitch
// font in its place (the system's fixed font when there is none).
QFont FixedPitchFont(int pixelSize);

} // namespace extapps
