// The file search, the filter dialog and the file information dialog in the
// main window, on real files.

#include "dialog_driver.h"
#include "file_info_dialog.h"
#include "file_list_model.h"
#include "filter_dialog.h"
#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using fileops::TimeField;
using testsupport::BoxRecorder;
using testsupport::DriveDialog;
using testsupport::History;
using testsupport::Items;
using testsupport::Names;

namespace {

constexpr const char* kFilterDone = "ファイル検索・絞り込みを完了しました。";

std::time_t Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

bool SetModified(const QString& path, std::time_t seconds) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

struct stat StatOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

void Retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

QStringList Texts(const fileopsui::FileInfoDialog& dialog) {
    QStringList texts;
    for (const TimeField field : fileops::kTimeFieldOrder)
        texts << dialog.timeBox(field)->text();
    return texts;
}

} // namespace

class FindInfoTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    QTreeView* List() const { return m_window->fileList(); }
    void SelectOnly(const QString& name) {
        const int row = m_window->fileModel()->FindName(name.toStdString());
        QVERIFY2(row >= 0, qPrintable(name));
        m_window->SelectOnlyItem(row);
    }
    QString Selected() const {
        const auto rows = m_window->SelectedRows();
        return rows.size() == 1 ? rows[0]->caption : QString("(%1 rows)").arg(rows.size());
    }
    void Open(const std::function<void(app::MainState&)>& configure = {}) {
        m_window = m_fixture->Open(Path("nc"), configure);
        QVERIFY(testsupport::Activate(*m_window));
    }
    void Trigger(const char* action) { m_window->findChild<QAction*>(action)->trigger(); }

    // Searches for `text` with the input box; an empty text cancels it.
    bool Search(const QString& text) {
        return DriveDialog<QInputDialog>([&] { QTest::keyClick(List(), 'f'); },
                                         [&](QInputDialog& box) {
                                             if (text.isEmpty()) return;
                                             box.setTextValue(text);
                                             box.accept();
                                         });
    }
    // Filters with a pattern typed into the filter dialog and OK.
    void Filter(const QString& pattern) {
        const bool shown = DriveDialog<fileopsui::FilterDialog>(
            [&] { Trigger("tlbtnFind"); },
            [&](auto& dialog) {
                testsupport::TypeInto(dialog.nameBox(), pattern);
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        QVERIFY(shown);
    }
    // Runs `act` on the file information of the selected row.
    bool ShowInfo(const std::function<void(fileopsui::FileInfoDialog&)>& act) {
        return DriveDialog<fileopsui::FileInfoDialog>([&] { Trigger("Menu_fileinfo"); }, act);
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        for (const char* folder : {"nc/O1OLD", "nc/SUB", "nc/SYNC"})
            QDir().mkpath(Path(folder));
        QVERIFY(m_fixture->Write("nc/O1000.NC", QByteArray(1024, 'x')));
        QVERIFY(m_fixture->Write("nc/O2000.NC", QByteArray(1536, 'x')));
        QVERIFY(m_fixture->Write("nc/PART.NC", "O1\r\n"));
        QVERIFY(m_fixture->Write("nc/PROG.NC", "O2\r\n"));
        QVERIFY(m_fixture->Write("nc/NOTE.TXT", "note"));
        QVERIFY(SetModified(Path("nc/O2000.NC"), Local(2023, 5, 6, 13, 4, 7)));
        QVERIFY(SetModified(Path("nc/SUB"), Local(2021, 1, 2, 3, 4, 5)));
        QVERIFY(SetModified(Path("nc/PROG.NC"), Local(2022, 3, 4, 5, 6, 8)));
    }
    void cleanup() { m_window.reset(); }

    void searchSelectsTheFirstRowContainingTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("folders first") << "nc"
                                       << "SYNC";
        QTest::newRow("a file") << "art"
                                << "PART.NC";
        QTest::newRow("case ignored") << "o2"
                                      << "O2000.NC";
        QTest::newRow("the parent row") << "."
                                        << "..";
    }
    void searchSelectsTheFirstRowContainingTheText() {
        QFETCH(QString, text);
        QFETCH(QString, selected);
        Open();
        SelectOnly("PROG.NC");
        BoxRecorder recorder;
        QVERIFY(Search(text));
        QCOMPARE(Selected(), selected);
        QCOMPARE(List()->currentIndex().row(),
                 m_window->fileModel()->FindName(selected.toStdString()));
        QVERIFY(recorder.boxes.isEmpty());
    }

    void searchWithoutAMatchTellsSo() {
        Open();
        SelectOnly("PROG.NC");
        BoxRecorder recorder;
        QVERIFY(Search("ZZZ"));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, QString("ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）が見つかりませんでした。"));
        QCOMPARE(recorder.boxes[0].caption, QString("確認"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Warning);
        QCOMPARE(Selected(), QString("PROG.NC"));
        recorder.boxes.clear();
        QVERIFY(Search(""));
        QVERIFY(recorder.boxes.isEmpty());
        QCOMPARE(Selected(), QString("PROG.NC"));
    }

    void searchOpensFromItsKeyButtonAndMenus_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("F key") << "";
        QTest::newRow("tool button") << "tlbtnFindFile";
        QTest::newRow("menu") << "Menu_findfile";
        QTest::newRow("list menu") << "Popup_find";
    }
    void searchOpensFromItsKeyButtonAndMenus() {
        QFETCH(QString, action);
        Open();
        QString caption;
        QString prompt;
        QString preset = "(none)";
        const bool shown = DriveDialog<QInputDialog>(
            [&] {
                if (action.isEmpty()) {
                    QTest::keyClick(List(), 'F');
                } else {
                    Trigger(qPrintable(action));
                }
            },
            [&](QInputDialog& box) {
                caption = box.windowTitle();
                prompt = box.labelText();
                preset = box.textValue();
            });
        QVERIFY(shown);
        QCOMPARE(caption, QString("ﾌｧｲﾙ検索"));
        QCOMPARE(prompt, QString("ﾌｧｲﾙ名を入力"));
        QCOMPARE(preset, QString());
    }

    void filterListsMatchingFoldersAndFilesUntilTheNextListing() {
        Open();
        BoxRecorder recorder;
        bool okAtFirst = true;
        DriveDialog<fileopsui::FilterDialog>([&] { Trigger("tlbtnFind"); },
                                             [&](auto& dialog) {
                                                 QCOMPARE(dialog.windowTitle(),
                                                          QString("絞り込み・検索"));
                                                 QTRY_VERIFY(dialog.nameBox()->hasFocus());
                                                 okAtFirst = dialog.okButton()->isEnabled();
                                                 testsupport::TypeInto(dialog.nameBox(), "o1*");
                                                 QVERIFY(dialog.okButton()->isEnabled());
                                                 QTest::keyClick(dialog.nameBox(), Qt::Key_Return);
                                                 QVERIFY(!dialog.isVisible());
                                             });
        QVERIFY(!okAtFirst);
        QCOMPARE(Names(*m_window), (QStringList{"..", "O1OLD", "O1000.NC"}));
        QCOMPARE(m_window->state().FilterName, m_fixture->Bytes("nc/o1*"));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, QString(kFilterDone));
        QCOMPARE(recorder.boxes[0].caption, QString("完了"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Information);
        QCOMPARE(History(m_fixture->Bytes("FIND.LST")), QStringList{"o1*"});
        // A new sort keeps the filtered rows; Space reads the whole folder again.
        m_window->RefreshFileList(false, true, true);
        QCOMPARE(Names(*m_window), (QStringList{"..", "O1OLD", "O1000.NC"}));
        QTest::keyClick(List(), ' ');
        QCOMPARE(Names(*m_window).size(), 9);
    }

    void filterPatternsMatchWholeNames_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("extension")
            << "*.nc" << QStringList{"..", "O1000.NC", "O2000.NC", "PART.NC", "PROG.NC"};
        QTest::newRow("whole name") << "PROG.NC" << QStringList{"..", "PROG.NC"};
        QTest::newRow("no wildcard, part of a name") << "PROG" << QStringList{};
        QTest::newRow("inside") << "*00*" << QStringList{"..", "O1000.NC", "O2000.NC"};
        QTest::newRow("folders") << "s*" << QStringList{"..", "SUB", "SYNC"};
        QTest::newRow("brackets are plain") << "[PS]*" << QStringList{};
    }
    void filterPatternsMatchWholeNames() {
        QFETCH(QString, pattern);
        QFETCH(QStringList, names);
        Open();
        BoxRecorder recorder;
        Filter(pattern);
        QCOMPARE(Names(*m_window), names);
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, QString(kFilterDone));
        if (names.isEmpty()) {
            QVERIFY(m_window->countLabel()->text().startsWith("0 files "));
            QCOMPARE(m_window->pathLabel()->text(), Path("nc/" + pattern));
        }
    }

    void theMaskStillAppliesToFiles() {
        Open([](app::MainState& state) { state.FileMask = "*.TXT"; });
        QVERIFY(Names(*m_window).contains("NOTE.TXT"));
        BoxRecorder recorder;
        Filter("PROG.NC");
        QCOMPARE(Names(*m_window), QStringList{".."});
        QCOMPARE(m_window->state().FileCount, 0);
        Filter("*o*");
        QCOMPARE(Names(*m_window), (QStringList{"..", "O1OLD", "NOTE.TXT"}));
    }

    void refusedCharactersAreExplained() {
        Open();
        BoxRecorder recorder;
        DriveDialog<fileopsui::FilterDialog>([&] { Trigger("tlbtnFind"); },
                                             [&](auto& dialog) {
                                                 QTest::keyClicks(dialog.nameBox(), "a?b/*.nc");
                                                 QCOMPARE(dialog.nameBox()->currentText(),
                                                          QString("ab*.nc"));
                                             });
        QCOMPARE(recorder.boxes.size(), 2);
        for (const auto& box : recorder.boxes) {
            QCOMPARE(box.text, QString("この文字はファイル名に使えません。\n/\\:,;*?<>|."));
            QCOMPARE(box.caption, QString("確認"));
            QCOMPARE(box.icon, platform::MessageIcon::Stop);
        }
        QCOMPARE(Names(*m_window).size(), 9);
    }

    void historyKeepsPatternsByteForByte() {
        Open();
        BoxRecorder recorder;
        Filter("abc");
        Filter("ABC");
        Filter("abc");
        QCOMPARE(History(m_fixture->Bytes("FIND.LST")), (QStringList{"abc", "ABC"}));
        QStringList items;
        QString text = "(none)";
        bool okEnabled = true;
        DriveDialog<fileopsui::FilterDialog>([&] { Trigger("tlbtnFind"); },
                                             [&](auto& dialog) {
                                                 items = Items(dialog.nameBox());
                                                 text = dialog.nameBox()->currentText();
                                                 okEnabled = dialog.okButton()->isEnabled();
                                             });
        QCOMPARE(items, (QStringList{"abc", "ABC"}));
        QCOMPARE(text, QString());
        QVERIFY(!okEnabled);
    }

    void cancelListsNothing() {
        Open();
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        DriveDialog<fileopsui::FilterDialog>([&] { Trigger("tlbtnFind"); },
                                             [&](auto& dialog) {
                                                 testsupport::TypeInto(dialog.nameBox(), "O1*");
                                                 QTest::keyClick(&dialog, Qt::Key_Escape);
                                             });
        QCOMPARE(listed.count(), 0);
        QCOMPARE(Names(*m_window).size(), 9);
    }

    void infoShowsTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("size");
        QTest::newRow("1024 bytes") << "O1000.NC"
                                    << "サイズ :　　1024ﾊﾞｲﾄ";
        QTest::newRow("1536 bytes") << "O2000.NC"
                                    << "サイズ :　　1.500KB (1,536ﾊﾞｲﾄ)";
    }
    void infoShowsTheFile() {
        QFETCH(QString, name);
        QFETCH(QString, size);
        Open();
        SelectOnly(name);
        const bool shown = ShowInfo([&](fileopsui::FileInfoDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("ﾌｧｲﾙ情報"));
            QCOMPARE(dialog.nameLabel()->text(), name);
            QCOMPARE(dialog.typeLabel()->text(), QString("種類 :　　　NC ﾌｧｲﾙ"));
            QCOMPARE(dialog.placeLabel()->text(), "場所 :　　　" + Path("nc"));
            QCOMPARE(dialog.sizeLabel()->text(), size);
            QVERIFY(!dialog.imageLabel()->pixmap().isNull());
            QVERIFY(dialog.attributeBox(fileops::kReadOnly)->isEnabled());
            QVERIFY(!dialog.attributeBox(fileops::kReadOnly)->isChecked());
            for (const auto bit : {fileops::kHidden, fileops::kSystem, fileops::kArchive})
                QVERIFY(!dialog.attributeBox(bit)->isEnabled());
            QVERIFY(!dialog.updateButton()->isEnabled());
            QTRY_VERIFY(dialog.closeButton()->hasFocus());
        });
        QVERIFY(shown);
    }

    // A file changed at 13:04:07 shows the even second below it.
    void infoShowsTheTimeInTwoSecondSteps() {
        Open();
        SelectOnly("O2000.NC");
        QStringList texts;
        ShowInfo([&](auto& dialog) { texts = Texts(dialog); });
        QCOMPARE(texts, (QStringList{"2023", "05", "06", "13", "04", "06"}));
    }

    void infoOpensFromTheListMenuAndRefusesOtherSelections() {
        Open();
        SelectOnly("PART.NC");
        QVERIFY(DriveDialog<fileopsui::FileInfoDialog>([&] { Trigger("Popup_fileinfo"); },
                                                       [](auto&) {}));
        BoxRecorder recorder;
        QVERIFY(testsupport::SelectRows(*m_window, {"PART.NC", "PROG.NC"}));
        QVERIFY(!ShowInfo([](auto&) {}));
        List()->clearSelection();
        QVERIFY(!ShowInfo([](auto&) {}));
        QCOMPARE(recorder.boxes.size(), 2);
        for (const auto& box : recorder.boxes) {
            QCOMPARE(box.text, QString("複数のﾌｧｲﾙ選択は不可です。"));
            QCOMPARE(box.caption, QString("確認"));
            QCOMPARE(box.icon, platform::MessageIcon::Stop);
        }
        SelectOnly("..");
        QVERIFY(!ShowInfo([](auto&) {}));
        QCOMPARE(recorder.boxes.size(), 2);
    }

    void anEntryGoneSinceTheListingIsTold() {
        Open();
        SelectOnly("PROG.NC");
        QVERIFY(QFile::remove(Path("nc/PROG.NC")));
        BoxRecorder recorder;
        QVERIFY(!ShowInfo([](auto&) {}));
        QCOMPARE(recorder.boxes.size(), 1);
        QVERIFY(recorder.boxes[0].text.startsWith("ファイル " + Path("nc/PROG.NC") +
                                                  " は開けません。\n"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
    }

    // The time is left exactly as it was when only the attribute changes.
    void readOnlyIsTheOwnersWriteBit() {
        Open();
        SelectOnly("PROG.NC");
        const struct stat before = StatOf(Path("nc/PROG.NC"));
        ShowInfo([](auto& dialog) {
            QTest::mouseClick(dialog.attributeBox(fileops::kReadOnly), Qt::LeftButton);
            QVERIFY(dialog.updateButton()->isEnabled());
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        const struct stat after = StatOf(Path("nc/PROG.NC"));
        QCOMPARE(after.st_mode & 0777, before.st_mode & 0555);
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        QCOMPARE(Selected(), QString("PROG.NC"));
        const auto& row = *m_window->SelectedRows().front();
        QCOMPARE(m_window->fileModel()->Text(row, filelist::AttributesColumn), QString("R"));
        bool checked = false;
        ShowInfo([&](auto& dialog) {
            checked = dialog.attributeBox(fileops::kReadOnly)->isChecked();
            QTest::mouseClick(dialog.attributeBox(fileops::kReadOnly), Qt::LeftButton);
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
        });
        QVERIFY(checked);
        QCOMPARE(StatOf(Path("nc/PROG.NC")).st_mode & 0777, before.st_mode & 0777);
    }

    void fiftyNineSecondsAreStoredAsFiftyEight() {
        Open();
        SelectOnly("O2000.NC");
        ShowInfo([](auto& dialog) {
            Retype(dialog.timeBox(TimeField::Second), "59");
            QVERIFY(dialog.updateButton()->isEnabled());
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
        });
        QCOMPARE(StatOf(Path("nc/O2000.NC")).st_mtim.tv_sec, Local(2023, 5, 6, 13, 4, 58));
        QStringList texts;
        ShowInfo([&](auto& dialog) { texts = Texts(dialog); });
        QCOMPARE(texts, (QStringList{"2023", "05", "06", "13", "04", "58"}));
    }

    void boxesOutOfRangeAreRefused_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString twelve = "１から１２までしか入力出来ません";
        const QString fiftyNine = "０から５９までしか入力出来ません";
        QTest::newRow("year 1969") << int(TimeField::Year) << "1969"
                                   << "年数は1970以降でお願いします。";
        QTest::newRow("month 0") << int(TimeField::Month) << "0" << twelve;
        QTest::newRow("month 13") << int(TimeField::Month) << "13" << twelve;
        QTest::newRow("day 32") << int(TimeField::Day) << "32"
                                << "１から３１までしか入力出来ません";
        QTest::newRow("hour 24") << int(TimeField::Hour) << "24"
                                 << "０から２３までしか入力出来ません";
        QTest::newRow("minute 60") << int(TimeField::Minute) << "60" << fiftyNine;
        QTest::newRow("second 60") << int(TimeField::Second) << "60" << fiftyNine;
        QTest::newRow("second empty") << int(TimeField::Second) << "" << fiftyNine;
    }
    void boxesOutOfRangeAreRefused() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Open();
        SelectOnly("O2000.NC");
        BoxRecorder recorder;
        bool stayed = false;
        bool focused = false;
        ShowInfo([&](auto& dialog) {
            QLineEdit* box = dialog.timeBox(TimeField(field));
            Retype(box, text);
            dialog.closeButton()->setFocus();
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
            stayed = dialog.isVisible();
            focused = dialog.focusWidget() == box;
            if (text.isEmpty()) return;
            dialog.closeButton()->setFocus();
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            QVERIFY(dialog.focusWidget() == box);
        });
        QVERIFY(stayed);
        QVERIFY(focused);
        QCOMPARE(recorder.boxes.size(), text.isEmpty() ? 1 : 2);
        for (const auto& box : recorder.boxes) {
            QCOMPARE(box.text, message);
            QCOMPARE(box.caption, QString("確認"));
            QCOMPARE(box.icon, platform::MessageIcon::Stop);
        }
        QCOMPARE(StatOf(Path("nc/O2000.NC")).st_mtim.tv_sec, Local(2023, 5, 6, 13, 4, 7));
    }

    // Dates the boxes accept but no clock shows are told, and nothing is written.
    void timesThatCannotBeStoredAreTold_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("focused");
        QTest::addColumn<QString>("message");
        QTest::newRow("30 February") << QStringList{"2023", "02", "30", "10", "00", "00"}
                                     << int(TimeField::Day) << "存在しない日付です。";
        QTest::newRow("before 1980")
            << QStringList{"1975", "06", "01", "10", "00", "00"} << int(TimeField::Year)
            << "日時は1980年から2107年までしか設定出来ません。";
    }
    void timesThatCannotBeStoredAreTold() {
        QFETCH(QStringList, texts);
        QFETCH(int, focused);
        QFETCH(QString, message);
        Open();
        SelectOnly("PROG.NC");
        const struct stat before = StatOf(Path("nc/PROG.NC"));
        BoxRecorder recorder;
        ShowInfo([&](auto& dialog) {
            for (std::size_t i = 0; i < fileops::kTimeFieldOrder.size(); ++i)
                Retype(dialog.timeBox(fileops::kTimeFieldOrder[i]), texts[int(i)]);
            QTest::mouseClick(dialog.attributeBox(fileops::kReadOnly), Qt::LeftButton);
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
            QVERIFY(dialog.isVisible());
            QVERIFY(dialog.focusWidget() == dialog.timeBox(TimeField(focused)));
        });
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, message);
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
        const struct stat after = StatOf(Path("nc/PROG.NC"));
        QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        QCOMPARE(after.st_mode, before.st_mode);
    }

    void aTimeTheSystemRefusesIsTold() {
        Open();
        SelectOnly("PROG.NC");
        BoxRecorder recorder;
        ShowInfo([&](auto& dialog) {
            QVERIFY(QFile::remove(Path("nc/PROG.NC")));
            Retype(dialog.timeBox(TimeField::Minute), "30");
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(recorder.boxes.size(), 1);
        QVERIFY(recorder.boxes[0].text.startsWith("更新日時を変更出来ませんでした。\n"));
        QVERIFY(recorder.boxes[0].text.size() >
                QString("更新日時を変更出来ませんでした。\n").size());
    }

    void timeBoxesTakeDigitsAndEnterMovesOn() {
        Open();
        SelectOnly("O2000.NC");
        ShowInfo([](auto& dialog) {
            QLineEdit* minute = dialog.timeBox(TimeField::Minute);
            minute->selectAll();
            QTest::keyClicks(minute, "a1-;2");
            QCOMPARE(minute->text(), QString("12"));
            QLineEdit* year = dialog.timeBox(TimeField::Year);
            year->setFocus();
            for (std::size_t i = 1; i < fileops::kTimeFieldOrder.size(); ++i) {
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
                QVERIFY(dialog.focusWidget() == dialog.timeBox(fileops::kTimeFieldOrder[i]));
            }
            QTest::keyClick(dialog.timeBox(TimeField::Second), Qt::Key_Return);
            QVERIFY(dialog.focusWidget() == dialog.updateButton());
            // Enter in an empty box is dropped.
            QLineEdit* second = dialog.timeBox(TimeField::Second);
            second->setFocus();
            second->clear();
            QTest::keyClick(second, Qt::Key_Return);
            QVERIFY(dialog.focusWidget() == second);
            QCOMPARE(second->text(), QString());
        });
        bool toClose = false;
        ShowInfo([&](auto& dialog) {
            dialog.timeBox(TimeField::Second)->setFocus();
            QTest::keyClick(dialog.timeBox(TimeField::Second), Qt::Key_Return);
            toClose = dialog.focusWidget() == dialog.closeButton();
        });
        QVERIFY(toClose);
    }

    void folderInformationAndItsTime() {
        Open();
        SelectOnly("SUB");
        ShowInfo([](auto& dialog) {
            QCOMPARE(dialog.typeLabel()->text(), QString("種類 :　　　ﾌｧｲﾙ ﾌｫﾙﾀﾞ"));
            QCOMPARE(dialog.sizeLabel()->text(), QString("サイズ :　　0"));
            QCOMPARE(Texts(dialog), (QStringList{"2021", "01", "02", "03", "04", "05"}));
            QVERIFY(!dialog.imageLabel()->pixmap().isNull());
            Retype(dialog.timeBox(TimeField::Year), "2020");
            QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        QCOMPARE(StatOf(Path("nc/SUB")).st_mtim.tv_sec, Local(2020, 1, 2, 3, 4, 4));
        QVERIFY(QFileInfo(Path("nc/SUB")).isDir());
    }

    void hiddenFilesShowTheirFlag() {
        QVERIFY(m_fixture->Write("nc/.keep", "k"));
        Open();
        SelectOnly(".keep");
        bool hidden = false;
        ShowInfo([&](auto& dialog) {
            hidden = dialog.attributeBox(fileops::kHidden)->isChecked();
            QVERIFY(!dialog.attributeBox(fileops::kHidden)->isEnabled());
        });
        QVERIFY(hidden);
    }
};

QTEST_MAIN(FindInfoTest)
#include "tst_find_info.moc"
