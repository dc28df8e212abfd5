#include "variable_list_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "nc_error.h"
#include "paths.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ncui {
namespace {

struct KindTexts {
    const char* tab;
    const char* count;
};

constexpr KindTexts kKindTexts[VariableListDialog::kKinds] = {
    {"ﾛｰｶﾙ変数", "ローカル変数= "},
    {"ｺﾓﾝ変数", "コモン変数= "},
    {"ｼｽﾃﾑ変数", "システム変数= "},
    {"その他", "その他変数= "},
};

const std::vector<std::string>& Kind(const nc::VariableList& list, int kind) {
    const std::vector<std::string>* kinds[] = {&list.local, &list.common, &list.system,
                                               &list.other};
    return *kinds[kind];
}

} // namespace

VariableListDialog::VariableListDialog(app::CommandHost& host)
    : PassDialog(host, "変数番号リスト", "ListForm"), m_sourceLabel(new QLabel(this)),
      m_tabs(new QTabWidget(this)), m_makeButton(AddButton("作成", "Button1")),
      m_saveButton(AddButton("保存", "Button3")), m_cancelButton(AddButton("ｷｬﾝｾﾙ", "Button2")),
      m_progressBar(AddProgressBar()) {
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    m_sourceLabel->setObjectName("Label1");
    m_tabs->setObjectName("PageControl1");
    for (int kind = 0; kind < kKinds; ++kind) {
        auto* page = new QWidget(m_tabs);
        auto* count = new QLabel(page);
        count->setObjectName(QString("Label%1").arg(kind + 2));
        auto* list = new QListWidget(page);
        list->setObjectName(QString("ListBox%1").arg(kind + 1));
        list->setAccessibleName(kKindTexts[kind].tab);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->addWidget(count);
        pageLayout->addWidget(list);
        m_tabs->addTab(page, kKindTexts[kind].tab);
        m_counts[static_cast<std::size_t>(kind)] = count;
        m_lists[static_cast<std::size_t>(kind)] = list;
    }

    QVBoxLayout* layout = FixedLayout();
    layout->addWidget(m_sourceLabel);
    layout->addWidget(m_tabs);
    layout->addWidget(m_progressBar);
    layout->addLayout(ButtonRow({m_makeButton, m_saveButton, m_cancelButton}));
    m_tabs->setFixedSize(320, 260);

    connect(m_makeButton, &QPushButton::clicked, this, &VariableListDialog::Button1Click);
    connect(m_saveButton, &QPushButton::clicked, this, &VariableListDialog::Button3Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void VariableListDialog::ClearLists() {
    m_variables = {};
    for (auto* list : m_lists)
        list->clear();
}

void VariableListDialog::Open(bool readPieces) {
    m_readPieces = readPieces;
    m_progressBar->setRange(0, 1);
    m_progressBar->setValue(0);
    m_saveButton->setEnabled(false);
    m_sourceLabel->setText(platform::DisplayText(state().SelectedName));
    m_makeButton->setEnabled(true);
    m_makeButton->setFocus();
    ShowCounts();
    ShowCentred();
}

void VariableListDialog::Button1Click() {
    if (passRunning()) return;
    m_makeButton->setEnabled(false);
    const std::string source = platform::JoinPath(state().CurrentDir, state().SelectedName);
    const bool readPieces = m_readPieces;
    nc::VariableList found;
    const auto failure = RunPass(m_progressBar, [&](const nc::Progress& progress) {
        found = nc::ScanVariables(
            source, [readPieces] { return readPieces; }, progress);
    });
    if (failure) {
        ShowCommandError(this, failure->message);
        CloseIfAsked();
        return;
    }
    m_variables = std::move(found);
    m_saveButton->setEnabled(true);
    ShowList();
    ShowCounts();
    CloseIfAsked();
}

void VariableListDialog::ShowList() {
    for (int kind = 0; kind < kKinds; ++kind) {
        QListWidget* list = m_lists[static_cast<std::size_t>(kind)];
        list->clear();
        for (const auto& entry : Kind(m_variables, kind))
            list->addItem(QString::fromStdString(entry));
    }
}

void VariableListDialog::ShowCounts() {
    for (int kind = 0; kind < kKinds; ++kind) {
        m_counts[static_cast<std::size_t>(kind)]->setText(
            kKindTexts[kind].count +
            QString::number(m_lists[static_cast<std::size_t>(kind)]->count()));
    }
}

void VariableListDialog::Button3Click() {
    const std::string path =
        platform::JoinPath(state().CurrentDir, nc::VariableListName(state().SelectedName));
    try {
        nc::SaveVariableList(m_variables, path);
    } catch (const nc::NcError& error) {
        ShowCommandError(this, platform::DisplayText(error.what()) + "\n" +
                                   QString::fromLocal8Bit(error.reason()));
        return;
    }
    host().RefreshFileList(false, true, false);
    ShowCompletion(host(), this,
                   "変数リストを作成しました。\nファイル名は " + platform::DisplayText(path) +
                       "です。");
    accept();
}

} // namespace ncui
