#include "sort_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace filelist {
namespace {

constexpr const char* kKeys = "NSTDA";
constexpr const char* kKindTexts[] = {"名前", "ｻｲｽﾞ", "種類", "日付", "属性"};
// Item 0 descending ("D"), item 1 ascending.
constexpr const char* kDirectionTexts[] = {"降順", "昇順"};

QButtonGroup* AddRadioGroup(QGroupBox* box, const char* const* texts, int count, int columns) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QGridLayout(box);
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(texts[i], box);
        group->addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
    }
    return group;
}

// The checked button of a group, or its first, to carry the focus.
QAbstractButton* FocusButton(QButtonGroup* group) {
    return group->checkedButton() ? group->checkedButton() : group->buttons().first();
}

} // namespace

SortDialog::SortDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("SortForm");
    setWindowTitle("ソートタイプ");
    auto* kindBox = new QGroupBox("ソート種類", this);
    kindBox->setObjectName("RadioGroup1");
    m_kinds = AddRadioGroup(kindBox, kKindTexts, 5, 1);
    auto* directionBox = new QGroupBox("ソート向き", this);
    directionBox->setObjectName("RadioGroup2");
    m_directions = AddRadioGroup(directionBox, kDirectionTexts, 2, 2);
    m_okButton = new QPushButton("ＯＫ", this);
    m_okButton->setObjectName("Button1");
    m_okButton->setDefault(true);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    cancel->setObjectName("Button2");
    cancel->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(kindBox, 0, 0, 3, 1);
    layout->addWidget(directionBox, 3, 0, 2, 1);
    layout->addWidget(m_okButton, 3, 1, Qt::AlignBottom);
    layout->addWidget(cancel, 4, 1, Qt::AlignTop);
    layout->setRowStretch(2, 1);

    // Kind, then direction, then Enter: choosing an item, by mouse or arrow
    // key, moves on to the next step, once the arrow key has moved its focus.
    connect(m_kinds, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked || !isVisible()) return;
        QMetaObject::invokeMethod(
            this, [this] { FocusButton(m_directions)->setFocus(); }, Qt::QueuedConnection);
    });
    connect(m_directions, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked || !isVisible()) return;
        QMetaObject::invokeMethod(
            m_okButton, [this] { m_okButton->setFocus(); }, Qt::QueuedConnection);
    });
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool SortDialog::Choose(std::string& key, std::string& direction, const std::array<int, 4>& over) {
    const auto kind = std::string_view(kKeys).find(key.empty() ? '?' : key[0]);
    if (key.size() == 1 && kind != std::string_view::npos) {
        m_kinds->button(static_cast<int>(kind))->setChecked(true);
    }
    m_directions->button(direction == "D" ? 0 : 1)->setChecked(true);
    adjustSize();
    const auto& [left, top, width, height] = over;
    move(left + width / 2 - this->width() / 2, top + height / 2 - this->height() / 2);
    FocusButton(m_kinds)->setFocus();
    if (exec() != QDialog::Accepted) return false;
    if (m_kinds->checkedId() >= 0) key = std::string(1, kKeys[m_kinds->checkedId()]);
    if (m_directions->checkedId() >= 0) direction = m_directions->checkedId() == 0 ? "D" : "U";
    return true;
}

} // namespace filelist
