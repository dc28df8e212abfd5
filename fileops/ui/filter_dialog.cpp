#include "filter_dialog.h"

#include "command_frame.h"
#include "dialog_parts.h"
#include "fileops_texts.h"
#include "message_box.h"
#include "paths.h"
#include "typed_char_filter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace fileopsui {
namespace {

constexpr int kNameBoxWidth = 150;

// A file name's refused characters, except the wildcard "*" and the "."
// patterns need. "/" is refused as well: it separates folders here, and a
// pattern holding it would list another folder under the current one's name.
constexpr const char* kPatternRefused = "/\\:,;?<>|";
constexpr const char* kPatternMessage = "この文字はファイル名に使えません。\n/\\:,;*?<>|.";

} // namespace

FilterDialog::FilterDialog(app::CommandHost& host)
    : QDialog(host.hostWindow(), FixedDialogFlags()), m_host(host), m_nameBox(new QComboBox(this)),
      m_history(*m_nameBox, platform::JoinPath(host.settingsFolder(), filelist::kFindListFile),
                filelist::HistoryMatch::Exact),
      m_ok(AddButton(this, "ＯＫ", "Button1")) {
    setObjectName("FindForm");
    setWindowTitle("絞り込み・検索");
    auto* label = AddLabel(this, "検索・絞り込み名", "Label1");
    label->setBuddy(m_nameBox);
    m_nameBox->setObjectName("ComboBox1");
    m_nameBox->setMinimumWidth(kNameBoxWidth);
    m_nameBox->setAccessibleName("検索・絞り込み名");
    new platform::TypedCharFilter(m_nameBox, platform::TypedCharFilter::Rule::RefuseListed,
                                  kPatternRefused, kPatternMessage);
    QPushButton* cancel = AddButton(this, "ｷｬﾝｾﾙ", "Button2");

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_nameBox, 0, 1, 1, 2);
    layout->addWidget(m_ok, 1, 1);
    layout->addWidget(cancel, 1, 2);

    connect(m_nameBox, &QComboBox::editTextChanged, m_ok,
            [this](const QString& text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_nameBox->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!m_nameBox->currentText().isEmpty()) Button1Click();
    });
    connect(m_ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FilterDialog::Open() {
    m_history.SetText({});
    m_ok->setEnabled(false);
    m_history.Load(this);
    m_nameBox->setFocus();
    ncui::PlaceOnMainWindow(*this, m_host.state());
    exec();
}

void FilterDialog::done(int result) {
    m_history.Save(this);
    QDialog::done(result);
}

void FilterDialog::Button1Click() {
    const std::string pattern = m_history.Text();
    if (pattern.empty()) return;
    app::MainState& state = m_host.state();
    // A pattern taken from the history list was never typed, so never filtered.
    if (pattern.find('/') != std::string::npos) {
        state.MsgAnswer = platform::ShowStop(this, fileops::kConfirmCaption, kPatternMessage);
        return;
    }
    state.FilterName = platform::JoinPath(state.CurrentDir, pattern);
    m_history.Push(pattern);
    m_host.RefreshFileList(true, false, false);
    ncui::ShowCompletion(m_host, this, fileops::kFilterDoneMessage);
    accept();
}

} // namespace fileopsui
