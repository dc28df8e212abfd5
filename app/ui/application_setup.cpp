#include "application_setup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

QFont ProgramFont() {
    // The first installed one is asked for alone: naming missing families
    // makes every text look through their substitutes, which slows start-up.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name :
             {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAexGothic", "Noto Sans CJK JP"}) {
            if (installed.contains(QString(name))) return QString(name);
        }
        return QString();
    }();
    QFont font;
    if (!family.isEmpty()) font.setFamily(family);
    font.setPointSize(9);
    return font;
}

void SetUpApplication() {
    QApplication::setApplicationName("Tornwel");
    // One font for all windows: Japanese texts need no second font loaded.
    QApplication::setFont(ProgramFont());
    // Qt's own dialogs (the folder chooser) speak the program's language.
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
    // Outside a desktop session no icon theme is set; the set-up installs Adwaita.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor") {
        QIcon::setThemeName("Adwaita");
    }
}

} // namespace app
