#include "argument_dialog.h"

#include "command_frame.h"
#include "display_text.h"
#include "edit_bytes.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace extapps {
namespace {

constexpr int kWidth = 342;
constexpr int kHeight = 173;
constexpr int kArgumentWidth = 310;

// Names and commands are shown as they are, never read as rich text; a long
// one is cut at the dialog's edge rather than widening it.
QLabel* PlainLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

} // namespace

ArgumentDialog::ArgumentDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_nameLabel(PlainLabel("Label1", this)), m_commandLabel(PlainLabel("Label3", this)),
      m_argumentEdit(new QLineEdit(this)), m_okButton(new QPushButton("OK", this)),
      m_cancelButton(new QPushButton("ｷｬﾝｾﾙ", this)) {
    setObjectName("OutAppForm");
    setWindowTitle("引数");
    auto* heading = new QLabel("起動ｱﾌﾟﾘｹｰｼｮﾝ", this);
    heading->setObjectName("Label2");
    auto* argumentLabel = new QLabel("引数", this);
    argumentLabel->setBuddy(m_argumentEdit);
    m_argumentEdit->setObjectName("LabeledEdit1");
    m_argumentEdit->setFixedWidth(kArgumentWidth);
    m_okButton->setObjectName("Button1");
    m_cancelButton->setObjectName("Button2");
    // Enter in the argument box is OK.
    m_okButton->setDefault(true);
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_nameLabel);
    layout->addWidget(heading);
    layout->addWidget(m_commandLabel);
    layout->addStretch();
    layout->addWidget(argumentLabel);
    layout->addWidget(m_argumentEdit);
    layout->addLayout(buttons);
    setFixedSize(kWidth, kHeight);
    setTabOrder(m_argumentEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<LaunchRequest> ArgumentDialog::Ask(const ArgumentsWanted& wanted,
                                                 const app::MainState& state) {
    m_command = wanted.CommandText;
    m_nameLabel->setText(platform::DisplayText(wanted.SettingName));
    m_commandLabel->setText(platform::DisplayText(wanted.CommandText));
    m_commandLabel->setToolTip(m_commandLabel->text());
    SetEditBytes(*m_argumentEdit, wanted.Prefill);
    ncui::PlaceOnMainWindow(*this, state);
    m_argumentEdit->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return ArgumentDialogLaunch(m_command, EditBytes(*m_argumentEdit));
}

} // namespace extapps
