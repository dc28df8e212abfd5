#include "desktop_open.h"

#include "paths.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <sys/stat.h>

namespace platform {

bool OpenWithDesktop(const std::string& path) {
    struct stat status {};
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        (status.st_mode & S_IXUSR) != 0) {
        const QString folder = QFile::decodeName(QByteArray::fromStdString(SplitPath(path).first));
        return QProcess::startDetached(name, {}, folder);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(name));
}

bool OpenAddressWithDesktop(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(address), QUrl::StrictMode));
}

} // namespace platform
