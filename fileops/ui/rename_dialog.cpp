#include "rename_dialog.h"

#include "command_frame.h"
#include "dialog_parts.h"
#include "display_text.h"
#include "fixed_pitch_font.h"
#include "typed_name.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

namespace fileopsui {
namespace {

using fileops::RenameMode;

constexpr int kNameEditWidth = 350;

struct ModeEntry {
    RenameMode mode;
    const char* text;
    const char* objectName;
};

constexpr ModeEntry kModes[] = {
    {RenameMode::Rename, "名前を変更", "RadioButton1"},
    {RenameMode::Upper, "半角英文字を大文字に", "RadioButton2"},
    {RenameMode::Lower, "半角英文字を小文字に", "RadioButton3"},
    {RenameMode::Capitalize, "半角英文字の先頭のみ大文字に", "RadioButton4"},
};

std::size_t ModeIndex(RenameMode mode) {
    return static_cast<std::size_t>(mode) - 1;
}

} // namespace

RenameDialog::RenameDialog(QWidget* parent)
    : QDialog(parent, FixedDialogFlags()), m_oldNameLabel(AddLabel(this, {}, "Label1")),
      m_edit(new QLineEdit(this)), m_ok(AddButton(this, "OK", "Button1")) {
    setObjectName("RNameForm");
    setWindowTitle("名前変更");
    m_oldNameLabel->setFont(platform::FixedPitchFontOfPoints(10));
    m_oldNameLabel->setAccessibleName("変更前の名前");
    auto* editLabel = AddLabel(this, "新しい名前を入力", "LabeledEdit1Label");
    editLabel->setBuddy(m_edit);
    m_edit->setObjectName("LabeledEdit1");
    m_edit->setFont(platform::FixedPitchFontOfPoints(9));
    m_edit->setMinimumWidth(kNameEditWidth);
    m_edit->setAccessibleName("新しい名前を入力");
    QPushButton* cancel = AddButton(this, "ｷｬﾝｾﾙ", "Button2");

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_oldNameLabel, 0, 0, 1, 2);
    layout->addWidget(editLabel, 1, 0, 1, 2);
    layout->addWidget(m_edit, 2, 0, 1, 2);
    for (const ModeEntry& entry : kModes) {
        auto* button = new QRadioButton(entry.text, this);
        button->setObjectName(entry.objectName);
        m_modes[ModeIndex(entry.mode)] = button;
        layout->addWidget(button, 3 + static_cast<int>(ModeIndex(entry.mode)), 0);
        connect(button, &QRadioButton::clicked, this, [this, mode = entry.mode] {
            ChooseMode(mode);
            m_edit->setFocus();
        });
    }
    layout->addWidget(m_ok, 3, 1, 2, 1, Qt::AlignBottom);
    layout->addWidget(cancel, 5, 1, 2, 1, Qt::AlignTop);
    // The keyboard follows the layout: name, modes, then the buttons.
    std::vector<QWidget*> order = {m_edit};
    order.insert(order.end(), m_modes.begin(), m_modes.end());
    order.insert(order.end(), {m_ok, cancel});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_edit, &QLineEdit::textEdited, this, [this] { KeepTextInMode(); });
    connect(m_edit, &QLineEdit::returnPressed, this, [this] {
        if (!m_edit->text().isEmpty()) Button1Click();
    });
    connect(m_ok, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton* RenameDialog::modeButton(RenameMode mode) const {
    return m_modes[ModeIndex(mode)];
}

std::optional<std::string> RenameDialog::Ask(const std::string& oldName,
                                             const app::MainState& state) {
    FormShow(oldName);
    ncui::PlaceOnMainWindow(*this, state);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return m_newName;
}

void RenameDialog::FormShow(const std::string& oldName) {
    m_oldName = oldName;
    m_newName.clear();
    m_oldNameLabel->setText(platform::DisplayText(oldName));
    m_edit->setText(platform::DisplayText(oldName));
    m_modes[ModeIndex(RenameMode::Rename)]->setChecked(true);
    m_mode = RenameMode::Rename;
    m_edit->setFocus();
}

void RenameDialog::ChooseMode(RenameMode mode) {
    m_mode = mode;
    KeepTextInMode();
}

void RenameDialog::KeepTextInMode() {
    const QString text = m_edit->text();
    const QString inMode =
        platform::DisplayText(fileops::NameInMode(m_mode, ncui::TypedBytes(text)));
    if (inMode == text) return;
    const int caret = m_edit->cursorPosition();
    m_edit->setText(inMode);
    m_edit->setCursorPosition(caret);
}

// An empty name is taken as it is: the rename then fails and nothing changes.
void RenameDialog::Button1Click() {
    m_newName = NameForText(m_edit->text(), m_oldName);
    accept();
}

} // namespace fileopsui
