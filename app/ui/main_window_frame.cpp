// The controls of the main window, built as the tables of the frame give them.

#include "application_setup.h"
#include "key_legend.h"
#include "main_window.h"
#include "text_viewer.h"
#include "tool_images.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace app {
namespace {

struct ToolButtonEntry {
    const char* name;
    const char* hint;
    int image;
};

// Left to right; separators after the third, the seventh and the fourteenth.
const ToolButtonEntry kToolButtons[] = {
    {"tlbtnBrowse", "フォルダー参照", 0},
    {"tlbtnUpOneLevel", "１つ上のﾌｫﾙﾀﾞｰへ", 1},
    {"tlbtnNewFd", "ﾌｫﾙﾀﾞｰの新規作成", 5},
    {"tlbtnDel", "削除", 2},
    {"tlbtnCopy", "コピー", 3},
    {"tlbtnMove", "移動", 4},
    {"tlbtnFindFile", "ﾌｧｲﾙ検索", 8},
    {"tlbtnFind", "検索・絞り込み", 7},
    {"tlbtnBai", "選択軸を２倍に変換", 6},
    {"tlbtnPlus", "ﾌｧｲﾙ結合", 9},
    {"tlbtnDivides", "ﾌｧｲﾙ分割", 10},
    {"tlbtnDecimal", "小数点付きに変更", 11},
    {"tlbtnDecimalC", "小数点無しに変換", 12},
    {"tlbtnLst", "変数リストを作成します。", 13},
    {"tlbcalculat", "計算機", 14},
};
constexpr int kSeparatorsAfter[] = {3, 7, 14};

// A menu item; a null name is a separator.
struct MenuItemEntry {
    const char* name;
    const char* text;
};

struct MenuEntry {
    const char* name;
    const char* title;
    std::vector<MenuItemEntry> items;
};

const MenuEntry kMenus[] = {
    {"Menu_file",
     "ﾌｧｲﾙ",
     {{"Menu_explorer", "ｴｸｽﾌﾟﾛｰﾗ"},
      {"Menu_control", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ"},
      {nullptr, nullptr},
      {"Menu_close", "閉じる"}}},
    {"Menu_edit",
     "編集",
     {{"Menu_delete", "削除"},
      {"Menu_copy", "ｺﾋﾟｰ"},
      {"Menu_move", "移動"},
      {"Menu_findfile", "検索"},
      {"Menu_view", "ﾌｧｲﾙﾋﾞｭｰ"},
      {nullptr, nullptr},
      {"Menu_rename", "名前変更"},
      {"Menu_fileinfo", "ﾌｧｲﾙ情報変更"},
      {nullptr, nullptr},
      {"Menu_selectall", "全て選択"}}},
    {"Menu_convert",
     "変換機能",
     {{"Menu_bai2", "指定軸２倍"},
      {"Menu_plus", "ﾃﾞｰﾀ結合"},
      {"Menu_divides", "Ｏ番号毎分割"},
      {"Menu_decimal", "小数点付き"},
      {"Menu_decimalc", "小数点無し"},
      {"Menu_lst", "変数リスト"}}},
    {"Menu_outapp", "外部ｱﾌﾟﾘ起動", {{"Menu_outappsetting", "設定"}}},
    {"Menu_editapp",
     "編集ｱﾌﾟﾘ",
     {{"Menu_editor", "ｴﾃﾞｨﾀ"}, {nullptr, nullptr}, {"Menu_editorsetting", "設定"}}},
    {"Menu_other", "その他", {{"Menu_shortcut", "ﾃﾞｨｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄ作成"}}},
    {"Menu_help",
     "ﾍﾙﾌﾟ",
     {{"Menu_homepage", "ﾎｰﾑﾍﾟｰｼﾞ"},
      {"Menu_mail", "ﾒｰﾙ"},
      {nullptr, nullptr},
      {"Menu_version", "ﾊﾞｰｼﾞｮﾝ情報"}}},
};

const MenuItemEntry kListMenuItems[] = {
    {"Popup_delete", "(&D)削除"}, {"Popup_copy", "(&C)ｺﾋﾟｰ"},         {"Popup_move", "(&M)移動"},
    {"Popup_find", "(&F)検索"},   {"Popup_view", "(&V)ﾌｧｲﾙﾋﾞｭｰ"},     {nullptr, nullptr},
    {"Popup_rename", "名前変更"}, {"Popup_fileinfo", "ﾌｧｲﾙ情報変更"}, {nullptr, nullptr},
    {"Popup_sort", "(&S)ｿｰﾄ"},
};

const std::vector<KeyLegend::Section> kLegendKeys1 = {
    {"L:ﾄﾞﾗｲﾌﾞ", 53}, {"←(BS)/→:ﾌｫﾙﾀﾞ入れ替え", 145},
    {"S:ｿｰﾄ", 43},    {"M:移動", 47},
    {"F:検索", 47},   {"D:削除", 47},
    {"C:ｺﾋﾟｰ", 47},   {"V:ﾋﾞｭｰ", 47},
    {"E:編集", 50},
};
const std::vector<KeyLegend::Section> kLegendKeys2 = {
    {"H:２倍", 47},     {"K:結合", 47},     {"B:分割", 47},      {"I:小数点付", 70},
    {"J:小数点無", 75}, {"N:変数確認", 75}, {"SP:ﾘｽﾄ更新", 100}, {"ESC :終了", 65},
};

constexpr int kListColumnWidths[] = {180, 60, 140, 120, 40};

// Every item starts disabled; the command that binds it enables it.
QAction* AddItem(QMenu* menu, const MenuItemEntry& item) {
    if (!item.name) {
        menu->addSeparator();
        return nullptr;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.text));
    action->setObjectName(item.name);
    action->setEnabled(false);
    return action;
}

} // namespace

void MainWindow::BuildToolBars() {
    auto* buttons = addToolBar("tlbrMyButtons");
    buttons->setObjectName("tlbrMyButtons");
    buttons->setMovable(false);
    buttons->setIconSize(QSize(16, 16));
    buttons->setFixedHeight(26 + 4);
    int index = 0;
    for (const auto& button : kToolButtons) {
        QAction* action = buttons->addAction(ToolImage(button.image), QString());
        action->setObjectName(button.name);
        action->setToolTip(QString::fromUtf8(button.hint));
        action->setEnabled(false);
        if (auto* widget = qobject_cast<QToolButton*>(buttons->widgetForAction(action))) {
            widget->setFixedSize(28, 27);
            widget->setAccessibleName(QString::fromUtf8(button.hint));
        }
        ++index;
        if (std::find(std::begin(kSeparatorsAfter), std::end(kSeparatorsAfter), index) !=
            std::end(kSeparatorsAfter)) {
            buttons->addSeparator();
        }
    }
    addToolBarBreak();
    auto* pathBand = addToolBar("ディレクトリ");
    pathBand->setObjectName("pathBand");
    pathBand->setMovable(false);
    pathBand->addWidget(new QLabel(" ディレクトリ ", pathBand));
    m_pathBox = new QComboBox(pathBand);
    m_pathBox->setObjectName("ComboBox1");
    m_pathBox->setEditable(true);
    m_pathBox->setInsertPolicy(QComboBox::NoInsert);
    m_pathBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pathBand->addWidget(m_pathBox);
}

void MainWindow::BuildMenus() {
    for (const auto& table : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(table.title));
        menu->setObjectName(table.name);
        for (const auto& item : table.items)
            AddItem(menu, item);
        if (std::string_view(table.name) != "Menu_outapp") continue;
        // The 26 command slots: hidden items on Alt+A .. Alt+Z, tags 2..27.
        for (int slot = 0; slot < kOutAppCount; ++slot) {
            const QChar letter('A' + slot);
            QAction* action = menu->addAction(QString("外部ｱﾌﾟﾘ%1").arg(letter));
            action->setObjectName(QString("Menu_outapp%1").arg(letter));
            action->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + slot)));
            action->setData(slot + 2);
            action->setVisible(false);
            action->setEnabled(false);
        }
    }
    QAction* close = findChild<QAction*>("Menu_close");
    close->setEnabled(true);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::BuildListMenu() {
    m_listMenu = new QMenu(this);
    m_listMenu->setObjectName("PopupMenu2");
    for (const auto& item : kListMenuItems)
        AddItem(m_listMenu, item);
}

QFrame* MainWindow::BuildStatusPanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFixedHeight(40);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setVerticalSpacing(0);
    m_pathLabel = new QLabel("Path", panel);
    m_pathLabel->setObjectName("Label1");
    m_countLabel = new QLabel("file", panel);
    m_countLabel->setObjectName("Label2");
    m_sortLabel = new QLabel("Sort", panel);
    m_sortLabel->setObjectName("Label3");
    m_maskBox = new QComboBox(panel);
    m_maskBox->setObjectName("ComboBox2");
    m_maskBox->setEditable(true);
    m_maskBox->setInsertPolicy(QComboBox::NoInsert);
    m_maskBox->setFixedWidth(135);
    layout->addWidget(m_pathLabel, 0, 0, 1, 2);
    layout->addWidget(m_countLabel, 1, 0);
    layout->addWidget(m_sortLabel, 1, 1);
    layout->addWidget(m_maskBox, 0, 2, 2, 1, Qt::AlignVCenter);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return panel;
}

void MainWindow::BuildCentralArea() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildStatusPanel());

    m_model = new filelist::FileListModel(m_types, m_images, this);
    m_fileList = new QTreeView(central);
    m_fileList->setObjectName("ListView1");
    m_fileList->setModel(m_model);
    m_fileList->setRootIsDecorated(false);
    m_fileList->setUniformRowHeights(true);
    m_fileList->setItemsExpandable(false);
    m_fileList->setAllColumnsShowFocus(true);
    m_fileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fileList->setDragEnabled(true);
    m_fileList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_fileList->setFont(ProgramFont());
    m_fileList->header()->setSectionsMovable(false);
    m_fileList->header()->setStretchLastSection(false);
    m_model->SetFont(ProgramFont());
    for (int column = 0; column < filelist::ColumnCount; ++column) {
        m_fileList->setColumnWidth(column, kListColumnWidths[column]);
    }
    connect(m_fileList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_listMenu->popup(m_fileList->viewport()->mapToGlobal(at));
    });
    layout->addWidget(m_fileList, 1);
    m_textViewer = new viewer::TextViewer(central);
    layout->addWidget(m_textViewer, 1);

    auto* legend1 = new KeyLegend(kLegendKeys1, central);
    legend1->setObjectName("HeaderControl1");
    auto* legend2 = new KeyLegend(kLegendKeys2, central);
    legend2->setObjectName("HeaderControl2");
    layout->addWidget(legend1);
    layout->addWidget(legend2);
    setCentralWidget(central);
}

} // namespace app
