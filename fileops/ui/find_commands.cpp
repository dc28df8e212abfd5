#include "find_commands.h"

#include "command_frame.h"
#include "file_list_model.h"
#include "fileops_texts.h"
#include "filter_dialog.h"
#include "message_box.h"
#include "name_filter.h"

#include <QInputDialog>

namespace fileopsui {

FindCommands::FindCommands(app::CommandHost& host, QObject* parent)
    : QObject(parent), m_host(host) {}

FindCommands::~FindCommands() = default;

void FindCommands::tlbtnFindFileClick() {
    QInputDialog box(m_host.hostWindow());
    box.setObjectName("InputBox");
    box.setWindowTitle(fileops::kSearchCaption);
    box.setLabelText(fileops::kSearchPrompt);
    box.setTextValue({});
    m_host.RememberWindowRect();
    ncui::PlaceOnMainWindow(box, m_host.state());
    if (box.exec() != QDialog::Accepted) return;
    const std::string text = ncui::TypedBytes(box.textValue());
    if (text.empty()) return;
    std::vector<std::string> names;
    for (const auto& row : m_host.fileModel()->Rows())
        names.push_back(row.name);
    if (const auto found = fileops::FirstCaptionContaining(names, text)) {
        m_host.SelectOnlyItem(static_cast<int>(*found));
        return;
    }
    m_host.state().MsgAnswer = platform::ShowMessage(
        {m_host.hostWindow(), fileops::kConfirmCaption, fileops::kNotFoundMessage,
         platform::MessageIcon::Warning, platform::MessageButtons::Ok, false});
}

void FindCommands::tlbtnFindClick() {
    m_host.RememberWindowRect();
    if (!m_filterDialog) m_filterDialog = std::make_unique<FilterDialog>(m_host);
    m_filterDialog->Open();
}

} // namespace fileopsui
