// The path and mask boxes with their history lists, header clicks and the
// sort dialog, through the real main window.

#include "dialog_driver.h"
#include "history_list.h"
#include "path_mask_boxes.h"
#include "sort_dialog.h"
#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <fcntl.h>
#include <sys/stat.h>

using testsupport::BoxRecorder;
using testsupport::DriveDialog;
using testsupport::History;
using testsupport::Items;
using testsupport::Names;

namespace {

void TypeAndEnter(QComboBox* box, const QString& text) {
    testsupport::TypeInto(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

void SetModified(const QString& path, time_t seconds) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

} // namespace

class BoxesSortingTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    std::string Settings(const char* name) const { return m_fixture->Bytes(name); }
    QComboBox* PathBox() const { return m_window->pathBox(); }
    QComboBox* MaskBox() const { return m_window->maskBox(); }
    QStringList FileRows() const { return Names(*m_window).mid(m_window->state().FolderCount); }
    void Open(const QString& folder) {
        m_window = m_fixture->Open(folder);
        QVERIFY(testsupport::Activate(*m_window));
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        qputenv("HOME", Path("home").toUtf8());
        QDir().mkpath(Path("home/progs"));
        QDir().mkpath(Path("nc/SUB/deeper"));
        QDir().mkpath(Path("nc/Alpha"));
        QVERIFY(m_fixture->Write("nc/b.nc", QByteArray(3000, 'x')));
        QVERIFY(m_fixture->Write("nc/A.TXT", QByteArray(10, 'x')));
        QVERIFY(m_fixture->Write("nc/c.NC", QByteArray(5000, 'x')));
        SetModified(Path("nc/b.nc"), 1700000000);
        SetModified(Path("nc/A.TXT"), 1600000000);
        SetModified(Path("nc/c.NC"), 1650000000);
        QFile::setPermissions(Path("nc/A.TXT"), QFileDevice::ReadOwner);
    }
    void cleanup() { m_window.reset(); }

    // "@" stands for the fixture's folder.
    void pathBoxListsTypedFolders_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::newRow("trailing slash") << "@/nc/SUB/"
                                        << "@/nc/SUB";
        QTest::newRow("relative") << "SUB/deeper"
                                  << "@/nc/SUB/deeper";
        QTest::newRow("dot dot") << "SUB/../Alpha"
                                 << "@/nc/Alpha";
        QTest::newRow("home") << "~/progs"
                              << "@/home/progs";
        QTest::newRow("root") << "/"
                              << "/";
    }
    void pathBoxListsTypedFolders() {
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        typed.replace("@", Path("."));
        listed.replace("@", QDir(Path(".")).absolutePath());
        Open(Path("nc"));
        BoxRecorder recorder;
        TypeAndEnter(PathBox(), typed);
        QVERIFY(recorder.boxes.isEmpty());
        QCOMPARE(QString::fromStdString(m_window->state().CurrentDir), listed);
        QCOMPARE(PathBox()->currentText(), listed);
        QCOMPARE(Items(PathBox()).first(), listed);
        QCOMPARE(Names(*m_window).contains(".."), listed != "/");
    }

    void missingFolderIsCreatedOnlyWhenAsked_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(platform::IDYES);
        QTest::newRow("no") << int(platform::IDNO);
    }
    void missingFolderIsCreatedOnlyWhenAsked() {
        QFETCH(int, answer);
        Open(Path("nc"));
        BoxRecorder recorder;
        recorder.answer = answer;
        TypeAndEnter(PathBox(), Path("nc/NEW/ONE"));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text,
                 QString("ディレクトリが有りません。\n%1を作成しますか？").arg(Path("nc/NEW/ONE")));
        QCOMPARE(recorder.boxes[0].caption, QString("警告"));
        QVERIFY(recorder.boxes[0].besideOwner);
        const bool yes = answer == platform::IDYES;
        QCOMPARE(QFileInfo(Path("nc/NEW/ONE")).isDir(), yes);
        const QString listed = yes ? Path("nc/NEW/ONE") : Path("nc");
        QCOMPARE(QString::fromStdString(m_window->state().CurrentDir), listed);
        QCOMPARE(PathBox()->currentText(), listed);
        QCOMPARE(Items(PathBox()).first(), listed);
    }

    void refusedCharactersAreExplained() {
        Open(Path("nc"));
        BoxRecorder recorder;
        PathBox()->lineEdit()->clear();
        QTest::keyClicks(PathBox(), "a?b:c\\.d");
        QCOMPARE(PathBox()->currentText(), QString("ab:c.d"));
        QCOMPARE(recorder.boxes.size(), 2);
        QCOMPARE(recorder.boxes[0].text,
                 QString("この文字はフォルダー名に使えません。\n\\:,;*?<>|."));
        QCOMPARE(recorder.boxes[0].caption, QString("確認"));
        MaskBox()->lineEdit()->clear();
        QTest::keyClicks(MaskBox(), "*.n?c,|:");
        QCOMPARE(MaskBox()->currentText(), QString("*.NC,|"));
        QCOMPARE(recorder.boxes.size(), 4);
        QCOMPARE(recorder.boxes[3].text, QString("この文字はフォルダー名に使えません。\n\\:;?<>"));
    }

    void maskIsCompleted_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("mask");
        QTest::newRow("bare") << "nc"
                              << "*.NC";
        QTest::newRow("dot") << ".nc"
                             << "*.NC";
        QTest::newRow("star") << "*.txt"
                              << "*.TXT";
    }
    void maskIsCompleted() {
        QFETCH(QString, typed);
        QFETCH(QString, mask);
        Open(Path("nc"));
        TypeAndEnter(MaskBox(), typed);
        QCOMPARE(MaskBox()->currentText(), mask);
        QCOMPARE(QString::fromStdString(m_window->state().FileMask), mask);
        QCOMPARE(Items(MaskBox()).first(), mask);
        QVERIFY(!FileRows().isEmpty());
        for (const QString& name : FileRows())
            QVERIFY2(name.endsWith(mask.mid(1), Qt::CaseInsensitive), qPrintable(name));
    }

    void listPickActsOnlyWithTheMouse() {
        filelist::SaveHistoryFile(Settings("MainPath.LST"),
                                  {Path("nc").toStdString(), Path("nc/SUB").toStdString(), "",
                                   Path("nc/Alpha").toStdString()});
        Open(Path("nc"));
        QCOMPARE(Items(PathBox()), (QStringList{Path("nc"), Path("nc/SUB"), "", Path("nc/Alpha")}));
        QTest::keyClick(PathBox(), Qt::Key_Down);
        QCOMPARE(PathBox()->currentText(), Path("nc/SUB"));
        QCOMPARE(QString::fromStdString(m_window->state().CurrentDir), Path("nc"));

        QTest::mousePress(PathBox(), Qt::LeftButton, {}, QPoint(PathBox()->width() - 5, 5));
        QVERIFY(m_window->state().ComboMouseDown);
        PathBox()->hidePopup();
        PathBox()->setCurrentIndex(3);
        emit PathBox()->activated(3);
        QCOMPARE(QString::fromStdString(m_window->state().CurrentDir), Path("nc/Alpha"));
        QCOMPARE(Items(PathBox()), (QStringList{Path("nc/Alpha"), Path("nc"), Path("nc/SUB")}));
        QCOMPARE(Names(*m_window).mid(0, 1), QStringList{".."});
        QVERIFY(!m_window->state().ComboMouseDown);
    }

    void maskPickCompletesAndMovesToTop() {
        filelist::SaveHistoryFile(Settings("Mask.LST"), {"*.*", "TXT", "*.NC"});
        Open(Path("nc"));
        QTest::mousePress(MaskBox(), Qt::LeftButton, {}, QPoint(MaskBox()->width() - 5, 5));
        MaskBox()->hidePopup();
        MaskBox()->setCurrentIndex(1);
        emit MaskBox()->activated(1);
        QCOMPARE(QString::fromStdString(m_window->state().FileMask), QString("*.TXT"));
        QCOMPARE(Items(MaskBox()), (QStringList{"*.TXT", "*.*", "TXT", "*.NC"}));
        QCOMPARE(FileRows(), QStringList{"A.TXT"});
    }

    void listsAreWrittenAtClose() {
        filelist::SaveHistoryFile(Settings("MainPath.LST"), {"", Path("nc/SUB").toStdString()});
        Open(Path("nc"));
        TypeAndEnter(PathBox(), "SUB");
        TypeAndEnter(MaskBox(), "nc");
        QVERIFY(m_window->close());
        QCOMPARE(History(Settings("MainPath.LST")), (QStringList{Path("nc/SUB")}));
        QCOMPARE(History(Settings("Mask.LST")), (QStringList{"*.NC"}));
        app::MainState saved;
        app::LoadSettings(m_fixture->SettingsPath(), saved);
        QCOMPARE(saved.CurrentDir, Path("nc/SUB").toStdString());
    }

    void unwritableListKeepsTheWindowOpen() {
        Open(Path("nc"));
        QDir().mkdir(Path("Mask.LST"));
        BoxRecorder recorder;
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());
        QCOMPARE(recorder.boxes.size(), 1);
        QVERIFY(recorder.boxes[0].text.contains(Path("Mask.LST")));
        QCOMPARE(History(Settings("MainPath.LST")), QStringList{Path("nc")});
    }

    void headerClickFlipsOnlyTheSameColumn() {
        Open(Path("nc"));
        auto* header = m_window->fileList()->header();
        const auto click = [&](int column) {
            emit header->sectionClicked(column);
            return QString::fromStdString(m_window->state().SortKey +
                                          m_window->state().SortDirection);
        };
        QCOMPARE(click(0), QString("ND"));
        QCOMPARE(FileRows(), (QStringList{"c.NC", "b.nc", "A.TXT"}));
        QCOMPARE(m_window->sortLabel()->text(), QString("ソートタイプ： 名前   向き： 降順"));
        QCOMPARE(click(0), QString("NU"));
        QCOMPARE(click(1), QString("SU"));
        QCOMPARE(click(1), QString("SD"));
        QCOMPARE(click(3), QString("DD"));
        QCOMPARE(Names(*m_window).mid(0, 3), (QStringList{"..", "Alpha", "SUB"}));
    }

    // The texts of the sorted column, top to bottom, in ascending order.
    void everyKeyOrdersTheFileRows_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("name") << "N" << 0 << QStringList{"A.TXT", "b.nc", "c.NC"};
        QTest::newRow("size") << "S" << 1 << QStringList{"1KB", "3KB", "5KB"};
        QTest::newRow("attributes") << "A" << 4 << QStringList{"", "", "R"};
    }
    void everyKeyOrdersTheFileRows() {
        QFETCH(QString, key);
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        Open(Path("nc"));
        m_window->SelectOnlyItem(m_window->fileModel()->FindName("b.nc"));
        for (const QString direction : {"U", "D"}) {
            m_window->state().SortKey = key.toStdString();
            m_window->state().SortDirection = direction.toStdString();
            m_window->RefreshFileList(false, true, true);
            QStringList expected = ascending;
            if (direction == "D") std::reverse(expected.begin(), expected.end());
            const auto* model = m_window->fileModel();
            QStringList texts;
            for (int row = m_window->state().FolderCount; row < model->rowCount(); ++row)
                texts << model->data(model->index(row, column), Qt::DisplayRole).toString();
            QCOMPARE(texts, expected);
            QCOMPARE(Names(*m_window).mid(0, 3), (QStringList{"..", "Alpha", "SUB"}));
            const auto rows = m_window->SelectedRows();
            QCOMPARE(rows.size(), std::size_t{1});
            QCOMPARE(rows[0]->name, std::string("b.nc"));
        }
    }

    void timeOrdersNewestFirstWhenDescending() {
        Open(Path("nc"));
        m_window->state().SortKey = "D";
        m_window->state().SortDirection = "D";
        m_window->RefreshFileList(false, true, true);
        QCOMPARE(FileRows(), (QStringList{"b.nc", "c.NC", "A.TXT"}));
    }

    void sortDialogTakesKindAndDirection() {
        Open(Path("nc"));
        m_window->state().SortKey = "S";
        m_window->state().SortDirection = "D";
        QVERIFY(DriveDialog<filelist::SortDialog>(
            [&] { m_window->OpenSortDialog(); },
            [&](filelist::SortDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("ソートタイプ"));
                QCOMPARE(dialog.kinds()->checkedButton()->text(), QString("ｻｲｽﾞ"));
                QCOMPARE(dialog.directions()->checkedButton()->text(), QString("降順"));
                QTRY_VERIFY(dialog.kinds()->checkedButton()->hasFocus());
                const auto focused = [] {
                    return qobject_cast<QAbstractButton*>(QApplication::focusWidget());
                };
                QTest::keyClick(focused(), Qt::Key_Down);
                QCOMPARE(dialog.kinds()->checkedButton()->text(), QString("種類"));
                QTRY_VERIFY(dialog.directions()->buttons().contains(focused()));
                dialog.kinds()->button(3)->click();
                QTRY_VERIFY(dialog.directions()->buttons().contains(focused()));
                QTest::keyClick(focused(), Qt::Key_Right);
                QCOMPARE(dialog.directions()->checkedButton()->text(), QString("昇順"));
                QTRY_VERIFY(dialog.okButton()->hasFocus());
                QTest::keyClick(dialog.okButton(), Qt::Key_Return);
            }));
        QCOMPARE(m_window->state().SortKey, std::string("D"));
        QCOMPARE(m_window->state().SortDirection, std::string("U"));
        QCOMPARE(FileRows(), (QStringList{"A.TXT", "c.NC", "b.nc"}));
        QCOMPARE(m_window->sortLabel()->text(), QString("ソートタイプ： 更新日時   向き： 昇順"));
    }

    void sortDialogCancelChangesNothing() {
        Open(Path("nc"));
        QDir().mkpath(Path("nc/LATE"));
        DriveDialog<filelist::SortDialog>([&] { m_window->OpenSortDialog(); },
                                          [&](filelist::SortDialog& dialog) {
                                              dialog.kinds()->button(1)->click();
                                              dialog.findChild<QPushButton*>("Button2")->click();
                                          });
        QCOMPARE(m_window->state().SortKey, std::string("N"));
        QVERIFY(!Names(*m_window).contains("LATE"));
    }
};

QTEST_MAIN(BoxesSortingTest)
#include "tst_boxes_sorting.moc"
