#include "fixed_pitch_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {
namespace {

QFont FixedPitchFont() {
    // Looked up once: the font database is slow to ask.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name :
             {"ＭＳ ゴシック", "MS Gothic", "IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP"}) {
            if (installed.contains(QString(name))) return QString(name);
        }
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

QFont FixedPitchFontOfPixels(int pixelSize) {
    QFont font = FixedPitchFont();
    font.setPixelSize(pixelSize);
    return font;
}

QFont FixedPitchFontOfPoints(int pointSize) {
    QFont font = FixedPitchFont();
    font.setPointSize(pointSize);
    return font;
}

} // namespace platform
