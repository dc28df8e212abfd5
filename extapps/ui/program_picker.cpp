#include "program_picker.h"

#include "display_text.h"
#include "paths.h"

#include <QFile>
#include <QFileDialog>

namespace extapps {
namespace {

// Where most programs of the system are.
constexpr const char* kProgramFolder = "/usr/bin";

} // namespace

std::optional<std::string> PickProgram(QWidget* owner, const QString& title,
                                       const std::string& current) {
    const std::string folder = platform::SplitPath(current).first;
    const bool known = !current.empty() && current.front() == '/' && platform::FolderExists(folder);
    QFileDialog picker(owner, title, known ? platform::DisplayText(folder) : kProgramFolder);
    picker.setObjectName("OpenDialog1");
    picker.setFileMode(QFileDialog::ExistingFile);
    picker.setOption(QFileDialog::DontUseNativeDialog);
    if (known) picker.selectFile(platform::DisplayText(current));
    if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(picker.selectedFiles().front()).toStdString();
}

} // namespace extapps
