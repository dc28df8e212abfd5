#include "fixed_pitch_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace extapps {

QFont FixedPitchFont(int pixelSize) {
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
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace extapps
