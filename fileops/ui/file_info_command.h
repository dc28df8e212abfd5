#pragma once

#include "command_host.h"

#include <QObject>
#include <memory>

namespace filelist {
class ImageList;
class TypeTable;
} // namespace filelist

namespace fileopsui {

class FileInfoDialog;

// The file information of the one selected row.
class FileInfoCommand final : public QObject {
    Q_OBJECT

  public:
    FileInfoCommand(app::CommandHost& host, filelist::TypeTable& types,
                    const filelist::ImageList& images, QObject* parent);
    ~FileInfoCommand() override;

    void FileInfoClick();

    FileInfoDialog* dialog() const { return m_dialog.get(); }

  private:
    app::CommandHost& m_host;
    filelist::TypeTable& m_types;
    const filelist::ImageList& m_images;
    std::unique_ptr<FileInfoDialog> m_dialog;
};

} // namespace fileopsui
