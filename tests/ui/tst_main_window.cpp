// The main window driven as a user would, on the offscreen platform.

#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <memory>

using app::MainWindow;

namespace {

using testsupport::BoxRecorder;
using testsupport::DropOn;
using testsupport::ReadBytes;

QStringList ItemTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* action : actions)
        texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    QString Path(const QString& name) const { return m_fixture->Path(name); }
    std::unique_ptr<MainWindow> Open(const QString& folder) { return m_fixture->Open(folder); }
    std::unique_ptr<MainWindow> OpenWithSettings() { return m_fixture->OpenWithSettings(); }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        QDir().mkpath(Path("start/SUB"));
        QVERIFY(m_fixture->Write("start/B.NC", "O1\r\n"));
        QVERIFY(m_fixture->Write("start/a.txt", "x"));
    }

    void frameHasTheMenusOfTheTable() {
        auto window = Open(Path("start"));
        QStringList titles;
        for (QAction* menu : window->menuBar()->actions()) {
            if (menu->isVisible()) titles << menu->text();
        }
        QCOMPARE(titles, (QStringList{"ﾌｧｲﾙ", "編集", "変換機能", "外部ｱﾌﾟﾘ起動", "編集ｱﾌﾟﾘ",
                                      "その他", "ﾍﾙﾌﾟ"}));
        const auto items = [&](const char* name) {
            return ItemTexts(window->findChild<QMenu*>(name)->actions());
        };
        QCOMPARE(items("Menu_file"), (QStringList{"ｴｸｽﾌﾟﾛｰﾗ", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ", "-", "閉じる"}));
        QCOMPARE(items("Menu_edit"), (QStringList{"削除", "ｺﾋﾟｰ", "移動", "検索", "ﾌｧｲﾙﾋﾞｭｰ", "-",
                                                  "名前変更", "ﾌｧｲﾙ情報変更", "-", "全て選択"}));
        QCOMPARE(items("Menu_convert"), (QStringList{"指定軸２倍", "ﾃﾞｰﾀ結合", "Ｏ番号毎分割",
                                                     "小数点付き", "小数点無し", "変数リスト"}));
        QCOMPARE(items("Menu_editapp"), (QStringList{"ｴﾃﾞｨﾀ", "-", "設定"}));
        QCOMPARE(items("Menu_other"), QStringList{"ﾃﾞｨｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄ作成"});
        QCOMPARE(items("Menu_help"), (QStringList{"ﾎｰﾑﾍﾟｰｼﾞ", "ﾒｰﾙ", "-", "ﾊﾞｰｼﾞｮﾝ情報"}));
        const QList<QAction*> outApps = window->findChild<QMenu*>("Menu_outapp")->actions();
        QCOMPARE(outApps.size(), 27);
        QCOMPARE(outApps[0]->text(), QString("設定"));
        for (int slot = 0; slot < 26; ++slot) {
            QAction* item = outApps[slot + 1];
            QCOMPARE(item->text(), QString("外部ｱﾌﾟﾘ%1").arg(QChar('A' + slot)));
            QCOMPARE(item->shortcut(), QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + slot)));
            QCOMPARE(item->data().toInt(), slot + 2);
            QVERIFY(!item->isVisible());
        }
        QCOMPARE(ItemTexts(window->listMenu()->actions()),
                 (QStringList{"(&D)削除", "(&C)ｺﾋﾟｰ", "(&M)移動", "(&F)検索", "(&V)ﾌｧｲﾙﾋﾞｭｰ", "-",
                              "名前変更", "ﾌｧｲﾙ情報変更", "-", "(&S)ｿｰﾄ"}));
    }

    void toolBarHasItsButtonsAndHints() {
        auto window = Open(Path("start"));
        auto* bar = window->findChild<QToolBar*>("tlbrMyButtons");
        QStringList hints;
        for (QAction* action : bar->actions())
            hints << (action->isSeparator() ? "-" : action->toolTip());
        QCOMPARE(hints,
                 (QStringList{"フォルダー参照", "１つ上のﾌｫﾙﾀﾞｰへ", "ﾌｫﾙﾀﾞｰの新規作成", "-", "削除",
                              "コピー", "移動", "ﾌｧｲﾙ検索", "-", "検索・絞り込み",
                              "選択軸を２倍に変換", "ﾌｧｲﾙ結合", "ﾌｧｲﾙ分割", "小数点付きに変更",
                              "小数点無しに変換", "変数リストを作成します。", "-", "計算機"}));
        const QStringList working = {
            "tlbtnBrowse",  "tlbtnUpOneLevel", "tlbtnBai",      "tlbtnPlus",  "tlbtnDivides",
            "tlbtnDecimal", "tlbtnDecimalC",   "tlbtnLst",      "tlbtnNewFd", "tlbtnDel",
            "tlbtnCopy",    "tlbtnMove",       "tlbtnFindFile", "tlbtnFind",  "tlbcalculat"};
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) continue;
            QVERIFY(action->isVisible());
            QVERIFY2(action->isEnabled() == working.contains(action->objectName()),
                     qPrintable(action->objectName()));
            QVERIFY(!action->icon().isNull());
            QCOMPARE(bar->widgetForAction(action)->accessibleName(), action->toolTip());
        }
        QVERIFY(window->findChild<QAction*>("tlbtnBai"));
        QVERIFY(window->findChild<QAction*>("Menu_close")->isEnabled());
    }

    void legendsAndColumnsHaveTheirTextsAndWidths() {
        auto window = Open(Path("start"));
        const auto sections = [&](const char* name) {
            auto* header = window->findChild<QHeaderView*>(name);
            QStringList texts;
            for (int i = 0; i < header->count(); ++i) {
                texts << QString("%1 %2")
                             .arg(header->model()->headerData(i, Qt::Horizontal).toString())
                             .arg(header->sectionSize(i));
            }
            return texts;
        };
        QCOMPARE(sections("HeaderControl1"),
                 (QStringList{"L:ﾄﾞﾗｲﾌﾞ 53", "←(BS)/→:ﾌｫﾙﾀﾞ入れ替え 145", "S:ｿｰﾄ 43", "M:移動 47",
                              "F:検索 47", "D:削除 47", "C:ｺﾋﾟｰ 47", "V:ﾋﾞｭｰ 47", "E:編集 50"}));
        QCOMPARE(window->findChild<QHeaderView*>("HeaderControl2")->accessibleName(),
                 QString("H:２倍  K:結合  B:分割  I:小数点付  J:小数点無  N:変数確認  SP:ﾘｽﾄ更新  "
                         "ESC :終了"));
        QCOMPARE(sections("HeaderControl2"),
                 (QStringList{"H:２倍 47", "K:結合 47", "B:分割 47", "I:小数点付 70",
                              "J:小数点無 75", "N:変数確認 75", "SP:ﾘｽﾄ更新 100", "ESC :終了 65"}));
        QTreeView* list = window->fileList();
        QStringList columns;
        for (int i = 0; i < 5; ++i) {
            columns << QString("%1 %2")
                           .arg(list->model()->headerData(i, Qt::Horizontal).toString())
                           .arg(list->columnWidth(i));
        }
        QCOMPARE(columns,
                 (QStringList{"名前 180", "ｻｲｽﾞ 60", "種類 140", "更新日時 120", "属性 40"}));
        QCOMPARE(window->maskBox()->width(), 135);
    }

    void showSetsCaptionBoxesAndListsAtFirstIdle() {
        auto window = Open(Path("start"));
        QCOMPARE(window->windowTitle(), QString("Tornwel Ver2.25 (Win98/Me/2000/Xp)"));
        QCOMPARE(window->pathBox()->currentText(), Path("start"));
        QCOMPARE(window->maskBox()->currentText(), QString("*.*"));
        QCOMPARE(window->minimumSize(), QSize(560, 400));
        QVERIFY(window->acceptDrops());
        QTRY_COMPARE(window->fileModel()->rowCount(), 4);
        QCOMPARE(window->fileModel()->Row(0).caption, QString(".."));
        QCOMPARE(window->fileModel()->Row(1).caption, QString("SUB"));
        QCOMPARE(window->state().VersionText, std::string("2.25"));
        QCOMPARE(window->state().FolderImage, 16);
        QCOMPARE(window->state().FileImage, 15);
        QVERIFY(window->state().ComboMouseDown);
    }

    void firstStartUsesTheDefaultBounds() {
        auto window = OpenWithSettings();
        QCOMPARE(window->pos(), QPoint(10, 10));
        QCOMPARE(window->width(), 560);
        QCOMPARE(window->height(), 400); // 380 stored, raised to the minimum
        QCOMPARE(window->fileList()->columnWidth(3), 120);
    }

    void closeSavesTheSettings() {
        auto window = Open(Path("start"));
        window->fileList()->setColumnWidth(0, 222);
        window->state().SortKey = "D";
        window->resize(700, 500);
        QVERIFY(window->close());
        app::MainState loaded;
        app::LoadSettings(Path("tornwel.INI").toStdString(), loaded);
        QCOMPARE(loaded.ColumnWidths[0], 222);
        QCOMPARE(loaded.SortKey, std::string("D"));
        QCOMPARE(loaded.Bounds.Width, 700);
        QCOMPARE(loaded.Bounds.Height, 500);
        QCOMPARE(loaded.CurrentDir, Path("start").toStdString());
    }

    void unwritableSettingsAreReportedAndTheWindowStays() {
        auto window = Open(Path("start"));
        BoxRecorder recorder;
        QFile::remove(Path("tornwel.INI"));
        QDir().mkdir(Path("tornwel.INI"));
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
        QVERIFY(recorder.boxes[0].text.contains(Path("tornwel.INI")));
    }

    void missingStartFolderAnsweredNoGoesHome() {
        BoxRecorder recorder;
        recorder.answer = platform::IDNO;
        auto window = Open(Path("gone/deeper"));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text,
                 QString("ディレクトリが見つかりません。ディレクトリを作成しますか？"));
        QCOMPARE(recorder.boxes[0].caption, QString("警告"));
        QCOMPARE(recorder.boxes[0].buttons, platform::MessageButtons::YesNo);
        QVERIFY(recorder.boxes[0].besideOwner);
        QCOMPARE(window->state().CurrentDir, app::DefaultStartFolder());
        QCOMPARE(window->pathBox()->currentText(),
                 QString::fromStdString(app::DefaultStartFolder()));
        QVERIFY(!QDir(Path("gone")).exists());
    }

    void missingStartFolderAnsweredYesIsCreated() {
        BoxRecorder recorder;
        recorder.answer = platform::IDYES;
        auto window = Open(Path("gone/deeper"));
        QCOMPARE(recorder.boxes.size(), 1);
        QVERIFY(QDir(Path("gone/deeper")).exists());
        QCOMPARE(window->state().CurrentDir, Path("gone/deeper").toStdString());
    }

    void droppedFilesAreCopiedIntoTheFolder() {
        auto window = Open(Path("start"));
        BoxRecorder recorder;
        QVERIFY(m_fixture->Write("elsewhere/ONE.NC", "1"));
        QVERIFY(m_fixture->Write("elsewhere/TREE/TWO.NC", "2"));
        DropOn(window.get(), {QUrl::fromLocalFile(Path("elsewhere/ONE.NC")),
                              QUrl::fromLocalFile(Path("elsewhere/TREE"))});
        QVERIFY(QFile::exists(Path("start/ONE.NC")));
        QVERIFY(QFile::exists(Path("start/TREE/TWO.NC")));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, QString("2個のﾌｧｲﾙをｺﾋﾟｰしました。"));
        QCOMPARE(recorder.boxes[0].caption, QString("確認"));
        QCOMPARE(window->state().OpCount, 2);
        QVERIFY(window->fileModel()->FindName("ONE.NC") >= 0);
    }

    void dropOfNothingCopiedShowsNothing() {
        auto window = Open(Path("start"));
        BoxRecorder recorder;
        DropOn(window.get(), {QUrl::fromLocalFile(Path("start/B.NC"))}); // onto itself
        QCOMPARE(window->state().OpCount, 0);
        QCOMPARE(recorder.boxes.size(), 1); // the reason, and no count
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(ReadBytes(Path("start/B.NC")), QByteArray("O1\r\n"));
    }

    void selectOnlyItemLeavesOneRowSelected() {
        auto window = Open(Path("start"));
        QTRY_COMPARE(window->fileModel()->rowCount(), 4);
        window->fileList()->selectAll();
        window->SelectOnlyItem(2);
        const auto rows = window->fileList()->selectionModel()->selectedRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].row(), 2);
        QCOMPARE(window->fileList()->currentIndex().row(), 2);
    }

    void rememberWindowRectOnlyWhenActive() {
        auto window = Open(Path("start"));
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        window->RememberWindowRect();
        QCOMPARE(window->state().WindowRect, (std::array<int, 4>{0, 0, 0, 0}));
        QApplication::setActiveWindow(window.get());
        window->RememberWindowRect();
        const QRect frame = window->frameGeometry();
        QCOMPARE(window->state().WindowRect,
                 (std::array<int, 4>{frame.x(), frame.y(), frame.width(), frame.height()}));
    }

    void closeMenuItemClosesTheWindow() {
        auto window = Open(Path("start"));
        window->findChild<QAction*>("Menu_close")->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(QFile::exists(Path("tornwel.INI")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
