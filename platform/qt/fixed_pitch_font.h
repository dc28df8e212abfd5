#pragma once

#include <QFont>

namespace platform {

// "ＭＳ ゴシック", or the first installed Japanese fixed-pitch font in its
// place (the system's fixed font when there is none), at a size in pixels or
// in points.
QFont FixedPitchFontOfPixels(int pixelSize);
QFont FixedPitchFontOfPoints(int pointSize);

} // namespace platform
