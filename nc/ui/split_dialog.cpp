#include "split_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "folder_browser.h"
#include "message_box.h"
#include "paths.h"
#include "split_options_file.h"
#include "typed_char_filter.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <system_error>

namespace ncui {
namespace {

struct OptionItem {
    const char* name;
    const char* caption;
    bool nc::SplitOptions::*flag;
};

constexpr OptionItem kOptionItems[] = {
    {"op_f", "先頭に％付加", &nc::SplitOptions::percentFirst},
    {"op_b", "末尾に％付加", &nc::SplitOptions::percentLast},
    {"op_n", "分割ﾌｧｲﾙ名に連番付加", &nc::SplitOptions::numbered},
    {"op_sp", "ﾃﾞｰﾀ無し行は無効", &nc::SplitOptions::skipEmpty},
};

std::string SettingsFile(app::CommandHost& host, const char* name) {
    return platform::JoinPath(host.settingsFolder(), name);
}

} // namespace

SplitDialog::SplitDialog(app::CommandHost& host)
    : PassDialog(host, "Ｏ番号毎分割", "DividesForm"), m_sourceLabel(new QLabel(this)),
      m_programList(new QListWidget(this)), m_destinationBox(new QComboBox(this)),
      m_history(*m_destinationBox, SettingsFile(host, filelist::kPathListFile),
                filelist::HistoryMatch::Exact),
      m_okButton(AddButton("ＯＫ", "Button1")), m_progressBar(AddProgressBar()) {
    m_sourceLabel->setObjectName("Label1");
    m_programList->setObjectName("ListBox1");
    m_programList->setAccessibleName("分割ﾌﾟﾛｸﾞﾗﾑ");
    m_destinationBox->setObjectName("ComboBox1");
    m_destinationBox->setMinimumWidth(260);
    m_destinationBox->setAccessibleName("保存先");
    new platform::TypedCharFilter(m_destinationBox, platform::TypedCharFilter::Rule::RefuseListed,
                                  platform::kFolderNameRefused, platform::kFolderNameMessage);
    auto* destinationLabel = new QLabel("保存先", this);
    destinationLabel->setObjectName("Label2");
    destinationLabel->setBuddy(m_destinationBox);
    QPushButton* browse = AddButton("...", "Button3");
    browse->setAccessibleName("保存先の参照");
    QPushButton* cancel = AddButton("ｷｬﾝｾﾙ", "Button2");

    auto* destination = new QHBoxLayout;
    destination->addWidget(destinationLabel);
    destination->addWidget(m_destinationBox, 1);
    destination->addWidget(browse);
    QVBoxLayout* layout = FixedLayout();
    layout->addWidget(m_sourceLabel);
    layout->addWidget(m_programList);
    layout->addLayout(destination);
    layout->addLayout(ButtonRow({m_okButton, cancel}));
    layout->addWidget(m_progressBar);
    BuildOptionMenu();

    TieOkToBox(*m_destinationBox, *m_okButton, [this] { Button1Click(); });
    connect(browse, &QPushButton::clicked, this, &SplitDialog::Button3Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SplitDialog::BuildOptionMenu() {
    auto* bar = new QMenuBar(this);
    QMenu* menu = bar->addMenu("分割ｵﾌﾟｼｮﾝ");
    menu->setObjectName("Menu_options");
    for (int i = 0; i < 4; ++i) {
        if (i == 3) menu->addSeparator();
        const OptionItem& item = kOptionItems[i];
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(item.name);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, flag = item.flag](bool checked) { m_options.*flag = checked; });
        m_optionItems[i] = action;
    }
    layout()->setMenuBar(bar);
}

void SplitDialog::ShowOptions() {
    for (int i = 0; i < 4; ++i)
        m_optionItems[i]->setChecked(m_options.*kOptionItems[i].flag);
}

void SplitDialog::ClearFoundPrograms() {
    m_programList->clear();
}

void SplitDialog::Open(bool readPieces) {
    m_readPieces = readPieces;
    m_options = LoadSplitOptions(SettingsFile(host(), kSplitOptionsFile));
    if (m_history.Load(this)) {
        const auto entries = m_history.Entries();
        m_history.SetText(entries.empty() ? state().CurrentDir : entries.front());
    } else {
        m_history.SetText(state().CurrentDir);
    }
    m_progressBar->setRange(0, 1);
    m_progressBar->setValue(0);
    m_sourceLabel->setText(platform::DisplayText(state().SelectedName));
    m_okButton->setEnabled(true);
    ShowOptions();
    m_destinationBox->setFocus();
    ShowCentred();
}

void SplitDialog::done(int result) {
    try {
        SaveSplitOptions(SettingsFile(host(), kSplitOptionsFile), m_options);
    } catch (const std::system_error& failure) {
        platform::ShowFileFailure(this, platform::kCannotWriteFormat,
                                  SettingsFile(host(), kSplitOptionsFile), failure);
    }
    m_history.Save(this);
    QDialog::done(result);
}

void SplitDialog::Button3Click() {
    const std::string& current = state().CurrentDir;
    m_history.SetText(
        platform::BrowseForFolder(this, "現ﾃﾞｨﾚｸﾄﾘ " + platform::DisplayText(current), current));
    if (m_destinationBox->currentText().isEmpty()) m_history.SetText(current);
    m_destinationBox->setFocus();
}

void SplitDialog::Button1Click() {
    if (m_destinationBox->currentText().isEmpty()) {
        m_destinationBox->setFocus();
        return;
    }
    if (passRunning()) return;
    m_history.Push(m_history.Text());
    m_okButton->setEnabled(false);
    const auto destination = Destination();
    if (!destination) {
        m_history.SetText(m_history.Entries().front());
        m_okButton->setEnabled(true);
        return;
    }
    RunSplit(*destination, !platform::FolderExists(*destination));
}

std::optional<std::string> SplitDialog::Destination() {
    const std::string destination = platform::ResolveTypedPath(
        platform::WithoutTrailingSeparator(m_history.Text()), state().CurrentDir,
        QFile::encodeName(QDir::homePath()).toStdString());
    if (platform::IsRootPath(destination) || platform::FolderExists(destination))
        return destination;
    state().MsgAnswer = platform::AskWarningYesNo(
        this, "ディレクトリが見つかりません。ディレクトリを作成しますか？");
    if (state().MsgAnswer != platform::IDYES) return std::nullopt;
    return destination;
}

void SplitDialog::RunSplit(const std::string& destination, bool create) {
    nc::SplitOptions options = m_options;
    options.createDestination = create;
    options.onProgramLine = [this](std::string_view line) {
        std::lock_guard lock(m_foundMutex);
        m_found.emplace_back(line);
    };
    const std::string source = platform::JoinPath(state().CurrentDir, state().SelectedName);
    const bool readPieces = m_readPieces;
    const auto failure = RunPass(
        m_progressBar,
        [&](const nc::Progress& progress) {
            nc::SplitPrograms(
                source, destination, options, [readPieces] { return readPieces; }, progress);
        },
        [this] { ShowFoundPrograms(); });
    if (failure) {
        ShowCommandError(this, failure->message);
        CloseIfAsked();
        return;
    }
    state().SelectedName.clear();
    state().OutputName.clear();
    host().RefreshFileList(false, true, false);
    ShowCompletion(host(), this, "Ｏ番号毎に分割完了しました。");
    accept();
}

// Lines found since the last call go into the list, the newest selected.
void SplitDialog::ShowFoundPrograms() {
    std::vector<std::string> found;
    {
        std::lock_guard lock(m_foundMutex);
        found.swap(m_found);
    }
    if (found.empty()) return;
    for (const auto& line : found)
        m_programList->addItem(platform::DisplayText(line));
    m_programList->setCurrentRow(m_programList->count() - 1);
    m_programList->repaint();
}

} // namespace ncui
