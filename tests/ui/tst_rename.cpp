// Renaming in the main window: in place in the file list, with the rename
// dialog for one row and with the group dialog for several, on real files.

#include "dialog_driver.h"
#include "file_list_model.h"
#include "group_rename_dialog.h"
#include "rename_dialog.h"
#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using fileops::GroupRenameKind;
using fileops::RenameMode;
using testsupport::BoxRecorder;
using testsupport::DriveDialog;
using testsupport::Names;
using testsupport::ReadBytes;

namespace {

constexpr const char* kNameExists = "すでに同じ名前が存在します。\n変更前に戻します。";

// "プログ" in CP932: the second bytes of プ and グ are the letters v and O.
const std::string kCp932Name = "\x83\x76\x83\x8D\x83\x4F"
                               "ab.nc";
const std::string kCp932Upper = "\x83\x76\x83\x8D\x83\x4F"
                                "AB.NC";

// Starts a command; each modal dialog shown meanwhile goes, in order, to the
// next step, and is rejected if the step leaves it open (also a dialog
// shown again). Returns how many dialogs were shown.
std::size_t DriveDialogs(const std::function<void()>& start,
                         const std::vector<std::function<void(QDialog&)>>& steps) {
    std::size_t shown = 0;
    bool acting = false;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (acting || !dialog || !dialog->isVisible()) return;
        acting = true;
        static_cast<void>(QTest::qWaitForWindowActive(dialog));
        if (shown < steps.size()) steps[shown](*dialog);
        ++shown;
        if (dialog->isVisible()) dialog->reject();
        acting = false;
    });
    watcher.start();
    start();
    return shown;
}

bool MakeFile(const std::string& path, const char* text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0) return false;
    const auto length = static_cast<ssize_t>(std::strlen(text));
    const bool written = ::write(fd, text, static_cast<std::size_t>(length)) == length;
    return ::close(fd) == 0 && written;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

class RenameTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    std::string Bytes(const QString& name) const { return m_fixture->Bytes(name); }
    filelist::FileListModel& Model() const { return *m_window->fileModel(); }
    QTreeView* List() const { return m_window->fileList(); }
    int RowOf(const QString& name) const { return Model().FindName(name.toStdString()); }
    QString Caption(int row) const { return Model().Row(row).caption; }
    QString Column(int row, int column) const { return Model().Text(Model().Row(row), column); }
    qint64 IconKey(int row) const {
        return Model()
            .data(Model().index(row, filelist::NameColumn), Qt::DecorationRole)
            .value<QIcon>()
            .cacheKey();
    }
    void SelectOnly(const QString& name) { m_window->SelectOnlyItem(RowOf(name)); }
    // The folder's entries in code point order.
    QStringList FolderEntries() const {
        QStringList entries = QDir(Path("nc")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        entries.sort();
        return entries;
    }

    // The list's name editor while an edit is open.
    QLineEdit* Editor() const {
        for (auto* editor : List()->findChildren<QLineEdit*>("NameEditor")) {
            if (editor->isVisible()) return editor;
        }
        return nullptr;
    }
    QLineEdit* StartEditing(const QString& name) {
        SelectOnly(name);
        QTest::keyClick(List(), Qt::Key_F2);
        return Editor();
    }
    // Replaces the editor's text by typing and ends the edit with `key`.
    void EndEditing(QLineEdit* editor, const QString& text, Qt::Key key = Qt::Key_Return) {
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, key);
        QTRY_VERIFY(!Editor());
    }
    void RenameInPlace(const QString& name, const QString& text) {
        QLineEdit* editor = StartEditing(name);
        QVERIFY(editor);
        QVERIFY(m_window->state().InPlaceEditing);
        QCOMPARE(editor->text(), name);
        EndEditing(editor, text);
        QTRY_VERIFY(!m_window->state().InPlaceEditing);
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        QDir().mkpath(Path("nc/SUB"));
        QVERIFY(m_fixture->Write("nc/A.NC", "a"));
        QVERIFY(m_fixture->Write("nc/C.NC", "c"));
        QVERIFY(m_fixture->Write("nc/PROG.NC", "p"));
        QVERIFY(m_fixture->Write("nc/X.TXT", "x"));
        m_window = m_fixture->Open(Path("nc"));
        QVERIFY(testsupport::Activate(*m_window));
    }
    void cleanup() {
        m_window.reset();
        // Names that are not UTF-8 are beyond the temporary folder's own clean-up.
        for (const std::string& name : {kCp932Name, kCp932Upper})
            ::unlink((Bytes("nc") + "/" + name).c_str());
    }

    void inPlaceRenameShowsTheNewNameWithItsType() {
        const int row = RowOf("A.NC");
        const QString size = Column(row, filelist::SizeColumn);
        const QString time = Column(row, filelist::ModifiedColumn);
        BoxRecorder recorder;
        RenameInPlace("A.NC", "Z.NC");
        QCOMPARE(ReadBytes(Path("nc/Z.NC")), QByteArray("a"));
        QVERIFY(!QFile::exists(Path("nc/A.NC")));
        // The row stays where it was, with its other columns, until the next listing.
        QCOMPARE(Caption(row), QString("Z.NC"));
        QCOMPARE(Model().Row(row).name, std::string("Z.NC"));
        QCOMPARE(Column(row, filelist::TypeColumn), QString("NC ﾌｧｲﾙ"));
        QCOMPARE(IconKey(row), IconKey(RowOf("C.NC")));
        QCOMPARE(Column(row, filelist::SizeColumn), size);
        QCOMPARE(Column(row, filelist::ModifiedColumn), time);
        QCOMPARE(Caption(row + 1), QString("C.NC"));
        QCoreApplication::processEvents();
        QVERIFY(recorder.boxes.isEmpty());
    }

    // The row shows the type a new listing gives the new name: a program is a
    // file its owner may run, whatever its name.
    void inPlaceRenameTakesTheTypeOfTheNewName_data() {
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<bool>("program");
        QTest::addColumn<QString>("newName");
        QTest::newRow("text to NC") << "X.TXT" << false << "B.NC";
        QTest::newRow("NC to TXT") << "A.NC" << false << "B.TXT";
        QTest::newRow("NC to EXE") << "A.NC" << false << "B.EXE";
        QTest::newRow("program to EXE") << "A.NC" << true << "B.EXE";
    }
    void inPlaceRenameTakesTheTypeOfTheNewName() {
        QFETCH(QString, oldName);
        QFETCH(bool, program);
        QFETCH(QString, newName);
        if (program) {
            QVERIFY(QFile::setPermissions(Path("nc/" + oldName),
                                          QFile::permissions(Path("nc/" + oldName)) |
                                              QFileDevice::ExeOwner));
            m_window->RefreshFileList(false, false, false);
        }
        const int row = RowOf(oldName);
        RenameInPlace(oldName, newName);
        const QString type = Column(row, filelist::TypeColumn);
        const qint64 icon = IconKey(row);
        if (program) QCOMPARE(type, QString("ｱﾌﾟﾘｹｰｼｮﾝ"));
        m_window->RefreshFileList(false, false, false);
        QCOMPARE(Column(RowOf(newName), filelist::TypeColumn), type);
        QCOMPARE(IconKey(RowOf(newName)), icon);
    }

    void inPlaceRefusalsKeepTheOldName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("told");
        QTest::newRow("file to a folder's name") << "A.NC"
                                                 << "SUB" << true;
        QTest::newRow("folder unchanged") << "SUB"
                                          << "SUB" << true;
        QTest::newRow("empty name") << "A.NC"
                                    << "" << true;
        QTest::newRow("another file's name") << "A.NC"
                                             << "C.NC" << false;
        QTest::newRow("a name with a slash") << "A.NC"
                                             << "SUB/A.NC" << false;
        QTest::newRow("the parent row") << ".."
                                        << "UP" << false;
    }
    void inPlaceRefusalsKeepTheOldName() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, told);
        const QStringList entries = FolderEntries();
        const int row = RowOf(name);
        BoxRecorder recorder;
        RenameInPlace(name, text);
        QCOMPARE(Caption(row), name);
        QCOMPARE(FolderEntries(), entries);
        QCOMPARE(ReadBytes(Path("nc/A.NC")), QByteArray("a"));
        QCOMPARE(ReadBytes(Path("nc/C.NC")), QByteArray("c"));
        if (told) {
            QTRY_COMPARE(recorder.boxes.size(), 1);
            QCOMPARE(recorder.boxes[0].text, QString(kNameExists));
            QCOMPARE(recorder.boxes[0].caption, QString("確認"));
            QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
        } else {
            QCoreApplication::processEvents();
            QVERIFY(recorder.boxes.isEmpty());
        }
    }

    void escapeCancelsWithoutRenaming() {
        QLineEdit* editor = StartEditing("A.NC");
        QVERIFY(editor);
        EndEditing(editor, "Z.NC", Qt::Key_Escape);
        QVERIFY(m_window->isVisible());
        QVERIFY(QFile::exists(Path("nc/A.NC")));
        QVERIFY(!QFile::exists(Path("nc/Z.NC")));
        QCOMPARE(Caption(RowOf("A.NC")), QString("A.NC"));
        // Until a click or Enter, keys reach the list's own search, not the commands.
        QVERIFY(m_window->state().InPlaceEditing);
        QVERIFY(!DriveDialog<QDialog>([&] { QTest::keyClick(List(), 'r'); }, [](QDialog&) {}));
    }

    // The window going away ends an open edit without a rename.
    void closingTheWindowCancelsAnOpenEdit_data() {
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("closed") << false;
        QTest::newRow("destroyed") << true;
    }
    void closingTheWindowCancelsAnOpenEdit() {
        QFETCH(bool, destroyed);
        QLineEdit* editor = StartEditing("A.NC");
        QVERIFY(editor);
        QTRY_VERIFY(editor->hasFocus());
        editor->setText("Z.NC");
        if (destroyed) {
            m_window.reset();
        } else {
            QVERIFY(m_window->close());
        }
        QCoreApplication::processEvents();
        QVERIFY(QFile::exists(Path("nc/A.NC")));
        QVERIFY(!QFile::exists(Path("nc/Z.NC")));
    }

    // Enter ends the edit only: the folder renamed is not entered.
    void clickOnTheSelectedNameEditsIt() {
        SelectOnly("SUB");
        const QRect name = List()->visualRect(Model().index(RowOf("SUB"), filelist::NameColumn));
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, name.center());
        QTRY_VERIFY(Editor());
        QVERIFY(m_window->state().InPlaceEditing);
        EndEditing(Editor(), "PARTS");
        QVERIFY(QFileInfo(Path("nc/PARTS")).isDir());
        QCOMPARE(Caption(RowOf("PARTS")), QString("PARTS"));
        QCOMPARE(QString::fromStdString(m_window->state().CurrentDir), Path("nc"));
        QVERIFY(!m_window->state().InPlaceEditing);
    }

    void doubleClickOpensInsteadOfEditing() {
        SelectOnly("SUB");
        const QRect name = List()->visualRect(Model().index(RowOf("SUB"), filelist::NameColumn));
        QWidget* viewport = List()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, name.center());
        QMouseEvent second(QEvent::MouseButtonDblClick, name.center(),
                           viewport->mapToGlobal(name.center()), Qt::LeftButton, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(viewport, &second);
        QCOMPARE(QString::fromStdString(m_window->state().CurrentDir), Path("nc/SUB"));
        QVERIFY(!Editor());
        QVERIFY(!m_window->state().InPlaceEditing);
    }

    // A row appended for a folder just made, and edited at once, is named by the edit.
    void anAppendedFolderRowIsNamedByItsEdit() {
        const QString made = "新規ﾌｫﾙﾀﾞ";
        QVERIFY(QDir().mkpath(Path("nc/" + made)));
        filelist::FileRow row;
        row.kind = filelist::FileRow::Kind::Folder;
        row.name = made.toStdString();
        row.caption = made;
        Model().AppendRow(row);
        const int last = Model().rowCount() - 1;
        m_window->SelectOnlyItem(last);
        List()->edit(Model().index(last, filelist::NameColumn));
        QVERIFY(Editor());
        QVERIFY(m_window->state().InPlaceEditing);
        EndEditing(Editor(), "O1000");
        QTRY_VERIFY(!m_window->state().InPlaceEditing);
        QVERIFY(QFileInfo(Path("nc/O1000")).isDir());
        QVERIFY(!QFileInfo::exists(Path("nc/" + made)));
        QCOMPARE(Caption(last), QString("O1000"));
        QCOMPARE(Column(last, filelist::TypeColumn), QString("ﾌｧｲﾙ ﾌｫﾙﾀﾞ"));
    }

    void rKeyMenuAndPopupOpenTheRenameDialog_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("R key") << "";
        QTest::newRow("menu") << "Menu_rename";
        QTest::newRow("list menu") << "Popup_rename";
    }
    void rKeyMenuAndPopupOpenTheRenameDialog() {
        QFETCH(QString, action);
        SelectOnly("PROG.NC");
        QString oldName;
        const bool shown = DriveDialog<fileopsui::RenameDialog>(
            [&] {
                if (action.isEmpty()) {
                    QTest::keyClick(List(), 'R');
                } else {
                    m_window->findChild<QAction*>(action)->trigger();
                }
            },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("名前変更"));
                oldName = dialog.template findChild<QLabel*>("Label1")->text();
                QCOMPARE(dialog.nameEdit()->text(), QString("PROG.NC"));
                QVERIFY(dialog.modeButton(RenameMode::Rename)->isChecked());
                QTRY_VERIFY(dialog.nameEdit()->hasFocus());
                const auto& [left, top, width, height] = m_window->state().WindowRect;
                QCOMPARE(dialog.pos(), QPoint(left + width / 2 - dialog.width() / 2,
                                              top + height / 2 - dialog.height() / 2));
            });
        QVERIFY(shown);
        QCOMPARE(oldName, QString("PROG.NC"));
        QVERIFY(QFile::exists(Path("nc/PROG.NC")));
    }

    void capitaliseModeKeepsTheTextCapitalisedWhileTyping() {
        SelectOnly("PROG.NC");
        QStringList typed;
        DriveDialog<fileopsui::RenameDialog>(
            [&] { QTest::keyClick(List(), 'r'); },
            [&](auto& dialog) {
                QLineEdit* edit = dialog.nameEdit();
                QTest::mouseClick(dialog.modeButton(RenameMode::Capitalize), Qt::LeftButton);
                QCOMPARE(edit->text(), QString("Prog.nc"));
                QVERIFY(dialog.focusWidget() == edit);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                for (const QChar key : QString("PROG.NC")) {
                    QTest::keyClicks(edit, key);
                    typed << edit->text();
                }
                QTest::keyClick(edit, Qt::Key_Return);
            });
        QCOMPARE(typed, (QStringList{"P", "Pr", "Pro", "Prog", "Prog.", "Prog.n", "Prog.nc"}));
        QCOMPARE(ReadBytes(Path("nc/Prog.nc")), QByteArray("p"));
        QVERIFY(!QFile::exists(Path("nc/PROG.NC")));
        const int row = RowOf("Prog.nc");
        QVERIFY(row >= 0);
        QCOMPARE(Caption(row), QString("Prog.nc"));
    }

    void upperCaseModeTurnsTheNameAtOnceAndWhatIsTyped() {
        QVERIFY(QFile::rename(Path("nc/PROG.NC"), Path("nc/prog.nc")));
        m_window->RefreshFileList(false, false, false);
        SelectOnly("prog.nc");
        DriveDialog<fileopsui::RenameDialog>(
            [&] { QTest::keyClick(List(), 'R'); },
            [&](auto& dialog) {
                QLineEdit* edit = dialog.nameEdit();
                QTest::mouseClick(dialog.modeButton(RenameMode::Upper), Qt::LeftButton);
                QCOMPARE(edit->text(), QString("PROG.NC"));
                QTest::keyClick(edit, Qt::Key_Home);
                QTest::keyClicks(edit, "x_");
                QCOMPARE(edit->text(), QString("X_PROG.NC"));
                QCOMPARE(edit->cursorPosition(), 2);
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        QVERIFY(QFile::exists(Path("nc/X_PROG.NC")));
        QVERIFY(!QFile::exists(Path("nc/prog.nc")));
        QVERIFY(RowOf("X_PROG.NC") >= 0);
    }

    // Tab leads from the name to the modes; the arrows choose one and stay there.
    void modesAreChosenWithTheKeyboard() {
        SelectOnly("PROG.NC");
        DriveDialog<fileopsui::RenameDialog>(
            [&] { QTest::keyClick(List(), 'r'); },
            [&](auto& dialog) {
                QTRY_VERIFY(dialog.nameEdit()->hasFocus());
                QTest::keyClick(dialog.nameEdit(), Qt::Key_Tab);
                QVERIFY(dialog.focusWidget() == dialog.modeButton(RenameMode::Rename));
                for (int step = 0; step < 3; ++step)
                    QTest::keyClick(dialog.focusWidget(), Qt::Key_Down);
                QVERIFY(dialog.focusWidget() == dialog.modeButton(RenameMode::Capitalize));
                QCOMPARE(dialog.mode(), RenameMode::Capitalize);
                QCOMPARE(dialog.nameEdit()->text(), QString("Prog.nc"));
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
                QVERIFY(dialog.focusWidget() == dialog.okButton());
                QTest::keyClick(dialog.okButton(), Qt::Key_Return);
            });
        QVERIFY(QFile::exists(Path("nc/Prog.nc")));
    }

    // The case change of a CP932 name keeps its encoding and its double-byte
    // characters, whose second bytes may look like letters.
    void caseChangeOfACp932NameKeepsItsBytes() {
        QVERIFY(MakeFile(Bytes("nc") + "/" + kCp932Name, "j"));
        m_window->RefreshFileList(false, false, false);
        const int row = Model().FindName(kCp932Name);
        QVERIFY(row >= 0);
        m_window->SelectOnlyItem(row);
        DriveDialog<fileopsui::RenameDialog>(
            [&] { QTest::keyClick(List(), 'r'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.nameEdit()->text(), QString("プログab.nc"));
                QTest::mouseClick(dialog.modeButton(RenameMode::Upper), Qt::LeftButton);
                QCOMPARE(dialog.nameEdit()->text(), QString("プログAB.NC"));
                QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
            });
        const std::string& upper = kCp932Upper;
        QVERIFY(Exists(Bytes("nc") + "/" + upper));
        QVERIFY(!Exists(Bytes("nc") + "/" + kCp932Name));
        QCOMPARE(Model().Row(row).name, upper);
        // Confirming the name unchanged in place renames nothing.
        m_window->SelectOnlyItem(row);
        QTest::keyClick(List(), Qt::Key_F2);
        QVERIFY(Editor());
        QCOMPARE(Editor()->text(), QString("プログAB.NC"));
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(!m_window->state().InPlaceEditing);
        QCOMPARE(Model().Row(row).name, upper);
    }

    void theDialogNeverReplacesAFile() {
        SelectOnly("PROG.NC");
        BoxRecorder recorder;
        DriveDialog<fileopsui::RenameDialog>([&] { QTest::keyClick(List(), 'r'); },
                                             [&](auto& dialog) {
                                                 dialog.nameEdit()->setText("C.NC");
                                                 QTest::mouseClick(dialog.okButton(),
                                                                   Qt::LeftButton);
                                             });
        QCOMPARE(ReadBytes(Path("nc/PROG.NC")), QByteArray("p"));
        QCOMPARE(ReadBytes(Path("nc/C.NC")), QByteArray("c"));
        QCOMPARE(Caption(RowOf("PROG.NC")), QString("PROG.NC"));
        QVERIFY(recorder.boxes.isEmpty());
    }

    void cancelEmptyNameAndTheParentRowRenameNothing() {
        const QStringList entries = FolderEntries();
        SelectOnly("PROG.NC");
        DriveDialog<fileopsui::RenameDialog>([&] { QTest::keyClick(List(), 'r'); },
                                             [&](auto& dialog) {
                                                 dialog.nameEdit()->setText("NEW.NC");
                                                 QTest::keyClick(&dialog, Qt::Key_Escape);
                                             });
        DriveDialog<fileopsui::RenameDialog>([&] { QTest::keyClick(List(), 'r'); },
                                             [&](auto& dialog) {
                                                 dialog.nameEdit()->clear();
                                                 QTest::keyClick(dialog.nameEdit(), Qt::Key_Return);
                                                 QVERIFY(dialog.isVisible());
                                                 QTest::mouseClick(dialog.okButton(),
                                                                   Qt::LeftButton);
                                             });
        BoxRecorder recorder;
        SelectOnly("..");
        QVERIFY(!DriveDialog<QDialog>([&] { QTest::keyClick(List(), 'r'); }, [](QDialog&) {}));
        QVERIFY(recorder.boxes.isEmpty());
        QCOMPARE(FolderEntries(), entries);
    }

    void noSelectionIsRefused() {
        List()->clearSelection();
        BoxRecorder recorder;
        QVERIFY(!DriveDialog<QDialog>([&] { QTest::keyClick(List(), 'r'); }, [](QDialog&) {}));
        QCOMPARE(recorder.boxes.size(), 1);
        QCOMPARE(recorder.boxes[0].text, QString("ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）を選択して下さい。"));
        QCOMPARE(recorder.boxes[0].caption, QString("確認"));
        QCOMPARE(recorder.boxes[0].icon, platform::MessageIcon::Stop);
    }

    void groupCaseChangesRenameEveryRowAndList_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("lower") << int(GroupRenameKind::Lower)
                               << QStringList{"SUB", "a.nc", "c.nc", "x.txt"};
        QTest::newRow("capitalise")
            << int(GroupRenameKind::Capitalize) << QStringList{"A.nc", "C.nc", "SUB", "X.txt"};
        QTest::newRow("rename: nothing")
            << int(GroupRenameKind::Rename) << QStringList{"A.NC", "C.NC", "SUB", "X.TXT"};
    }
    void groupCaseChangesRenameEveryRowAndList() {
        QFETCH(int, kind);
        QFETCH(QStringList, entries);
        QVERIFY(QFile::remove(Path("nc/PROG.NC")));
        m_window->RefreshFileList(false, false, false);
        QVERIFY(testsupport::SelectRows(*m_window, {"A.NC", "C.NC", "X.TXT"}));
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        const bool shown = DriveDialog<fileopsui::GroupRenameDialog>(
            [&] { QTest::keyClick(List(), 'R'); },
            [&](auto& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("名前変更"));
                QVERIFY(dialog.kindButton(GroupRenameKind::Rename)->isChecked());
                QTest::mouseClick(dialog.kindButton(GroupRenameKind(kind)), Qt::LeftButton);
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        QVERIFY(shown);
        QCOMPARE(FolderEntries(), entries);
        QVERIFY(listed.count() >= 1);
        QStringList listedNames = Names(*m_window);
        listedNames.removeOne("..");
        listedNames.sort();
        QCOMPARE(listedNames, entries);
    }

    void groupOneByOneAsksForEachNameButTheParentRow() {
        QVERIFY(testsupport::SelectRows(*m_window, {"..", "A.NC", "C.NC"}));
        QStringList asked;
        const std::size_t shown = DriveDialogs(
            [&] { QTest::keyClick(List(), 'r'); },
            {[&](QDialog& dialog) {
                 auto& group = static_cast<fileopsui::GroupRenameDialog&>(dialog);
                 QTest::mouseClick(group.kindButton(GroupRenameKind::EachInTurn), Qt::LeftButton);
                 QTest::keyClick(group.kindButton(GroupRenameKind::EachInTurn), Qt::Key_Return);
             },
             [&](QDialog& dialog) {
                 auto& single = static_cast<fileopsui::RenameDialog&>(dialog);
                 asked << single.nameEdit()->text();
                 single.nameEdit()->setText("KEPT.NC");
                 single.reject();
             },
             [&](QDialog& dialog) {
                 auto& single = static_cast<fileopsui::RenameDialog&>(dialog);
                 asked << single.nameEdit()->text();
                 single.nameEdit()->setText("D.NC");
                 QTest::mouseClick(single.okButton(), Qt::LeftButton);
             }});
        QCOMPARE(shown, std::size_t{3});
        QCOMPARE(asked, (QStringList{"A.NC", "C.NC"}));
        QCOMPARE(FolderEntries(), (QStringList{"A.NC", "D.NC", "PROG.NC", "SUB", "X.TXT"}));
        QVERIFY(RowOf("D.NC") >= 0);
    }

    void groupCancelRenamesNothing() {
        QVERIFY(testsupport::SelectRows(*m_window, {"A.NC", "C.NC"}));
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        DriveDialog<fileopsui::GroupRenameDialog>(
            [&] { QTest::keyClick(List(), 'r'); },
            [&](auto& dialog) {
                dialog.kindButton(GroupRenameKind::Upper)->setChecked(true);
                dialog.reject();
            });
        QCOMPARE(FolderEntries(), (QStringList{"A.NC", "C.NC", "PROG.NC", "SUB", "X.TXT"}));
        QCOMPARE(listed.count(), 0);
    }
};

QTEST_MAIN(RenameTest)
#include "tst_rename.moc"
