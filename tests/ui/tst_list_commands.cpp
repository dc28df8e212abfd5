// The file list driven from the keyboard and the folder buttons: the single
// keys, opening rows, the parent folder step and the folder chooser.

#include "dialog_driver.h"
#include "folder_browser.h"
#include "sort_dialog.h"
#include "text_viewer.h"
#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>
#include <QUrl>

using testsupport::BoxRecorder;
using testsupport::DriveDialog;
using testsupport::Names;

namespace {

QString Selected(const app::MainWindow& window) {
    const auto rows = window.SelectedRows();
    return rows.size() == 1 ? QString::fromStdString(rows[0]->name)
                            : QString("(%1 rows)").arg(rows.size());
}

// Takes the URLs the desktop would open.
class OpenedUrls final : public QObject {
    Q_OBJECT

  public:
    OpenedUrls() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> urls;

  public slots:
    void Open(const QUrl& url) { urls << url; }
};

} // namespace

class ListCommandsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    QString Current() const { return QString::fromStdString(m_window->state().CurrentDir); }
    void Open(const QString& folder) {
        m_window = m_fixture->Open(folder);
        QVERIFY(testsupport::Activate(*m_window));
    }
    void Select(const QString& name) {
        m_window->SelectOnlyItem(m_window->fileModel()->FindName(name.toStdString()));
    }
    void Press(int key) { QTest::keyClick(m_window->fileList(), Qt::Key(key)); }
    void Type(char character) { QTest::keyClick(m_window->fileList(), character); }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        QDir().mkpath(Path("nc/Prog/inner"));
        QDir().mkpath(Path("nc/xray"));
        QVERIFY(m_fixture->Write("nc/PART.NC", "O1\r\n"));
        QVERIFY(m_fixture->Write("nc/x1.NC", "O2\r\n"));
        QVERIFY(m_fixture->Write("nc/Prog/IN.NC", "O3\r\n"));
    }
    void cleanup() { m_window.reset(); }

    void enterOpensFoldersAndFiles() {
        Open(Path("nc"));
        Select("Prog");
        Press(Qt::Key_Return);
        QCOMPARE(Current(), Path("nc/Prog"));
        QCOMPARE(m_window->pathBox()->currentText(), Path("nc/Prog"));
        QCOMPARE(m_window->pathBox()->itemText(0), Path("nc/Prog"));
        OpenedUrls opened;
        Select("IN.NC");
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        Press(Qt::Key_Return);
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(Path("nc/Prog/IN.NC"))});
        QCOMPARE(listed.count(), 0);
        QCOMPARE(Current(), Path("nc/Prog"));
        Select("..");
        Press(Qt::Key_Return);
        QCOMPARE(Current(), Path("nc"));
        QCOMPARE(Selected(*m_window), QString("Prog"));
    }

    void doubleClickOpensTheRow() {
        Open(Path("nc"));
        Select("Prog");
        emit m_window->fileList()->doubleClicked(m_window->fileList()->currentIndex());
        QCOMPARE(Current(), Path("nc/Prog"));
    }

    void parentStepSelectsTheFolderLeft_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("backspace") << int(Qt::Key_Backspace);
        QTest::newRow("left arrow") << int(Qt::Key_Left);
        QTest::newRow("button") << 0;
    }
    void parentStepSelectsTheFolderLeft() {
        QFETCH(int, key);
        Open(Path("nc/Prog/inner"));
        if (key == 0) {
            m_window->findChild<QAction*>("tlbtnUpOneLevel")->trigger();
        } else {
            Press(key);
        }
        QCOMPARE(Current(), Path("nc/Prog"));
        QCOMPARE(Selected(*m_window), QString("inner"));
        QVERIFY(m_window->fileList()->currentIndex().row() ==
                m_window->fileModel()->FindName("inner"));
    }

    void parentStepFindsAFolderTypedInAnotherCase() {
        QDir().mkpath(Path("nc/PROG"));
        Open(Path("nc/PROG"));
        QCOMPARE(Current(), Path("nc/PROG"));
        QDir().rmdir(Path("nc/PROG"));
        Press(Qt::Key_Backspace);
        QCOMPARE(Selected(*m_window), QString("Prog"));
    }

    void rootHasNoParentStep() {
        Open("/");
        QVERIFY(!Names(*m_window).contains(".."));
        Press(Qt::Key_Backspace);
        Press(Qt::Key_Left);
        m_window->findChild<QAction*>("tlbtnUpOneLevel")->trigger();
        QCOMPARE(Current(), QString("/"));
    }

    void rightArrowEntersOnlyFolders() {
        Open(Path("nc"));
        Select("PART.NC");
        Press(Qt::Key_Right);
        QCOMPARE(Current(), Path("nc"));
        Select("..");
        Press(Qt::Key_Right);
        QCOMPARE(Current(), Path("nc"));
        Select("Prog");
        Press(Qt::Key_Right);
        QCOMPARE(Current(), Path("nc/Prog"));
    }

    void lettersWithoutACommandChangeNothing() {
        Open(Path("nc"));
        Select("PART.NC");
        BoxRecorder recorder;
        for (const char letter : {'x', 'X', 'q', 'z', '1'})
            Type(letter);
        QCOMPARE(Selected(*m_window), QString("PART.NC"));
        QCOMPARE(Current(), Path("nc"));
        QVERIFY(recorder.boxes.isEmpty());
    }

    void inPlaceEditingLetsTheListTypeAhead() {
        Open(Path("nc"));
        Select("PART.NC");
        m_window->state().InPlaceEditing = true;
        BoxRecorder recorder;
        QVERIFY(!DriveDialog<QDialog>([&] { Type('x'); }, [](QDialog&) {}));
        QCOMPARE(Selected(*m_window), QString("x1.NC"));
        QTest::mouseClick(
            m_window->fileList()->viewport(), Qt::LeftButton, {},
            m_window->fileList()->visualRect(m_window->fileList()->currentIndex()).center());
        QVERIFY(!m_window->state().InPlaceEditing);
        QString shown;
        QVERIFY(DriveDialog<QDialog>([&] { Type('i'); },
                                     [&](QDialog& dialog) { shown = dialog.windowTitle(); }));
        QCOMPARE(shown, QString("小数点付きに変換"));
    }

    void enterEndsInPlaceEditingAndOpens() {
        Open(Path("nc"));
        Select("Prog");
        m_window->state().InPlaceEditing = true;
        Press(Qt::Key_Return);
        QVERIFY(!m_window->state().InPlaceEditing);
        QCOMPARE(Current(), Path("nc/Prog"));
    }

    void spaceRelistsKeepingTheRow() {
        Open(Path("nc"));
        Select("x1.NC");
        QVERIFY(m_fixture->Write("nc/NEW.NC", "O9\r\n"));
        Type(' ');
        QVERIFY(Names(*m_window).contains("NEW.NC"));
        QCOMPARE(Selected(*m_window), QString("x1.NC"));
    }

    void escapeClosesTheWindow() {
        Open(Path("nc"));
        Press(Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
    }

    void sOpensTheSortDialog() {
        Open(Path("nc"));
        QVERIFY(DriveDialog<filelist::SortDialog>([&] { Type('s'); }, [](auto&) {}));
    }

    void keyReleaseHidesTheAltOverlay() {
        Open(Path("nc"));
        m_window->state().AltPanelShown = true;
        m_window->state().InPlaceEditing = true;
        QTest::keyRelease(m_window->fileList(), Qt::Key_A);
        QVERIFY(!m_window->state().AltPanelShown);
    }

    void volumeMenuListsTheChosenVolume() {
        Open(Path("nc"));
        Type('l');
        auto* menu = m_window->findChild<QMenu*>("PopupMenu1");
        QVERIFY(menu && menu->isVisible());
        const QList<QAction*> items = menu->actions();
        QVERIFY(!items.isEmpty());
        QCOMPARE(items[0]->text(), QString("&1 / (固定ﾃﾞｨｽｸ)"));
        const QRect frame = m_window->frameGeometry();
        QCOMPARE(menu->pos(), QPoint(frame.left() + 30,
                                     frame.bottom() + 1 - m_window->fileList()->height() / 2));
        items[0]->trigger();
        QCOMPARE(Current(), QString("/"));
        QCOMPARE(m_window->pathBox()->itemText(0), QString("/"));
    }

    void watcherRelistsTheFolderShown() {
        Open(Path("nc"));
        Select("x1.NC");
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        QVERIFY(testsupport::WriteBytes(Path("nc/BY_OTHER.NC"), "O5\r\n"));
        QVERIFY(listed.wait(3000));
        QVERIFY(Names(*m_window).contains("BY_OTHER.NC"));
        QCOMPARE(Selected(*m_window), QString("x1.NC"));
        Select("Prog");
        Press(Qt::Key_Return);
        listed.clear();
        QVERIFY(testsupport::WriteBytes(Path("nc/OLD_FOLDER.NC"), "O6\r\n"));
        QVERIFY(!listed.wait(1800));
        QVERIFY(testsupport::WriteBytes(Path("nc/Prog/NEW_FOLDER.NC"), "O7\r\n"));
        QVERIFY(listed.wait(3000));
        QVERIFY(Names(*m_window).contains("NEW_FOLDER.NC"));
    }

    void viewerTakesThePlaceOfTheList() {
        QVERIFY(m_fixture->Write("nc/PART.NC", "O1\r\nX1.\r\n"));
        Open(Path("nc"));
        const QString caption = m_window->windowTitle();
        Select("PART.NC");
        Type('v');
        auto* view = m_window->findChild<viewer::TextViewer*>("TextView");
        QVERIFY(view->isVisible());
        QVERIFY(!m_window->fileList()->isVisible());
        QCOMPARE(m_window->windowTitle(), QString("View -> PART.NC"));
        QCOMPARE(view->visibleLines().mid(0, 2), (QStringList{"O1", "X1."}));
        QStringList menus;
        for (QAction* menu : m_window->menuBar()->actions()) {
            if (menu->isVisible()) menus << menu->text();
        }
        QCOMPARE(menus, (QStringList{"閉じる", "検索"}));
        view->closeAction()->trigger();
        QVERIFY(!view->isVisible());
        QVERIFY(m_window->fileList()->isVisible());
        QCOMPARE(m_window->windowTitle(), caption);
        QCOMPARE(Selected(*m_window), QString("PART.NC"));
        QTRY_VERIFY(m_window->fileList()->hasFocus());
    }

    void viewerRefusesAFolder() {
        Open(Path("nc"));
        Select("Prog");
        BoxRecorder recorder;
        m_window->findChild<QAction*>("Menu_view")->trigger();
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text,
                 QString("ﾌｧｲﾙを選択して下さい。\n(ﾌｫﾙﾀﾞ選択は不可です。)"));
        QVERIFY(m_window->fileList()->isVisible());
    }

    void browseListsTheChosenFolder() {
        Open(Path("nc"));
        QString title;
        QVERIFY(DriveDialog<QFileDialog>(
            [&] { m_window->findChild<QAction*>("tlbtnBrowse")->trigger(); },
            [&](QFileDialog& dialog) {
                title = dialog.windowTitle();
                QCOMPARE(dialog.directory().absolutePath(), Path("nc"));
                dialog.setDirectory(Path("nc/Prog"));
                static_cast<QDialog&>(dialog).accept();
            }));
        QCOMPARE(title, QString("現ﾃﾞｨﾚｸﾄﾘ %1").arg(Path("nc")));
        QCOMPARE(Current(), Path("nc/Prog"));
        QCOMPARE(m_window->pathBox()->itemText(0), Path("nc/Prog"));
    }

    void browserGivesTheStartFolderBackOnCancel() {
        QWidget owner;
        std::string result = "unset";
        DriveDialog<QFileDialog>(
            [&] { result = platform::BrowseForFolder(&owner, "t", Path("nc").toStdString()); },
            [](QFileDialog& dialog) { dialog.reject(); });
        QCOMPARE(QString::fromStdString(result), Path("nc"));
        DriveDialog<QFileDialog>(
            [&] { result = platform::BrowseForFolder(&owner, "t", Path("gone").toStdString()); },
            [](QFileDialog& dialog) { dialog.reject(); });
        QCOMPARE(result, std::string());
    }
};

QTEST_MAIN(ListCommandsTest)
#include "tst_list_commands.moc"
