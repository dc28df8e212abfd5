#include "copy_move_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "failure_list.h"
#include "fileops_texts.h"
#include "folder_browser.h"
#include "folder_identity.h"
#include "message_box.h"
#include "paths.h"
#include "system_reason.h"
#include "transfer_progress_dialog.h"
#include "transfer_texts.h"
#include "typed_char_filter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

namespace fileopsui {
namespace {

constexpr int kListWidth = 300;
constexpr int kListHeight = 150;
constexpr int kBrowseWidth = 28;

} // namespace

CopyMoveDialog::CopyMoveDialog(app::CommandHost& host)
    : PassDialog(host, kCopyCaption, "PlusCopyForm"), m_nameHeading(new QLabel(this)),
      m_nameList(new QListWidget(this)), m_destinationLabel(new QLabel(this)),
      m_destinationBox(new QComboBox(this)),
      m_history(*m_destinationBox,
                platform::JoinPath(host.settingsFolder(), filelist::kPathListFile),
                filelist::HistoryMatch::Exact),
      m_browseButton(AddButton("...", "Button3")), m_okButton(AddButton("ＯＫ", "Button1")),
      m_cancelButton(AddButton("ｷｬﾝｾﾙ", "Button2")) {
    m_nameHeading->setObjectName("Label1");
    m_nameList->setObjectName("ListBox1");
    m_nameList->setAccessibleName("選択ファイル一覧");
    m_nameList->setFixedSize(kListWidth, kListHeight);
    m_nameList->setSelectionMode(QAbstractItemView::NoSelection);
    m_nameHeading->setBuddy(m_nameList);
    m_destinationLabel->setObjectName("Label2");
    m_destinationLabel->setBuddy(m_destinationBox);
    m_destinationBox->setObjectName("ComboBox1");
    new platform::TypedCharFilter(m_destinationBox, platform::TypedCharFilter::Rule::RefuseListed,
                                  platform::kFolderNameRefused, platform::kFolderNameMessage);
    m_browseButton->setFixedWidth(kBrowseWidth);
    m_browseButton->setAccessibleName("フォルダーの参照");

    auto* destination = new QHBoxLayout;
    destination->addWidget(m_destinationLabel);
    destination->addWidget(m_destinationBox, 1);
    destination->addWidget(m_browseButton);
    QVBoxLayout* layout = FixedLayout();
    layout->addWidget(m_nameHeading);
    layout->addWidget(m_nameList);
    layout->addLayout(destination);
    layout->addLayout(ButtonRow({m_okButton, m_cancelButton}));

    TieOkToBox(*m_destinationBox, *m_okButton, [this] { Button1Click(); });
    connect(m_browseButton, &QPushButton::clicked, this, &CopyMoveDialog::Button3Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CopyMoveDialog::Open(const std::vector<std::string>& names) {
    m_names = names;
    m_nameList->clear();
    for (const auto& name : m_names)
        m_nameList->addItem(platform::DisplayText(name));
    FormShow();
    ShowCentred();
}

void CopyMoveDialog::FormShow() {
    const bool move = state().MoveMode;
    m_nameHeading->setText(kNameListHeading);
    setWindowTitle(move ? kMoveCaption : kCopyCaption);
    m_destinationLabel->setText(move ? kMoveDestinationLabel : kCopyDestinationLabel);
    m_destinationBox->setAccessibleName(m_destinationLabel->text());
    m_okButton->setEnabled(false);
    if (m_history.Load(this)) {
        const auto entries = m_history.Entries();
        m_history.SetText(entries.empty() ? std::string() : entries.front());
        m_okButton->setEnabled(!entries.empty());
    } else {
        m_history.SetText({});
    }
    m_destinationBox->setFocus();
}

void CopyMoveDialog::done(int result) {
    m_history.Save(this);
    QDialog::done(result);
}

void CopyMoveDialog::Button3Click() {
    const std::string& current = state().CurrentDir;
    m_chosenFolder =
        platform::BrowseForFolder(this, kBrowseTitle + platform::DisplayText(current), current);
    m_history.SetText(m_chosenFolder);
    if (!m_chosenFolder.empty()) m_okButton->setEnabled(true);
    m_destinationBox->setFocus();
}

std::string CopyMoveDialog::BoxBytes() const {
    const QString text = m_destinationBox->currentText();
    for (int i = 0; i < m_destinationBox->count(); ++i) {
        if (m_destinationBox->itemText(i) == text) {
            return m_destinationBox->itemData(i).toByteArray().toStdString();
        }
    }
    if (!m_chosenFolder.empty() && platform::DisplayText(m_chosenFolder) == text) {
        return m_chosenFolder;
    }
    return ncui::TypedBytes(text);
}

void CopyMoveDialog::Button1Click() {
    if (m_destinationBox->currentText().isEmpty()) {
        m_destinationBox->setFocus();
        return;
    }
    // A refused destination is kept in the history too.
    m_history.Push(BoxBytes());
    m_okButton->setEnabled(false);
    const auto destination = Destination();
    if (!destination) {
        m_destinationBox->setFocus();
        return;
    }
    RunTransfer(*destination);
}

std::optional<std::string> CopyMoveDialog::Destination() {
    app::MainState& s = state();
    s.WorkPath = platform::WithoutTrailingSeparator(BoxBytes());
    const std::string folder = platform::ResolveTypedPath(
        s.WorkPath, s.CurrentDir, QFile::encodeName(QDir::homePath()).toStdString());
    if (!platform::IsRootPath(folder) && !platform::FolderExists(folder)) {
        s.MsgAnswer = platform::AskWarningYesNo(this, fileops::kCreateFolderQuestion);
        if (s.MsgAnswer != platform::IDYES) {
            s.WorkPath = s.CurrentDir;
            m_history.SetText(s.CurrentDir);
            return std::nullopt;
        }
        if (!CreateDestination(folder)) return std::nullopt;
    }
    // The same folder by device and inode, however it is spelt.
    if (fileops::IsSameFolder(folder, s.CurrentDir)) {
        s.MsgAnswer = platform::ShowMessage(
            {this, fileops::kWarningCaption,
             platform::DisplayText(s.CurrentDir) + fileops::kSameFolderSuffix,
             platform::MessageIcon::Warning, platform::MessageButtons::Yes, true});
        return std::nullopt;
    }
    s.WorkPath = folder;
    return folder;
}

// Makes the missing folders of the destination; a failure is reported
// rather than left to the transfer, which could only say that it is missing.
bool CopyMoveDialog::CreateDestination(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (platform::FolderExists(folder)) return true;
    if (!error) error = std::make_error_code(std::errc::not_a_directory);
    state().MsgAnswer =
        platform::ShowStop(this, kErrorCaption,
                           fileops::kNewFolderFailedMessage + platform::DisplayText(folder) + "\n" +
                               platform::DisplayText(fileops::SystemReason(error.value())));
    return false;
}

void CopyMoveDialog::RunTransfer(const std::string& destination) {
    const bool move = state().MoveMode;
    std::vector<std::string> sources;
    for (const auto& name : m_names)
        sources.push_back(platform::JoinPath(state().CurrentDir, name));
    fileops::Transfer transfer(move ? fileops::TransferKind::Move : fileops::TransferKind::Copy,
                               std::move(sources), destination);
    const fileops::TransferReport report =
        TransferProgressDialog(this, windowTitle()).Run(transfer);
    // A cancel ends it all: no message, and the list is not read again.
    if (report.status == fileops::TransferStatus::Cancelled) {
        accept();
        return;
    }
    FailureList failures;
    for (const auto& failure : report.failures)
        failures.Add(failure.path, failure.reason);
    if (!failures.empty()) failures.Show(this, move ? kNotMovedHeading : kNotCopiedHeading);
    // A copy leaves the listed folder as it was.
    if (move) host().RefreshFileList(false, true, false);
    if (report.status == fileops::TransferStatus::Done) {
        ncui::ShowCompletion(host(), this, move ? fileops::kMovedMessage : fileops::kCopiedMessage);
    }
    accept();
}

} // namespace fileopsui
