#include "command_table_dialog.h"

#include "command_frame.h"
#include "command_template.h"
#include "display_text.h"
#include "edit_bytes.h"
#include "fixed_pitch_font.h"
#include "program_picker.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace extapps {
namespace {

constexpr const char* kPlaceholderHelp =
    "$A:ﾌﾙﾊﾟｽ\n$B:ﾌﾙﾊﾟｽ(拡張子無)\n$C:ﾌｧｲﾙ名のみ\n$D:ﾌｧｲﾙ名のみ(拡張子無)";
constexpr const char* kYes = "Y";
constexpr const char* kNo = "N";
constexpr int kWidth = 494;
constexpr int kHeight = 366;
enum Column { KeyColumn, NameColumn, FlagColumn, CommandColumn };

QString RowKey(int row) {
    return QString("Alt+%1").arg(QChar('A' + row));
}

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    // Enter in a field neither stores nor closes.
    button->setAutoDefault(false);
    return button;
}

QLabel* FieldLabel(const char* text, QLineEdit* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

} // namespace

CommandTableDialog::CommandTableDialog(app::MainState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_state(state), m_keyLabel(new QLabel(this)), m_nameEdit(new QLineEdit(this)),
      m_argumentBox(new QCheckBox("引数使用", this)), m_commandEdit(new QLineEdit(this)),
      m_browseButton(new QToolButton(this)), m_storeButton(Button("変更\n追加", "Button1", this)),
      m_closeButton(Button("終了", "Button2", this)), m_list(new QTreeWidget(this)) {
    setObjectName("AppopenForm");
    setWindowTitle("外部コマンド設定");
    m_keyLabel->setObjectName("Label1");
    m_nameEdit->setObjectName("LabeledEdit1");
    m_argumentBox->setObjectName("CheckBox1");
    m_commandEdit->setObjectName("LabeledEdit2");
    m_storeButton->setFixedSize(65, 57);
    m_browseButton->setObjectName("BitBtn1");
    m_browseButton->setIcon(QIcon::fromTheme("document-open"));
    m_browseButton->setAccessibleName("参照");
    m_browseButton->setToolTip("参照");

    m_list->setObjectName("ListView1");
    m_list->setHeaderLabels({"ｺﾏﾝﾄﾞ文字", "設定名", "引数使用", "ｺﾏﾝﾄﾞｱﾌﾟﾘｹｰｼｮﾝ"});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFont(platform::FixedPitchFontOfPixels(12));
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(NameColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(CommandColumn, QHeaderView::ResizeToContents);
    m_list->setColumnWidth(KeyColumn, 70);
    m_list->setColumnWidth(FlagColumn, 60);
    BuildLayout();

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] { LoadSelectedRow(); });
    connect(m_list, &QTreeWidget::itemClicked, this, [this] { LoadSelectedRow(); });
    connect(m_storeButton, &QPushButton::clicked, this, &CommandTableDialog::Button1Click);
    connect(m_browseButton, &QToolButton::clicked, this, &CommandTableDialog::BitBtn1Click);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

// The fields above, the list below.
void CommandTableDialog::BuildLayout() {
    auto* help = new QLabel(kPlaceholderHelp, this);
    help->setObjectName("Label2");
    help->setFont(platform::FixedPitchFontOfPixels(13));
    help->setFixedSize(200, 57);

    auto* fields = new QGridLayout;
    fields->addWidget(m_keyLabel, 0, 0);
    fields->addWidget(FieldLabel("設定名", m_nameEdit, this), 1, 0);
    fields->addWidget(m_nameEdit, 2, 0);
    fields->addWidget(m_argumentBox, 2, 1, 1, 2);
    fields->addWidget(FieldLabel("ｺﾏﾝﾄﾞｱﾌﾟﾘｹｰｼｮﾝ ", m_commandEdit, this), 3, 0);
    fields->addWidget(m_commandEdit, 4, 0, 1, 2);
    fields->addWidget(m_browseButton, 4, 2);
    auto* actions = new QHBoxLayout;
    actions->addWidget(help);
    actions->addStretch();
    actions->addWidget(m_storeButton);
    actions->addWidget(m_closeButton, 0, Qt::AlignBottom);
    fields->addLayout(actions, 5, 0, 1, 3);
    fields->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list, 1);
    setFixedSize(kWidth, kHeight);
}

void CommandTableDialog::Open() {
    FillList();
    ncui::PlaceOnMainWindow(*this, m_state);
    m_list->setFocus();
    SelectRow(0);
    LoadSelectedRow();
    exec();
}

void CommandTableDialog::FillList() {
    m_list->clear();
    for (int row = 0; row < app::kOutAppCount; ++row) {
        const app::OutAppSlot& slot = m_state.OutApps[static_cast<std::size_t>(row)];
        m_list->addTopLevelItem(new QTreeWidgetItem(
            {RowKey(row), platform::DisplayText(slot.SettingName),
             platform::DisplayText(slot.ArgFlag), platform::DisplayText(slot.CommandText)}));
    }
}

int CommandTableDialog::SelectedRow() const {
    const auto selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CommandTableDialog::SelectRow(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    m_list->setCurrentItem(item);
    item->setSelected(true);
    m_list->scrollToItem(item);
}

// The fields show the slot of the selected row. The slot's own bytes go into
// the edits, so names that are not UTF-8 are stored back unchanged.
void CommandTableDialog::LoadSelectedRow() {
    m_argumentBox->setChecked(false);
    const int row = SelectedRow();
    if (row < 0) return;
    const app::OutAppSlot& slot = m_state.OutApps[static_cast<std::size_t>(row)];
    m_keyLabel->setText(RowKey(row));
    SetEditBytes(*m_nameEdit, slot.SettingName);
    m_argumentBox->setChecked(slot.ArgFlag == kYes);
    SetEditBytes(*m_commandEdit, slot.CommandText);
}

// With no row selected there is nothing to store into. The command keeps the
// case it was typed in: paths here tell upper from lower case.
void CommandTableDialog::Button1Click() {
    const int row = SelectedRow();
    if (row < 0) return;
    app::OutAppSlot& slot = m_state.OutApps[static_cast<std::size_t>(row)];
    slot.SettingName = EditBytes(*m_nameEdit);
    slot.ArgFlag = m_argumentBox->isChecked() ? kYes : kNo;
    slot.CommandText = EditBytes(*m_commandEdit);
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    item->setText(NameColumn, platform::DisplayText(slot.SettingName));
    item->setText(FlagColumn, platform::DisplayText(slot.ArgFlag));
    item->setText(CommandColumn, platform::DisplayText(slot.CommandText));
}

void CommandTableDialog::BitBtn1Click() {
    const int row = SelectedRow();
    if (const auto chosen =
            PickProgram(this, QString(), ProgramOfCommand(EditBytes(*m_commandEdit))))
        SetEditBytes(*m_commandEdit, *chosen);
    m_list->setFocus();
    if (row >= 0) {
        // Selecting the row again must not reload it over the chosen program.
        const QSignalBlocker quiet(m_list);
        SelectRow(row);
    }
}

} // namespace extapps
