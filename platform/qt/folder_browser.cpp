#include "folder_browser.h"

#include "display_text.h"
#include "paths.h"

#include <QFile>
#include <QFileDialog>

namespace platform {

std::string BrowseForFolder(QWidget* owner, const QString& title, const std::string& startFolder) {
    const bool startExists = FolderExists(startFolder);
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, title, startExists ? DisplayText(startFolder) : QString(),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty()) return startExists ? startFolder : std::string();
    return QFile::encodeName(chosen).toStdString();
}

} // namespace platform
