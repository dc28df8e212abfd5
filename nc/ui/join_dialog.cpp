#include "join_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "file_form.h"
#include "message_box.h"
#include "nc_commands.h"
#include "nc_error.h"
#include "paths.h"
#include "typed_char_filter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <unistd.h>

namespace ncui {

JoinDialog::JoinDialog(app::CommandHost& host)
    : PassDialog(host, "ﾌｧｲﾙ結合", "PlusForm"), m_fileList(new QListWidget(this)),
      m_nameBox(new QComboBox(this)),
      m_history(*m_nameBox, platform::JoinPath(host.settingsFolder(), filelist::kNameListFile),
                filelist::HistoryMatch::Exact),
      m_okButton(AddButton("OK", "Button1")) {
    auto* listLabel = new QLabel("ﾌｧｲﾙ結合一覧", this);
    listLabel->setObjectName("Label1");
    m_fileList->setObjectName("ListBox1");
    m_fileList->setFocusPolicy(Qt::ClickFocus);
    m_fileList->setAccessibleName("ﾌｧｲﾙ結合一覧");
    auto* nameLabel = new QLabel("結合ﾌｧｲﾙ名", this);
    nameLabel->setObjectName("Label2");
    nameLabel->setBuddy(m_nameBox);
    m_nameBox->setObjectName("ComboBox1");
    m_nameBox->setMinimumWidth(240);
    m_nameBox->setAccessibleName("結合ﾌｧｲﾙ名");
    new platform::TypedCharFilter(m_nameBox, platform::TypedCharFilter::Rule::RefuseListed,
                                  platform::kFileNameRefused, platform::kFileNameMessage);
    QPushButton* cancel = AddButton("ｷｬﾝｾﾙ", "Button2");

    QVBoxLayout* layout = FixedLayout();
    layout->addWidget(listLabel);
    layout->addWidget(m_fileList);
    layout->addWidget(nameLabel);
    layout->addWidget(m_nameBox);
    layout->addLayout(ButtonRow({m_okButton, cancel}));

    TieOkToBox(*m_nameBox, *m_okButton, [this] { Button1Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void JoinDialog::Open(const std::vector<std::string>& names) {
    m_names = names;
    m_fileList->clear();
    for (const auto& name : names)
        m_fileList->addItem(platform::DisplayText(name));
    m_history.SetText({});
    if (m_history.Load(this)) {
        const auto entries = m_history.Entries();
        m_history.SetText(entries.empty() ? std::string() : entries.front());
    }
    m_okButton->setEnabled(!m_nameBox->currentText().isEmpty());
    m_nameBox->setFocus();
    ShowCentred();
}

void JoinDialog::done(int result) {
    m_history.Save(this);
    QDialog::done(result);
}

void JoinDialog::Button1Click() {
    if (m_nameBox->currentText().isEmpty() || passRunning()) return;
    const std::string name = m_history.Text();
    const std::string path = platform::JoinPath(state().CurrentDir, name);
    state().SelectedName = path;
    state().OutputName = name;
    m_history.Push(name);
    m_okButton->setEnabled(false);
    if (!MayReplace(path)) {
        state().SelectedName.clear();
        m_nameBox->setFocus();
        return;
    }
    if (NamesASource(name, path)) {
        state().MsgAnswer = platform::ShowStop(this, kConfirmCaption, nc::kJoinNameIsSourceMessage);
        m_nameBox->setFocus();
        return;
    }
    RunJoin(path, AskFileForms());
}

bool JoinDialog::MayReplace(const std::string& path) {
    if (::access(path.c_str(), F_OK) != 0) return true;
    state().MsgAnswer = platform::AskWarningYesNo(this, "すでに" + platform::DisplayText(path) +
                                                            "が有ります。\n上書きしますか？");
    return state().MsgAnswer == platform::IDYES;
}

// Byte for byte as typed, or another spelling of the same file.
bool JoinDialog::NamesASource(const std::string& name, const std::string& path) {
    return std::any_of(m_names.begin(), m_names.end(), [&](const std::string& source) {
        return source == name ||
               platform::SameFile(platform::JoinPath(state().CurrentDir, source), path);
    });
}

std::map<std::string, bool> JoinDialog::AskFileForms() {
    std::map<std::string, bool> answers;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        const std::string source = platform::JoinPath(state().CurrentDir, m_names[i]);
        if (TextIsEmpty(source).value_or(false)) {
            m_fileList->setCurrentRow(static_cast<int>(i));
            state().OutputName = m_names[i];
            const auto answer = AskFileForm(host(), host().hostWindow(), source);
            answers[source] = answer.value_or(false);
        }
    }
    return answers;
}

void JoinDialog::RunJoin(const std::string& path, const std::map<std::string, bool>& answers) {
    std::vector<std::string> sources;
    for (const auto& name : m_names)
        sources.push_back(platform::JoinPath(state().CurrentDir, name));
    const auto failure = RunPass(nullptr, [&](const nc::Progress& progress) {
        nc::JoinFiles(
            sources, path,
            [&answers](const std::string& source) {
                const auto found = answers.find(source);
                return found != answers.end() && found->second;
            },
            progress);
    });
    if (failure) {
        ShowCommandError(this, failure->message);
        CloseIfAsked();
        return;
    }
    m_fileList->setCurrentRow(m_fileList->count() - 1);
    state().OutputName = m_names.back();
    host().RefreshFileList(false, false, false);
    ShowCompletion(host(), this, "ファイル結合完了しました。");
    accept();
}

} // namespace ncui
