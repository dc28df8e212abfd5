#include "editor_setting_dialog.h"

#include "command_frame.h"
#include "edit_bytes.h"
#include "program_picker.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace extapps {
namespace {

constexpr int kWidth = 442;
constexpr int kHeight = 138;
constexpr int kEditorWidth = 350;
constexpr int kBrowseSide = 25;

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

EditorSettingDialog::EditorSettingDialog(app::MainState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_state(state), m_editorEdit(new QLineEdit), m_browseButton(Button("...", "Button1", this)),
      m_saveButton(Button("保存", "Button5", this)),
      m_cancelButton(Button("ｷｬﾝｾﾙ", "Button6", this)) {
    setObjectName("SettingForm");
    setWindowTitle("設定画面");
    m_editorEdit->setObjectName("LabeledEdit1");
    m_editorEdit->setFixedWidth(kEditorWidth);
    m_browseButton->setFixedSize(kBrowseSide, kBrowseSide);
    m_browseButton->setAccessibleName("参照");
    m_browseButton->setToolTip("参照");

    auto* page = new QWidget;
    page->setObjectName("TabSheet1");
    auto* editorLabel = new QLabel("ｴﾃﾞｨﾀｿﾌﾄ", page);
    editorLabel->setBuddy(m_editorEdit);
    auto* pageLayout = new QGridLayout(page);
    pageLayout->addWidget(editorLabel, 0, 0);
    pageLayout->addWidget(m_editorEdit, 1, 0);
    pageLayout->addWidget(m_browseButton, 1, 1);
    pageLayout->setColumnStretch(2, 1);
    pageLayout->setRowStretch(2, 1);
    auto* pages = new QTabWidget(this);
    pages->setObjectName("PageControl1");
    pages->addTab(page, "編集ｱﾌﾟﾘｹｰｼｮﾝ");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons);
    setFixedSize(kWidth, kHeight);

    connect(m_browseButton, &QPushButton::clicked, this, &EditorSettingDialog::Button1Click);
    connect(m_saveButton, &QPushButton::clicked, this, &EditorSettingDialog::Button5Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void EditorSettingDialog::Open() {
    SetEditBytes(*m_editorEdit, m_state.EditApp);
    ncui::PlaceOnMainWindow(*this, m_state);
    m_editorEdit->setFocus();
    exec();
}

void EditorSettingDialog::Button1Click() {
    if (const auto chosen = PickProgram(this, "ｱﾌﾟﾘｹｰｼｮﾝ設定", EditBytes(*m_editorEdit)))
        SetEditBytes(*m_editorEdit, *chosen);
}

void EditorSettingDialog::Button5Click() {
    m_state.EditApp = EditBytes(*m_editorEdit);
    accept();
}

} // namespace extapps
