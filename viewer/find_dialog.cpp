#include "find_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace viewer {
namespace {

// The direction is shown but fixed: the search always goes down.
QGroupBox* FixedDirection(QWidget* parent) {
    auto* group = new QGroupBox("方向", parent);
    auto* up = new QRadioButton("上へ", group);
    auto* down = new QRadioButton("下へ", group);
    down->setChecked(true);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(up);
    layout->addWidget(down);
    group->setEnabled(false);
    return group;
}

} // namespace

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent), m_textBox(new QLineEdit(this)),
      m_matchCaseBox(new QCheckBox("大文字と小文字を区別する", this)),
      m_findNextButton(new QPushButton("次を検索", this)) {
    setObjectName("FindDialog1");
    setWindowTitle("検索");
    setModal(false);
    m_textBox->setObjectName("FindText");
    m_matchCaseBox->setObjectName("MatchCase");
    m_findNextButton->setObjectName("FindNext");
    m_findNextButton->setDefault(true);
    m_findNextButton->setEnabled(false);
    auto* label = new QLabel("検索する文字列:", this);
    label->setBuddy(m_textBox);
    auto* cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("Cancel");

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(m_textBox, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(m_matchCaseBox);
    options->addWidget(FixedDirection(this));
    auto* fields = new QVBoxLayout;
    fields->addLayout(textRow);
    fields->addLayout(options);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNextButton);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(m_textBox, &QLineEdit::textChanged, this,
            [this](const QString& typed) { m_findNextButton->setEnabled(!typed.isEmpty()); });
    connect(m_findNextButton, &QPushButton::clicked, this,
            [this] { emit FindRequested(text(), matchCase()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString FindDialog::text() const {
    return m_textBox->text();
}

bool FindDialog::matchCase() const {
    return m_matchCaseBox->isChecked();
}

} // namespace viewer
