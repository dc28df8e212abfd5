// The split, the join and the variable list in the main window, with their
// option file and history lists, driven with keys and clicks as a user would.

#include "dialog_driver.h"
#include "encoding.h"
#include "history_list.h"
#include "join_dialog.h"
#include "split_dialog.h"
#include "split_options_file.h"
#include "ui_helpers.h"
#include "variable_list_dialog.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>

using testsupport::BoxRecorder;
using testsupport::DriveDialog;
using testsupport::History;
using testsupport::Items;
using testsupport::ReadBytes;
using testsupport::TypeInto;

namespace {

const QByteArray kPrograms =
    "%\r\n(HEADER)\r\nO100(PART A)\r\nG01X1.\r\n\r\n%\r\n:200\r\nX2.\r\n%\r\n";

} // namespace

class SplitJoinVarsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    std::string Settings(const char* name) const { return m_fixture->Bytes(name); }

    void Select(const QStringList& names) {
        auto* list = m_window->fileList();
        list->clearSelection();
        for (const QString& name : names) {
            const int row = m_window->fileModel()->FindName(name.toStdString());
            QVERIFY2(row >= 0, qPrintable(name));
            list->selectionModel()->select(m_window->fileModel()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    void Key(char key) { QTest::keyClick(m_window->fileList(), key); }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        QDir().mkpath(Path("nc/SUB"));
        QDir().mkpath(Path("nc/SUB2"));
        QVERIFY(m_fixture->Write("nc/PROGS.NC", kPrograms));
        QVERIFY(m_fixture->Write("nc/NONE.NC", "G01X1.\r\n"));
        QVERIFY(m_fixture->Write("nc/A.NC", "O1\r\nX1."));
        QVERIFY(m_fixture->Write("nc/B.NC", "O2\r\nX2.\r\n"));
        QVERIFY(m_fixture->Write("nc/C.NC", "old"));
        QVERIFY(m_fixture->Write("nc/VARS.NC",
                                 "O9010(#100)\r\n#101=#102+1\r\n#1=#[#2+1]\r\n(#500)#10000#0\r\n"
                                 "#101=#1\r\n"));
        m_window = m_fixture->Open(Path("nc"));
        QVERIFY(testsupport::Activate(*m_window));
    }
    void cleanup() { m_window.reset(); }

    void splitWritesOneFilePerProgram() {
        Select({"PROGS.NC"});
        BoxRecorder recorder;
        recorder.answer = platform::IDYES;
        QVERIFY(DriveDialog<ncui::SplitDialog>(
            [&] { Key('b'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("Ｏ番号毎分割"));
                QCOMPARE(dialog.template findChild<QLabel*>("Label1")->text(), QString("PROGS.NC"));
                QCOMPARE(dialog.template findChild<QLabel*>("Label2")->text(), QString("保存先"));
                QCOMPARE(dialog.destinationBox()->currentText(), Path("nc"));
                QVERIFY(dialog.okButton()->isEnabled());
                QVERIFY(dialog.programList()->count() == 0);
                TypeInto(dialog.destinationBox(), "out/deep/");
                QTest::keyClick(dialog.destinationBox(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
                QCOMPARE(Items(dialog.programList()), (QStringList{"O100(PART A)", ":200"}));
                QCOMPARE(dialog.progressBar()->value(), dialog.progressBar()->maximum());
            }));
        QCOMPARE(recorder.boxes.size(), 2);
        QCOMPARE(recorder.boxes[0].text,
                 QString("ディレクトリが見つかりません。ディレクトリを作成しますか？"));
        QVERIFY(recorder.boxes[0].besideOwner);
        QCOMPARE(recorder.boxes[1].text, QString("Ｏ番号毎に分割完了しました。"));
        QCOMPARE(recorder.boxes[1].caption, QString("完了"));
        QCOMPARE(ReadBytes(Path("nc/out/deep/O100.NC")),
                 QByteArray("(HEADER)\r\nO100(PART A)\r\nG01X1.\r\n\r\n"));
        QCOMPARE(ReadBytes(Path("nc/out/deep/O200.NC")), QByteArray(":200\r\nX2.\r\n"));
        QCOMPARE(m_window->state().SelectedName, std::string());
        QCOMPARE(m_window->state().OutputName, std::string());
        QCOMPARE(History(Settings("PATH.LST")), (QStringList{"out/deep/"}));
        QVERIFY(m_window->fileModel()->FindName("out") >= 0);
    }

    void splitOptionsComeFromTheirFileAndAreSavedAtClose() {
        ncui::SaveSplitOptions(Settings("Div_Sub.ini"), {true, false, true, false});
        Select({"PROGS.NC"});
        BoxRecorder recorder;
        QVERIFY(DriveDialog<ncui::SplitDialog>(
            [&] { Key('B'); },
            [&](auto& dialog) {
                const auto item = [&](const char* name) {
                    return dialog.template findChild<QAction*>(name);
                };
                QStringList texts;
                for (QAction* action : dialog.template findChild<QMenu*>("Menu_options")->actions())
                    texts << (action->isSeparator() ? "-" : action->text());
                QCOMPARE(texts, (QStringList{"先頭に％付加", "末尾に％付加", "分割ﾌｧｲﾙ名に連番付加",
                                             "-", "ﾃﾞｰﾀ無し行は無効"}));
                QVERIFY(item("op_f")->isChecked());
                QVERIFY(!item("op_b")->isChecked());
                QVERIFY(item("op_n")->isChecked());
                item("op_b")->trigger();
                item("op_sp")->trigger();
                item("op_sp")->trigger();
                QVERIFY(item("op_b")->isChecked());
                QVERIFY(!item("op_sp")->isChecked());
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            }));
        QCOMPARE(ReadBytes(Path("nc/O100_001.NC")),
                 QByteArray("(HEADER)\r\n%\r\nO100(PART A)\r\nG01X1.\r\n\r\n%\r\n"));
        QCOMPARE(ReadBytes(Path("nc/O200_002.NC")), QByteArray("%\r\n:200\r\nX2.\r\n%\r\n"));
        const nc::SplitOptions saved = ncui::LoadSplitOptions(Settings("Div_Sub.ini"));
        QVERIFY(saved.percentFirst && saved.percentLast && saved.numbered && !saved.skipEmpty);
    }

    void optionChangeIsSavedAlsoOnCancel() {
        Select({"PROGS.NC"});
        BoxRecorder recorder;
        DriveDialog<ncui::SplitDialog>(
            [&] { Key('b'); },
            [&](auto& dialog) {
                dialog.template findChild<QAction*>("op_sp")->trigger();
                dialog.template findChild<QPushButton*>("Button2")->click();
            });
        QVERIFY(ncui::LoadSplitOptions(Settings("Div_Sub.ini")).skipEmpty);
        QCOMPARE(QDir(Path("nc")).entryList(QDir::Files).size(), 6);
    }

    void splitAnsweredNoWritesNothing() {
        Select({"PROGS.NC"});
        BoxRecorder recorder;
        recorder.answer = platform::IDNO;
        DriveDialog<ncui::SplitDialog>([&] { Key('b'); },
                                       [&](auto& dialog) {
                                           TypeInto(dialog.destinationBox(), "missing");
                                           QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                                           QVERIFY(dialog.isVisible());
                                           QVERIFY(dialog.okButton()->isEnabled());
                                           QCOMPARE(dialog.destinationBox()->currentText(),
                                                    QString("missing"));
                                       });
        QCOMPARE(recorder.boxes.size(), 1);
        QVERIFY(!QFileInfo::exists(Path("nc/missing")));
    }

    void splitWithoutProgramsLeavesNoFolder() {
        Select({"NONE.NC"});
        BoxRecorder recorder;
        recorder.answer = platform::IDYES;
        DriveDialog<ncui::SplitDialog>([&] { Key('b'); },
                                       [&](auto& dialog) {
                                           TypeInto(dialog.destinationBox(), "made");
                                           QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                                           QVERIFY(dialog.isVisible());
                                       });
        QCOMPARE(recorder.boxes.size(), 2);
        QCOMPARE(recorder.boxes[1].text, QString("Ｏ番号が見つかりません。"));
        QCOMPARE(recorder.boxes[1].caption, QString("Tornwel"));
        QVERIFY(!QFileInfo::exists(Path("nc/made")));
    }

    void destinationHistoryKeepsCaseAndRefusesCharacters() {
        filelist::SaveHistoryFile(Settings("PATH.LST"), {"OUT", "", "keep", "out"});
        Select({"PROGS.NC"});
        BoxRecorder recorder;
        DriveDialog<ncui::SplitDialog>(
            [&] { Key('b'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.destinationBox()->currentText(), QString("OUT"));
                QCOMPARE(Items(dialog.destinationBox()), (QStringList{"OUT", "", "keep", "out"}));
                TypeInto(dialog.destinationBox(), "o*u\\t");
                QCOMPARE(dialog.destinationBox()->currentText(), QString("out"));
                QCOMPARE(recorder.boxes.size(), 2);
                QCOMPARE(recorder.boxes[0].text,
                         QString("この文字はフォルダー名に使えません。\n\\:,;*?<>|."));
                QCOMPARE(recorder.boxes[0].caption, QString("確認"));
                recorder.answer = platform::IDYES;
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        QCOMPARE(History(Settings("PATH.LST")), (QStringList{"out", "OUT", "keep"}));
        QVERIFY(QFile::exists(Path("nc/out/O100.NC")));
    }

    void joinRefusesTooFewFilesAndFolders_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("one file")
            << QStringList{"A.NC"}
            << "ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）を選択して下さい。\nﾌｧｲﾙを２つ以上選択してください。";
        QTest::newRow("folders") << QStringList{"..", "SUB", "SUB2", "A.NC"}
                                 << "ﾌｫﾙﾀﾞが選択されています。\nﾌｫﾙﾀﾞは不可ですので中止します。";
    }
    void joinRefusesTooFewFilesAndFolders() {
        QFETCH(QStringList, rows);
        QFETCH(QString, message);
        Select(rows);
        BoxRecorder recorder;
        QVERIFY(!DriveDialog<QDialog>([&] { Key('k'); }, [](QDialog&) {}));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, message);
        QCOMPARE(recorder.boxes[0].caption, QString("確認"));
    }

    void joinWritesTheFilesInListOrder() {
        Select({"B.NC", "A.NC"});
        BoxRecorder recorder;
        QVERIFY(DriveDialog<ncui::JoinDialog>(
            [&] { Key('K'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("ﾌｧｲﾙ結合"));
                QCOMPARE(Items(dialog.fileList()), (QStringList{"A.NC", "B.NC"}));
                QCOMPARE(dialog.fileList()->focusPolicy(), Qt::ClickFocus);
                QVERIFY(!dialog.okButton()->isEnabled());
                QTest::keyClicks(dialog.nameBox(), "sub/ALL*.NC");
                QCOMPARE(recorder.boxes.size(), 1);
                QCOMPARE(recorder.boxes[0].text,
                         QString("この文字はファイル名に使えません。\n\\:,;*?<>|."));
                QCOMPARE(dialog.nameBox()->currentText(), QString("sub/ALL.NC"));
                TypeInto(dialog.nameBox(), "ALL.NC");
                QTest::keyClick(dialog.nameBox(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            }));
        QCOMPARE(ReadBytes(Path("nc/ALL.NC")), QByteArray("O1\r\nX1.O2\r\nX2.\r\n"));
        QCOMPARE(recorder.boxes.last().text, QString("ファイル結合完了しました。"));
        QCOMPARE(m_window->state().SelectedName, Path("nc/ALL.NC").toStdString());
        QCOMPARE(m_window->state().OutputName, std::string("B.NC"));
        QCOMPARE(History(Settings("NAME.LST")), (QStringList{"ALL.NC"}));
        QVERIFY(m_window->fileModel()->FindName("ALL.NC") >= 0);
    }

    void joinAsksBeforeReplacing_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("yes") << int(platform::IDYES) << QByteArray("O1\r\nX1.O2\r\nX2.\r\n");
        QTest::newRow("no") << int(platform::IDNO) << QByteArray("old");
    }
    void joinAsksBeforeReplacing() {
        QFETCH(int, answer);
        QFETCH(QByteArray, content);
        filelist::SaveHistoryFile(Settings("NAME.LST"), {"C.NC", "X.NC"});
        Select({"A.NC", "B.NC"});
        BoxRecorder recorder;
        recorder.answer = answer;
        DriveDialog<ncui::JoinDialog>([&] { Key('k'); },
                                      [&](auto& dialog) {
                                          QCOMPARE(dialog.nameBox()->currentText(),
                                                   QString("C.NC"));
                                          QVERIFY(dialog.okButton()->isEnabled());
                                          QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                                          QCOMPARE(dialog.isVisible(), answer == platform::IDNO);
                                          QVERIFY(!dialog.okButton()->isEnabled());
                                      });
        QCOMPARE(recorder.boxes[0].text,
                 QString("すでに%1が有ります。\n上書きしますか？").arg(Path("nc/C.NC")));
        QCOMPARE(ReadBytes(Path("nc/C.NC")), content);
    }

    void joinIntoOneOfItsFilesIsRefused() {
        Select({"A.NC", "B.NC"});
        BoxRecorder recorder;
        recorder.answer = platform::IDYES;
        DriveDialog<ncui::JoinDialog>([&] { Key('k'); },
                                      [&](auto& dialog) {
                                          TypeInto(dialog.nameBox(), "./B.NC");
                                          QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                                          QVERIFY(dialog.isVisible());
                                      });
        QCOMPARE(recorder.boxes.size(), 2);
        QCOMPARE(recorder.boxes[1].text, QString("この結合ﾌｧｲﾙ名は選択したﾌｧｲﾙに存在します。"));
        QCOMPARE(recorder.boxes[1].caption, QString("確認"));
        QCOMPARE(ReadBytes(Path("nc/B.NC")), QByteArray("O2\r\nX2.\r\n"));
    }

    void variableListShowsFourKindsAndSavesThem() {
        Select({"VARS.NC"});
        BoxRecorder recorder;
        QVERIFY(DriveDialog<ncui::VariableListDialog>(
            [&] { Key('n'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("変数番号リスト"));
                QStringList tabs;
                for (int i = 0; i < dialog.tabs()->count(); ++i)
                    tabs << dialog.tabs()->tabText(i);
                QCOMPARE(tabs, (QStringList{"ﾛｰｶﾙ変数", "ｺﾓﾝ変数", "ｼｽﾃﾑ変数", "その他"}));
                QCOMPARE(dialog.countLabel(0)->text(), QString("ローカル変数= 0"));
                QVERIFY(!dialog.saveButton()->isEnabled());
                QTRY_VERIFY(dialog.makeButton()->hasFocus());
                QTest::mouseClick(dialog.makeButton(), Qt::LeftButton);
                QVERIFY(!dialog.makeButton()->isEnabled());
                QCOMPARE(Items(dialog.list(0)), (QStringList{"#0", "#1", "#2"}));
                QCOMPARE(Items(dialog.list(1)), (QStringList{"#101", "#102", "#500"}));
                QCOMPARE(Items(dialog.list(2)), QStringList{});
                QCOMPARE(Items(dialog.list(3)), (QStringList{"#10000", "#[数式]"}));
                QCOMPARE(dialog.countLabel(1)->text(), QString("コモン変数= 3"));
                QCOMPARE(dialog.countLabel(3)->text(), QString("その他変数= 2"));
                QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
                QVERIFY(!dialog.isVisible());
            }));
        const std::string saved =
            platform::FromSettingsEncoding(ReadBytes(Path("nc/変数VARS.NC")).toStdString());
        QCOMPARE(saved, std::string("ローカル変数= 3\r\n#0\r\n#1\r\n#2\r\nコモン変数= 3\r\n#101\r\n"
                                    "#102\r\n#500\r\nシステム変数= 0\r\nその他変数= 2\r\n#10000\r\n"
                                    "#[数式]\r\n"));
        QCOMPARE(recorder.boxes.last().text,
                 QString("変数リストを作成しました。\nファイル名は %1です。")
                     .arg(Path("nc/変数VARS.NC")));
        QVERIFY(m_window->fileModel()->FindName("変数VARS.NC") >= 0);
    }

    void variableListsAreEmptiedWhenTheCommandStartsAgain() {
        Select({"VARS.NC"});
        BoxRecorder recorder;
        DriveDialog<ncui::VariableListDialog>(
            [&] { Key('n'); },
            [&](auto& dialog) { QTest::mouseClick(dialog.makeButton(), Qt::LeftButton); });
        DriveDialog<ncui::VariableListDialog>([&] { Key('N'); },
                                              [&](auto& dialog) {
                                                  QVERIFY(dialog.makeButton()->isEnabled());
                                                  QCOMPARE(dialog.list(1)->count(), 0);
                                                  QCOMPARE(dialog.countLabel(1)->text(),
                                                           QString("コモン変数= 0"));
                                              });
    }
};

QTEST_MAIN(SplitJoinVarsTest)
#include "tst_split_join_vars.moc"
