// The conversions of one file in the main window: the selection checks, the
// file-form question, the dialogs of axis doubling and decimal points, and
// their passes, driven with keys and clicks as a user would.

#include "axis_doubling_dialog.h"
#include "decimal_dialog.h"
#include "dialog_driver.h"
#include "join_dialog.h"
#include "split_dialog.h"
#include "ui_helpers.h"
#include "variable_list_dialog.h"
#include "window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <cerrno>
#include <cstring>

using testsupport::BoxRecorder;
using testsupport::DriveDialog;
using testsupport::ReadBytes;

namespace {

const QByteArray kPart = "O1000\r\nG01X1000Y-250F100\r\nN10X1.5Z2\r\n";

QString Text(const QWidget* dialog, const char* label) {
    return dialog->findChild<QLabel*>(label)->text();
}

} // namespace

class ConversionsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;

    QString Path(const QString& name) const { return m_fixture->Path(name); }

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
    void SelectOnly(const QString& name) {
        m_window->SelectOnlyItem(m_window->fileModel()->FindName(name.toStdString()));
    }
    void Key(char key) { QTest::keyClick(m_window->fileList(), key); }
    QStringList FolderFiles() const {
        return QDir(Path("nc")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        QDir().mkpath(Path("nc/SUB"));
        QVERIFY(m_fixture->Write("nc/PART.NC", kPart));
        QVERIFY(m_fixture->Write("nc/BAD.NC", "G01X1-2\r\n"));
        QVERIFY(m_fixture->Write("nc/EMPTY.NC", ""));
        QVERIFY(m_fixture->Write("nc/NUL.NC", QByteArray("\0\r\nX1000\r\n", 10)));
        m_window = m_fixture->Open(Path("nc"));
        QVERIFY(testsupport::Activate(*m_window));
    }
    void cleanup() { m_window.reset(); }

    void singleFileCommandsRefuseOtherSelections_data() {
        QTest::addColumn<char>("key");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("message");
        const QString several = "ﾌｧｲﾙを選択して下さい。\n(複数のﾌｧｲﾙ選択は不可です。)";
        const QString folder = "ﾌｧｲﾙを選択して下さい。\n(ﾌｫﾙﾀﾞ選択は不可です。)";
        for (const char key : {'h', 'B', 'i', 'J', 'n'}) {
            const QByteArray name(1, key);
            QTest::newRow(name + " two files")
                << key << QStringList{"PART.NC", "BAD.NC"} << several;
            QTest::newRow(name + " nothing") << key << QStringList{} << several;
            QTest::newRow(name + " parent") << key << QStringList{".."} << folder;
            QTest::newRow(name + " folder") << key << QStringList{"SUB"} << folder;
        }
    }
    void singleFileCommandsRefuseOtherSelections() {
        QFETCH(char, key);
        QFETCH(QStringList, rows);
        QFETCH(QString, message);
        Select(rows);
        BoxRecorder recorder;
        const bool shown = DriveDialog<QDialog>([&] { Key(key); }, [](QDialog&) {});
        QVERIFY(!shown);
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, message);
        QCOMPARE(recorder.boxes[0].caption, QString("確認"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(FolderFiles(), (QStringList{"BAD.NC", "EMPTY.NC", "NUL.NC", "PART.NC"}));
    }

    void insertionWritesTheFileBesideItsSource() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        const bool shown = DriveDialog<ncui::DecimalDialog>(
            [&] { Key('i'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("小数点付きに変換"));
                QCOMPARE(Text(&dialog, "Label2"), QString("変換前:PART.NC"));
                QCOMPARE(Text(&dialog, "Label3"), QString("変換後:PART_S.NC"));
                QCOMPARE(Text(&dialog, "Label1"), QString("変換しないｱﾄﾞﾚｽ"));
                QCOMPARE(Text(&dialog, "Label4"), QString("変換タイプ"));
                QCOMPARE(dialog.letterBox()->text(), QString("ONGMSDHTP"));
                QCOMPARE(dialog.unitBox()->currentText(), QString("1 -> 0.001"));
                QCOMPARE(dialog.unitBox()->count(), 6);
                QVERIFY(dialog.okButton()->isEnabled());
                QTRY_VERIFY(dialog.letterBox()->hasFocus());
                QTest::keyClick(dialog.letterBox(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
                QCOMPARE(dialog.progressBar()->value(), dialog.progressBar()->maximum());
            });
        QVERIFY(shown);
        QCOMPARE(ReadBytes(Path("nc/PART_S.NC")),
                 QByteArray("O1000\r\nG01X1.000Y-0.250F0.100\r\nN10X1.5Z0.002\r\n"));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].caption, QString("完了"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Information);
        QCOMPARE(recorder.boxes[0].text,
                 QString("小数点付きに変換しました。\n変換ファイル名は PART_S.NCです。"));
        QVERIFY(m_window->fileModel()->FindName("PART_S.NC") >= 0);
        const auto rows = m_window->SelectedRows();
        QCOMPARE(rows.size(), std::size_t{1});
        QCOMPARE(rows[0]->name, std::string("PART.NC"));
        QCOMPARE(FolderFiles(),
                 (QStringList{"BAD.NC", "EMPTY.NC", "NUL.NC", "PART.NC", "PART_S.NC"}));
    }

    void insertionKeepsTheTypedLettersAndUnit() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::DecimalDialog>([&] { Key('I'); },
                                         [&](auto& dialog) {
                                             dialog.letterBox()->selectAll();
                                             QTest::keyClicks(dialog.letterBox(), "gx5");
                                             QCOMPARE(dialog.letterBox()->text(), QString("GX"));
                                             QCOMPARE(recorder.boxes.size(), 1);
                                             QCOMPARE(recorder.boxes[0].text,
                                                      QString("この文字は変更できません。\n"));
                                             QCOMPARE(recorder.boxes[0].caption, QString("確認"));
                                             dialog.unitBox()->setCurrentIndex(0);
                                             QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                                         });
        QCOMPARE(ReadBytes(Path("nc/PART_S.NC")),
                 QByteArray("O1000\r\nG01X1000Y-25.0F10.0\r\nN1.0X1.5Z0.2\r\n"));
        QCOMPARE(m_window->state().NoChgChar, std::string("GX"));
        QVERIFY(m_window->close());
        app::MainState saved;
        app::LoadSettings(m_fixture->SettingsPath(), saved);
        QCOMPARE(saved.NoChgChar, std::string("GX"));
    }

    void emptyLetterBoxDisablesOk() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::DecimalDialog>([&] { Key('j'); },
                                         [&](auto& dialog) {
                                             dialog.letterBox()->selectAll();
                                             QTest::keyClick(dialog.letterBox(), Qt::Key_Backspace);
                                             QVERIFY(!dialog.okButton()->isEnabled());
                                             QTest::keyClick(dialog.letterBox(), Qt::Key_Return);
                                             QVERIFY(dialog.isVisible());
                                             QTest::keyClicks(dialog.letterBox(), "o");
                                             QVERIFY(dialog.okButton()->isEnabled());
                                         });
        QVERIFY(recorder.boxes.isEmpty());
        QVERIFY(!QFile::exists(Path("nc/PART_N.NC")));
    }

    void invalidNumberWritesNothingAndWaitsForNewInput() {
        SelectOnly("BAD.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::DecimalDialog>(
            [&] { Key('i'); },
            [&](auto& dialog) {
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                QVERIFY(dialog.isVisible());
                QCOMPARE(recorder.boxes.size(), 1);
                QCOMPARE(recorder.boxes[0].text, QString("'1-2' は浮動小数点数ではありません"));
                QCOMPARE(recorder.boxes[0].caption, QString("Tornwel"));
                QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
                QVERIFY(!dialog.okButton()->isEnabled());
                QTest::keyClick(dialog.letterBox(), Qt::Key_Return);
                QCOMPARE(recorder.boxes.size(), 1);
                QTest::keyClicks(dialog.letterBox(), "x");
                QVERIFY(dialog.okButton()->isEnabled());
            });
        QCOMPARE(FolderFiles(), (QStringList{"BAD.NC", "EMPTY.NC", "NUL.NC", "PART.NC"}));
    }

    void outputThatCannotBeWrittenIsReportedWithTheReason() {
        QDir().mkpath(Path("nc/PART_S.NC/inside"));
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::DecimalDialog>([&] { Key('i'); },
                                         [&](auto& dialog) {
                                             QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                                             QVERIFY(dialog.isVisible());
                                         });
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].caption, QString("Tornwel"));
        QCOMPARE(recorder.boxes[0].text, QString("ファイル %1 を作成できません\n%2")
                                             .arg(Path("nc/PART_S.NC"), std::strerror(EISDIR)));
        QVERIFY(QFileInfo(Path("nc/PART_S.NC/inside")).isDir());
        QCOMPARE(FolderFiles(), (QStringList{"BAD.NC", "EMPTY.NC", "NUL.NC", "PART.NC"}));
    }

    void removalUsesItsOwnUnits() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::DecimalDialog>(
            [&] { Key('J'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("小数点無しに変換"));
                QCOMPARE(Text(&dialog, "Label4"), QString("設定単位"));
                QCOMPARE(Text(&dialog, "Label3"), QString("変換後:PART_N.NC"));
                QStringList units;
                for (int i = 0; i < dialog.unitBox()->count(); ++i)
                    units << dialog.unitBox()->itemText(i);
                QCOMPARE(units, (QStringList{"0.1      -> 1", "0.01     -> 1", "0.001    -> 1",
                                             "0.0001   -> 1", "0.00001  -> 1", "0.000001 -> 1"}));
                QCOMPARE(dialog.unitBox()->currentIndex(), 2);
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        QCOMPARE(ReadBytes(Path("nc/PART_N.NC")),
                 QByteArray("O1000\r\nG01X1000Y-250F100\r\nN10X1500Z2\r\n"));
        QCOMPARE(recorder.boxes.last().text,
                 QString("小数点無しに変換しました。\n変換ファイル名は PART_N.NCです。"));
    }

    void axisDoublingTakesOneAxisLetter() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::AxisDoublingDialog>(
            [&] { Key('h'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("選択軸２倍変換"));
                QCOMPARE(Text(&dialog, "Label1"), QString("２倍に変換軸"));
                QCOMPARE(Text(&dialog, "Label3"), QString("変換後:PART_2.NC"));
                QVERIFY(dialog.letterBox()->text().isEmpty());
                QVERIFY(!dialog.okButton()->isEnabled());
                QTest::keyClick(dialog.letterBox(), Qt::Key_Return);
                QTest::keyClicks(dialog.letterBox(), "a1");
                QCOMPARE(recorder.boxes.size(), 3);
                for (const auto& box : recorder.boxes)
                    QCOMPARE(box.text, QString("この文字は変更できません。\n"));
                QTest::keyClicks(dialog.letterBox(), "xy");
                QCOMPARE(dialog.letterBox()->text(), QString("x"));
                QTest::keyClick(dialog.letterBox(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            });
        QCOMPARE(ReadBytes(Path("nc/PART_2.NC")),
                 QByteArray("O1000\r\nG01X2000Y-250F100\r\nN10X3.0Z2\r\n"));
        QCOMPARE(recorder.boxes.last().text,
                 QString("X軸を２倍に変換しました。\n変換ファイル名は PART_2.NCです。"));
    }

    void enterPressesTheFocusedButtonAndTabFollowsTheLayout() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        QVERIFY(DriveDialog<ncui::DecimalDialog>(
            [&] { Key('i'); },
            [&](auto& dialog) {
                QTest::keyClick(dialog.letterBox(), Qt::Key_Tab);
                QTRY_VERIFY(dialog.unitBox()->hasFocus());
                QTest::keyClick(dialog.unitBox(), Qt::Key_Tab);
                QTRY_VERIFY(dialog.okButton()->hasFocus());
                QTest::keyClick(dialog.okButton(), Qt::Key_Tab);
                auto* cancel = dialog.template findChild<QPushButton*>("Button2");
                QTRY_VERIFY(cancel->hasFocus());
                QTest::keyClick(cancel, Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            }));
        QVERIFY(recorder.boxes.isEmpty());
        QVERIFY(!QFile::exists(Path("nc/PART_S.NC")));
    }

    void axisLetterIsEmptiedAtEachStart() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        DriveDialog<ncui::AxisDoublingDialog>(
            [&] { Key('h'); }, [&](auto& dialog) { QTest::keyClicks(dialog.letterBox(), "z"); });
        DriveDialog<ncui::AxisDoublingDialog>([&] { Key('h'); },
                                              [&](auto& dialog) {
                                                  QVERIFY(dialog.letterBox()->text().isEmpty());
                                                  QVERIFY(!dialog.okButton()->isEnabled());
                                              });
    }

    void fileFormQuestionComesBeforeTheDialog_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty, yes") << "EMPTY.NC" << int(platform::IDYES) << QByteArray();
        QTest::newRow("empty, no") << "EMPTY.NC" << int(platform::IDNO) << QByteArray();
        QTest::newRow("NUL first, yes")
            << "NUL.NC" << int(platform::IDYES) << QByteArray("X1.000\r\n");
        QTest::newRow("NUL first, no") << "NUL.NC" << int(platform::IDNO) << QByteArray();
    }
    void fileFormQuestionComesBeforeTheDialog() {
        QFETCH(QString, file);
        QFETCH(int, answer);
        QFETCH(QByteArray, written);
        SelectOnly(file);
        BoxRecorder recorder;
        recorder.answer = answer;
        int boxesBeforeDialog = -1;
        const bool shown = DriveDialog<ncui::DecimalDialog>(
            [&] { Key('i'); },
            [&](auto& dialog) {
                boxesBeforeDialog = int(recorder.boxes.size());
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        QVERIFY(shown);
        QCOMPARE(boxesBeforeDialog, 1);
        const auto& question = recorder.boxes[0];
        QCOMPARE(question.caption, QString("警告"));
        QCOMPARE(question.buttons, platform::MessageButtons::YesNo);
        QVERIFY(question.besideOwner);
        QCOMPARE(question.owner, static_cast<QWidget*>(m_window.get()));
        QCOMPARE(question.text, QString("ファイル形式が違います。\nそのまま読み込みは可能ですが、"
                                        "データの一部読み込めない可能性が有ります。\n"
                                        "読み込み開始は「はい(Y)」"));
        const QString output = QFileInfo(file).completeBaseName() + "_S.NC";
        QCOMPARE(ReadBytes(Path("nc/" + output)), written);
    }

    void dialogIsCentredOnTheMainWindow() {
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        m_window->move(40, 30);
        QPoint centre;
        DriveDialog<ncui::DecimalDialog>(
            [&] { Key('i'); }, [&](auto& dialog) { centre = dialog.geometry().center(); });
        const auto& [left, top, width, height] = m_window->state().WindowRect;
        QVERIFY(width > 0);
        QVERIFY(qAbs(centre.x() - (left + width / 2)) <= 1);
        QVERIFY(qAbs(centre.y() - (top + height / 2)) <= 1);
    }

    void toolButtonAndMenuItemRunTheCommand_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("caption");
        QTest::newRow("tlbtnBai") << "tlbtnBai"
                                  << "選択軸２倍変換";
        QTest::newRow("Menu_bai2") << "Menu_bai2"
                                   << "選択軸２倍変換";
        QTest::newRow("tlbtnDivides") << "tlbtnDivides"
                                      << "Ｏ番号毎分割";
        QTest::newRow("Menu_divides") << "Menu_divides"
                                      << "Ｏ番号毎分割";
        QTest::newRow("tlbtnDecimal") << "tlbtnDecimal"
                                      << "小数点付きに変換";
        QTest::newRow("Menu_decimal") << "Menu_decimal"
                                      << "小数点付きに変換";
        QTest::newRow("tlbtnDecimalC") << "tlbtnDecimalC"
                                       << "小数点無しに変換";
        QTest::newRow("Menu_decimalc") << "Menu_decimalc"
                                       << "小数点無しに変換";
        QTest::newRow("tlbtnLst") << "tlbtnLst"
                                  << "変数番号リスト";
        QTest::newRow("Menu_lst") << "Menu_lst"
                                  << "変数番号リスト";
    }
    void toolButtonAndMenuItemRunTheCommand() {
        QFETCH(QString, action);
        QFETCH(QString, caption);
        SelectOnly("PART.NC");
        BoxRecorder recorder;
        QString seen;
        QVERIFY(DriveDialog<QDialog>([&] { m_window->findChild<QAction*>(action)->trigger(); },
                                     [&](QDialog& dialog) { seen = dialog.windowTitle(); }));
        QCOMPARE(seen, caption);
    }
};

QTEST_MAIN(ConversionsTest)
#include "tst_conversions.moc"
