#include "file_info_command.h"

#include "file_info_dialog.h"
#include "file_list_model.h"
#include "fileops_texts.h"
#include "message_box.h"

namespace fileopsui {

FileInfoCommand::FileInfoCommand(app::CommandHost& host, filelist::TypeTable& types,
                                 const filelist::ImageList& images, QObject* parent)
    : QObject(parent), m_host(host), m_types(types), m_images(images) {}

FileInfoCommand::~FileInfoCommand() = default;

void FileInfoCommand::FileInfoClick() {
    const auto rows = m_host.SelectedRows();
    if (rows.size() != 1) {
        m_host.state().MsgAnswer = platform::ShowStop(m_host.hostWindow(), fileops::kConfirmCaption,
                                                      fileops::kSingleSelectionMessage);
        return;
    }
    if (rows.front()->kind == filelist::FileRow::Kind::Parent) return;
    m_host.state().SelectedName = rows.front()->name;
    m_host.RememberWindowRect();
    if (!m_dialog) m_dialog = std::make_unique<FileInfoDialog>(m_host, m_types, m_images);
    m_dialog->Open();
}

} // namespace fileopsui
