#include "group_rename_dialog.h"

#include "command_frame.h"
#include "dialog_parts.h"

#include <QGridLayout>
#include <QPushButton>
#include <QRadioButton>

namespace fileopsui {
namespace {

using fileops::GroupRenameKind;

struct KindEntry {
    GroupRenameKind kind;
    const char* text;
    const char* objectName;
};

constexpr KindEntry kKinds[] = {
    {GroupRenameKind::Rename, "名前を変更", "RadioButton1"},
    {GroupRenameKind::Upper, "半角英文字を大文字に", "RadioButton2"},
    {GroupRenameKind::Lower, "半角英文字を小文字に", "RadioButton3"},
    {GroupRenameKind::Capitalize, "半角英文字の先頭のみ大文字に", "RadioButton4"},
    {GroupRenameKind::EachInTurn, "個々に名前を変更", "RadioButton5"},
};

std::size_t KindIndex(GroupRenameKind kind) {
    return static_cast<std::size_t>(kind) - 1;
}

} // namespace

GroupRenameDialog::GroupRenameDialog(QWidget* parent)
    : QDialog(parent, FixedDialogFlags()), m_ok(new QPushButton("OK", this)) {
    setObjectName("RNameAForm");
    setWindowTitle("名前変更");
    m_ok->setObjectName("Button1");
    // Only choices here: Enter takes the checked one.
    m_ok->setDefault(true);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setObjectName("Button2");

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setColumnMinimumWidth(1, 24);
    for (const KindEntry& entry : kKinds) {
        auto* button = new QRadioButton(entry.text, this);
        button->setObjectName(entry.objectName);
        m_kinds[KindIndex(entry.kind)] = button;
        layout->addWidget(button, static_cast<int>(KindIndex(entry.kind)), 0);
        connect(button, &QRadioButton::toggled, this, [this, kind = entry.kind](bool checked) {
            if (checked) m_kind = kind;
        });
    }
    layout->addWidget(m_ok, 0, 2, 2, 1, Qt::AlignVCenter);
    layout->addWidget(cancel, 2, 2, 2, 1, Qt::AlignVCenter);
    // The keyboard follows the layout: the choices, then the buttons.
    for (std::size_t i = 1; i < m_kinds.size(); ++i)
        setTabOrder(m_kinds[i - 1], m_kinds[i]);
    setTabOrder(m_kinds.back(), m_ok);
    setTabOrder(m_ok, cancel);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QRadioButton* GroupRenameDialog::kindButton(GroupRenameKind kind) const {
    return m_kinds[KindIndex(kind)];
}

std::optional<GroupRenameKind> GroupRenameDialog::Ask(const app::MainState& state) {
    m_kinds[KindIndex(GroupRenameKind::Rename)]->setChecked(true);
    m_kind = GroupRenameKind::Rename;
    m_kinds[KindIndex(GroupRenameKind::Rename)]->setFocus();
    ncui::PlaceOnMainWindow(*this, state);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return m_kind;
}

} // namespace fileopsui
