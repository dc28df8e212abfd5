// Delete, copy, move and new folder in the real main window, on real files
// under a temporary folder, with a temporary home for the trash.

#include "copy_move_dialog.h"
#include "dialog_driver.h"
#include "fileops_fixtures.h"
#include "history_list.h"
#include "new_folder.h"
#include "system_reason.h"
#include "transfer_progress_dialog.h"
#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeView>
#include <QUrl>
#include <cerrno>
#include <functional>
#include <unistd.h>

using fileopsui::CopyMoveDialog;
using testsupport::DriveDialog;
using testsupport::DropOn;
using testsupport::ReadBytes;

namespace {

constexpr const char* kSelectEntry = "ﾌｧｲﾙ（ﾌｫﾙﾀﾞ）を選択して下さい。";
constexpr const char* kSameFolderSuffix = "のﾌｫﾙﾀﾞｰにはｺﾋﾟｰは出来ません。";
constexpr const char* kCreateQuestion =
    "ディレクトリが見つかりません。ディレクトリを作成しますか？";

// Records every message box and answers it from a script (OK once the
// script is used up); `onBox` may act while a box is "open".
class ScriptedBoxes final {
  public:
    explicit ScriptedBoxes(QList<int> script = {}) : answers(std::move(script)) {
        platform::SetMessageResponder([this](const platform::MessageRequest& request) {
            boxes << request;
            onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
            if (onBox) onBox(request);
            return answers.isEmpty() ? int(platform::IDOK) : answers.takeFirst();
        });
    }
    ~ScriptedBoxes() { platform::SetMessageResponder({}); }
    ScriptedBoxes(const ScriptedBoxes&) = delete;
    ScriptedBoxes& operator=(const ScriptedBoxes&) = delete;

    QStringList Texts() const {
        QStringList texts;
        for (const auto& box : boxes)
            texts << box.text;
        return texts;
    }

    QList<platform::MessageRequest> boxes;
    QList<int> answers;
    std::function<void(const platform::MessageRequest&)> onBox;
    bool onGuiThread = true;
};

// Every path below a folder, sorted, so that a left-over temporary file shows.
QStringList Tree(const QString& folder) {
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << QDir(folder).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

QString FolderText(const QWidget& dialog, const char* label) {
    return dialog.findChild<QLabel*>(label)->text();
}

} // namespace

class FileTransferTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;
    std::unique_ptr<fileops_test::ScopedEnv> m_home;
    std::unique_ptr<fileops_test::ScopedEnv> m_dataHome;
    QString m_previousFolder;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    QString Trash(const QString& part) const { return Path("home/.local/share/Trash/" + part); }
    QString Current() const { return QString::fromStdString(m_window->state().CurrentDir); }
    QStringList Files(const QString& folder) const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }
    bool Listed(const QString& name) const {
        return m_window->fileModel()->FindName(name.toStdString()) >= 0;
    }
    void Select(const QStringList& names) { QVERIFY(testsupport::SelectRows(*m_window, names)); }
    void Key(char key) { QTest::keyClick(m_window->fileList(), key); }
    void Trigger(const char* action) { m_window->findChild<QAction*>(action)->trigger(); }
    // Runs a command by its key ("c") or its action's object name.
    void Run(const QString& command) {
        if (command.size() == 1) {
            Key(command.at(0).toLatin1());
        } else {
            Trigger(command.toLatin1().constData());
        }
    }
    std::string PathList() const { return m_fixture->Bytes("PATH.LST"); }
    void WriteHistory(const QStringList& entries) {
        std::vector<std::string> lines;
        for (const QString& entry : entries)
            lines.push_back(entry.toStdString());
        filelist::SaveHistoryFile(PathList(), lines);
    }

    // Opens the copy or move dialog for the rows and runs `act` on it.
    bool InDialog(const QStringList& rows, const QString& command,
                  const std::function<void(CopyMoveDialog&)>& act) {
        testsupport::SelectRows(*m_window, rows);
        return DriveDialog<CopyMoveDialog>([&] { Run(command); }, act);
    }
    // Types a destination and presses Enter in the dialog.
    static void Send(CopyMoveDialog& dialog, const QString& destination) {
        QTRY_VERIFY(dialog.destinationBox()->hasFocus());
        testsupport::TypeInto(dialog.destinationBox(), destination);
        QTest::keyClick(dialog.destinationBox(), Qt::Key_Return);
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        // A fresh home without ~/.local/share, and a working folder of its
        // own: nothing may land there when the trash is made.
        QVERIFY(m_fixture->Write("home/.profile", ""));
        QDir().mkpath(Path("work"));
        m_home =
            std::make_unique<fileops_test::ScopedEnv>("HOME", m_fixture->Bytes("home").c_str());
        m_dataHome = std::make_unique<fileops_test::ScopedEnv>("XDG_DATA_HOME", nullptr);
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(Path("work")));
        QVERIFY(m_fixture->Write("nc/A.NC", "new a"));
        QVERIFY(m_fixture->Write("nc/B.NC", "new b"));
        QVERIFY(m_fixture->Write("nc/SUB/C.NC", "new c"));
        QVERIFY(m_fixture->Write("nc/SUB/DEEP/D.NC", "new d"));
        QDir().mkpath(Path("dst"));
        m_window = m_fixture->Open(Path("nc"));
        QVERIFY(testsupport::Activate(*m_window));
    }
    void cleanup() {
        m_window.reset();
        QDir::setCurrent(m_previousFolder);
        m_dataHome.reset();
        m_home.reset();
        m_fixture.reset();
    }

    // --- Selection ---------------------------------------------------------

    void commandsRefuseAnEmptySelection_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"d", "c", "m", "tlbtnDel", "Menu_copy", "Popup_move"})
            QTest::newRow(command) << QString(command);
    }
    void commandsRefuseAnEmptySelection() {
        QFETCH(QString, command);
        m_window->fileList()->clearSelection();
        ScriptedBoxes boxes;
        QVERIFY(!DriveDialog<QDialog>([&] { Run(command); }, [](QDialog&) {}));
        QCOMPARE(boxes.Texts(), QStringList{kSelectEntry});
        QCOMPARE(boxes.boxes[0].caption, QString("確認"));
        QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Stop);
    }

    void onlyTheParentRowSelectedDoesNothing_data() { commandsRefuseAnEmptySelection_data(); }
    void onlyTheParentRowSelectedDoesNothing() {
        QFETCH(QString, command);
        Select({".."});
        ScriptedBoxes boxes;
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        QVERIFY(!DriveDialog<QDialog>([&] { Run(command); }, [](QDialog&) {}));
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(listed.count(), 0);
        QCOMPARE(Files(Path("nc")), (QStringList{"A.NC", "B.NC", "SUB"}));
    }

    // --- Delete ------------------------------------------------------------

    void deleteSendsToTheTrashAfterConfirmation_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"d", "tlbtnDel", "Menu_delete", "Popup_delete"})
            QTest::newRow(command) << QString(command);
    }
    void deleteSendsToTheTrashAfterConfirmation() {
        QFETCH(QString, command);
        Select({"A.NC"});
        ScriptedBoxes boxes({platform::IDYES});
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        Run(command);
        QCOMPARE(boxes.Texts(), QStringList{"A.NC をごみ箱に移動しますか？"});
        QCOMPARE(boxes.boxes[0].caption, QString("確認"));
        QCOMPARE(boxes.boxes[0].buttons, platform::MessageButtons::YesNo);
        QCOMPARE(Files(Path("nc")), (QStringList{"B.NC", "SUB"}));
        QCOMPARE(Files(Trash("files")), QStringList{"A.NC"});
        QCOMPARE(ReadBytes(Trash("files/A.NC")), QByteArray("new a"));
        QCOMPARE(listed.count(), 1);
        QVERIFY(!Listed("A.NC"));
        // The fresh home got its trash; the working folder stayed empty.
        QCOMPARE(Files(Path("work")), QStringList{});
    }

    void deleteAnsweredNoChangesNothing() {
        Select({"A.NC", "SUB"});
        ScriptedBoxes boxes({platform::IDNO});
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        Key('d');
        QCOMPARE(boxes.Texts(), QStringList{"これらの 2 個の項目をごみ箱に移動しますか？"});
        QCOMPARE(Files(Path("nc")), (QStringList{"A.NC", "B.NC", "SUB"}));
        QVERIFY(!QFileInfo::exists(Trash("files")) || Files(Trash("files")).isEmpty());
        QCOMPARE(listed.count(), 0);
    }

    void deleteLeavesTheParentRowOut() {
        Select({"..", "A.NC", "SUB"});
        ScriptedBoxes boxes({platform::IDYES});
        Key('d');
        QCOMPARE(boxes.Texts(), QStringList{"これらの 2 個の項目をごみ箱に移動しますか？"});
        QCOMPARE(Files(Trash("files")), (QStringList{"A.NC", "SUB"}));
        QCOMPARE(Files(Trash("info")), (QStringList{"A.NC.trashinfo", "SUB.trashinfo"}));
        QCOMPARE(Files(Path("nc")), QStringList{"B.NC"});
        QVERIFY(QFileInfo(Path("nc")).isDir());
        QCOMPARE(testsupport::Names(*m_window), (QStringList{"..", "B.NC"}));
    }

    // A folder that cannot leave its place: the trash refuses it, the others
    // still go, and the second question decides.
    void refusedEntriesAreNamedAndDeletedForGoodOnlyWhenAgreed_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("kept") << int(platform::IDNO);
        QTest::newRow("delete for good") << int(platform::IDYES);
    }
    void refusedEntriesAreNamedAndDeletedForGoodOnlyWhenAgreed() {
        QFETCH(int, answer);
        QVERIFY(m_fixture->Write("nc/LOCKED/E.NC", "e"));
        m_window->RefreshFileList(false, false, false);
        fileops_test::UnwritableFolder locked(m_fixture->Bytes("nc/LOCKED"));
        if (!locked.ok()) QSKIP("cannot lock a folder here");
        Select({"A.NC", "LOCKED", "B.NC"});
        ScriptedBoxes boxes({platform::IDYES, answer});
        Key('d');
        const int error = ::geteuid() == 0 ? EPERM : EACCES;
        const QString reason = QString::fromStdString(fileops::SystemReason(error));
        QVERIFY(boxes.boxes.size() >= 2);
        QCOMPARE(boxes.boxes[1].text,
                 "LOCKED: " + reason + "\n\nごみ箱に移動出来ませんでした。\n完全に削除しますか？");
        QCOMPARE(boxes.boxes[1].caption, QString("警告"));
        QCOMPARE(boxes.boxes[1].buttons, platform::MessageButtons::YesNo);
        QCOMPARE(Files(Trash("files")), (QStringList{"A.NC", "B.NC"}));
        QCOMPARE(Files(Path("nc/LOCKED")), QStringList{"E.NC"});
        QVERIFY(!Listed("A.NC"));
        QVERIFY(Listed("LOCKED"));
        // Deleting for good is refused as well, and said so.
        if (answer == platform::IDYES) {
            QCOMPARE(boxes.boxes.size(), 3);
            QCOMPARE(boxes.boxes[2].icon, platform::MessageIcon::Stop);
            QVERIFY(boxes.boxes[2].text.startsWith("削除出来なかったﾌｧｲﾙがあります。\n" +
                                                   Path("nc/LOCKED")));
        } else {
            QCOMPARE(boxes.boxes.size(), 2);
        }
    }

    // A file system without a trash the user may make: the entries are
    // deleted for good after the second question.
    void withoutATrashEntriesAreDeletedForGoodOnlyWhenAgreed_data() {
        refusedEntriesAreNamedAndDeletedForGoodOnlyWhenAgreed_data();
    }
    void withoutATrashEntriesAreDeletedForGoodOnlyWhenAgreed() {
        QFETCH(int, answer);
        fileops_test::ScratchTmpfs volume(m_fixture->Bytes("volume"), "size=1m");
        if (!volume.mounted()) QSKIP("cannot mount a tmpfs here");
        QVERIFY(m_fixture->Write("volume/work/X.NC", "x"));
        QVERIFY(m_fixture->Write("volume/work/TREE/Y.NC", "y"));
        fileops_test::UnwritableFolder top(m_fixture->Bytes("volume"));
        if (!top.ok()) QSKIP("cannot lock a folder here");
        m_window->state().CurrentDir = m_fixture->Bytes("volume/work");
        m_window->RefreshFileList(false, false, false);
        Select({"X.NC", "TREE"});
        ScriptedBoxes boxes({platform::IDYES, answer});
        Key('d');
        QCOMPARE(boxes.boxes.size(), 2);
        const QString reason =
            QString::fromStdString(fileops::SystemReason(::geteuid() == 0 ? EPERM : EACCES));
        QCOMPARE(boxes.boxes[1].text,
                 "TREE: " + reason + "\nX.NC: " + reason +
                     "\n\nごみ箱に移動出来ませんでした。\n完全に削除しますか？");
        const QStringList left = Files(Path("volume/work"));
        QCOMPARE(left, (answer == platform::IDYES ? QStringList{} : QStringList{"TREE", "X.NC"}));
        QCOMPARE(testsupport::Names(*m_window).size(), left.size() + 1);
    }

    // --- The copy and move dialog ------------------------------------------

    void dialogShowsTheNamesAndTheLastDestination_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        for (const char* command : {"c", "tlbtnCopy", "Menu_copy", "Popup_copy"})
            QTest::newRow(command) << QString(command) << "ﾌｧｲﾙｺﾋﾟｰ"
                                   << "ｺﾋﾟｰ先";
        for (const char* command : {"m", "tlbtnMove", "Menu_move", "Popup_move"})
            QTest::newRow(command) << QString(command) << "ﾌｧｲﾙ移動"
                                   << "移動先";
    }
    void dialogShowsTheNamesAndTheLastDestination() {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        WriteHistory({Path("dst"), Path("other")});
        QVERIFY(InDialog({"..", "A.NC", "SUB"}, command, [&](CopyMoveDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), caption);
            QCOMPARE(FolderText(dialog, "Label1"),
                     QString("選択ファイル一覧 (同一ﾌｫﾙﾀﾞｰには不可!!)"));
            QCOMPARE(FolderText(dialog, "Label2"), label);
            QCOMPARE(testsupport::Items(dialog.nameList()), (QStringList{"SUB", "A.NC"}));
            QCOMPARE(testsupport::Items(dialog.destinationBox()),
                     (QStringList{Path("dst"), Path("other")}));
            QCOMPARE(dialog.destinationBox()->currentText(), Path("dst"));
            QVERIFY(dialog.okButton()->isEnabled());
            QTRY_VERIFY(dialog.destinationBox()->hasFocus());
        }));
        QCOMPARE(m_window->state().MoveMode, caption == "ﾌｧｲﾙ移動");
    }

    void okFollowsTheBoxText() {
        QVERIFY(InDialog({"A.NC"}, "c", [&](CopyMoveDialog& dialog) {
            QCOMPARE(dialog.destinationBox()->currentText(), QString());
            QVERIFY(!dialog.okButton()->isEnabled());
            QTRY_VERIFY(dialog.destinationBox()->hasFocus());
            QTest::keyClicks(dialog.destinationBox(), "x");
            QVERIFY(dialog.okButton()->isEnabled());
            QTest::keyClick(dialog.destinationBox(), Qt::Key_Backspace);
            QVERIFY(!dialog.okButton()->isEnabled());
            // Enter in the empty box does nothing; the dialog stays.
            QTest::keyClick(dialog.destinationBox(), Qt::Key_Return);
            QVERIFY(dialog.isVisible());
        }));
        QCOMPARE(testsupport::History(PathList()), QStringList{});
    }

    void refusedCharactersAreExplained() {
        ScriptedBoxes boxes;
        QVERIFY(InDialog({"A.NC"}, "c", [&](CopyMoveDialog& dialog) {
            QTRY_VERIFY(dialog.destinationBox()->hasFocus());
            QTest::keyClicks(dialog.destinationBox(), "a*b\\c.d:e/f");
            QCOMPARE(dialog.destinationBox()->currentText(), QString("abc.d:e/f"));
        }));
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[0].text, QString("この文字はフォルダー名に使えません。\n\\:,;*?<>|."));
        QCOMPARE(boxes.boxes[0].caption, QString("確認"));
        QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Stop);
    }

    void browseButtonFillsTheBox() {
        QVERIFY(InDialog({"A.NC"}, "c", [&](CopyMoveDialog& dialog) {
            QString title;
            QVERIFY(DriveDialog<QFileDialog>([&] { dialog.browseButton()->click(); },
                                             [&](QFileDialog& chooser) {
                                                 title = chooser.windowTitle();
                                                 chooser.setDirectory(Path("dst"));
                                                 static_cast<QDialog&>(chooser).accept();
                                             }));
            QCOMPARE(title, "現ﾃﾞｨﾚｸﾄﾘ " + Path("nc"));
            QCOMPARE(dialog.destinationBox()->currentText(), Path("dst"));
            QVERIFY(dialog.okButton()->isEnabled());
            // A cancelled chooser gives the current folder.
            QVERIFY(DriveDialog<QFileDialog>([&] { dialog.browseButton()->click(); },
                                             [](QFileDialog& chooser) { chooser.reject(); }));
            QCOMPARE(dialog.destinationBox()->currentText(), Path("nc"));
            // Offscreen, no window is active again after the chooser.
            QCOMPARE(dialog.focusWidget(), dialog.destinationBox());
        }));
    }

    void sameFolderIsRefusedHoweverItIsSpelt_data() {
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("command");
        QTest::newRow("itself") << "nc"
                                << "c";
        QTest::newRow("trailing slash") << "nc/"
                                        << "c";
        QTest::newRow("through a link") << "link-to-nc"
                                        << "c";
        QTest::newRow("dot dot") << "dst/../nc"
                                 << "m";
        QTest::newRow("relative") << "."
                                  << "m";
    }
    void sameFolderIsRefusedHoweverItIsSpelt() {
        QFETCH(QString, destination);
        QFETCH(QString, command);
        QVERIFY(QFile::link(Path("nc"), Path("link-to-nc")));
        const QString typed = destination == "." ? destination : Path(destination);
        ScriptedBoxes boxes;
        QVERIFY(InDialog({"A.NC", "SUB"}, command, [&](CopyMoveDialog& dialog) {
            Send(dialog, typed);
            QVERIFY(dialog.isVisible());
            QVERIFY(!dialog.okButton()->isEnabled());
            QTRY_VERIFY(dialog.destinationBox()->hasFocus());
        }));
        QCOMPARE(boxes.Texts(), QStringList{Path("nc") + kSameFolderSuffix});
        QCOMPARE(boxes.boxes[0].caption, QString("警告"));
        QCOMPARE(boxes.boxes[0].buttons, platform::MessageButtons::Yes);
        QVERIFY(boxes.boxes[0].besideOwner);
        QCOMPARE(Tree(Path("nc")),
                 (QStringList{"A.NC", "B.NC", "SUB", "SUB/C.NC", "SUB/DEEP", "SUB/DEEP/D.NC"}));
        // Refused, yet kept in the history as typed.
        QCOMPARE(testsupport::History(PathList()), QStringList{typed});
    }

    void missingDestinationIsCreatedOnYes() {
        ScriptedBoxes boxes({platform::IDYES});
        const QString typed = Path("new/deeper") + "/";
        QVERIFY(
            InDialog({"A.NC", "SUB"}, "c", [&](CopyMoveDialog& dialog) { Send(dialog, typed); }));
        QCOMPARE(boxes.Texts(), (QStringList{kCreateQuestion, "ファイルをコピーしました。"}));
        QCOMPARE(boxes.boxes[0].caption, QString("警告"));
        QVERIFY(boxes.boxes[0].besideOwner);
        QCOMPARE(boxes.boxes[1].caption, QString("完了"));
        QCOMPARE(Tree(Path("new/deeper")),
                 (QStringList{"A.NC", "SUB", "SUB/C.NC", "SUB/DEEP", "SUB/DEEP/D.NC"}));
        QCOMPARE(testsupport::History(PathList()), QStringList{typed});
        QCOMPARE(QString::fromStdString(m_window->state().WorkPath), Path("new/deeper"));
    }

    void missingDestinationRefusedPutsTheCurrentFolderBack() {
        ScriptedBoxes boxes({platform::IDNO});
        QVERIFY(InDialog({"A.NC"}, "m", [&](CopyMoveDialog& dialog) {
            Send(dialog, Path("new"));
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.destinationBox()->currentText(), Path("nc"));
            QVERIFY(dialog.okButton()->isEnabled());
            QTRY_VERIFY(dialog.destinationBox()->hasFocus());
        }));
        QCOMPARE(boxes.Texts(), QStringList{kCreateQuestion});
        QVERIFY(!QFileInfo::exists(Path("new")));
        QCOMPARE(ReadBytes(Path("nc/A.NC")), QByteArray("new a"));
        QCOMPARE(QString::fromStdString(m_window->state().WorkPath), Path("nc"));
    }

    void aDestinationThatCannotBeMadeIsReported() {
        QVERIFY(m_fixture->Write("plain", "a file"));
        ScriptedBoxes boxes({platform::IDYES});
        QVERIFY(InDialog({"A.NC"}, "c", [&](CopyMoveDialog& dialog) {
            Send(dialog, Path("plain/sub"));
            QVERIFY(dialog.isVisible());
        }));
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].icon, platform::MessageIcon::Stop);
        QVERIFY(
            boxes.boxes[1].text.startsWith("ﾌｫﾙﾀﾞｰを作成出来ませんでした。\n" + Path("plain/sub")));
    }

    void historyPushIsByteExactAndComesFirst() {
        WriteHistory({Path("DST"), Path("x")});
        ScriptedBoxes boxes({platform::IDNO});
        QVERIFY(InDialog({"A.NC"}, "c", [&](CopyMoveDialog& dialog) {
            Send(dialog, Path("dst"));
            // The existing folder of the other case is a different folder.
            QCOMPARE(testsupport::Items(dialog.destinationBox()),
                     (QStringList{Path("dst"), Path("DST"), Path("x")}));
        }));
        QCOMPARE(boxes.Texts(), QStringList{"ファイルをコピーしました。"});
        QCOMPARE(testsupport::History(PathList()),
                 (QStringList{Path("dst"), Path("DST"), Path("x")}));
        // The same text again moves to the top without a copy of it.
        QVERIFY(InDialog({"B.NC"}, "c", [&](CopyMoveDialog& dialog) {
            dialog.destinationBox()->setCurrentIndex(2);
            QTest::keyClick(dialog.destinationBox(), Qt::Key_Return);
        }));
        QCOMPARE(testsupport::History(PathList()),
                 (QStringList{Path("x"), Path("dst"), Path("DST")}));
    }

    // --- Copy and move -------------------------------------------------------

    void copyCopiesFilesAndTreesAndLeavesTheList() {
        ScriptedBoxes boxes;
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        QVERIFY(InDialog({"A.NC", "SUB"}, "c", [&](CopyMoveDialog& dialog) {
            Send(dialog, Path("dst"));
            QVERIFY(!dialog.isVisible());
        }));
        QCOMPARE(boxes.Texts(), QStringList{"ファイルをコピーしました。"});
        QCOMPARE(boxes.boxes[0].caption, QString("完了"));
        QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Information);
        QCOMPARE(Tree(Path("dst")),
                 (QStringList{"A.NC", "SUB", "SUB/C.NC", "SUB/DEEP", "SUB/DEEP/D.NC"}));
        QCOMPARE(ReadBytes(Path("dst/SUB/DEEP/D.NC")), QByteArray("new d"));
        QCOMPARE(Tree(Path("nc")),
                 (QStringList{"A.NC", "B.NC", "SUB", "SUB/C.NC", "SUB/DEEP", "SUB/DEEP/D.NC"}));
        QCOMPARE(listed.count(), 0);
    }

    void moveMovesAndReadsTheListAgain() {
        ScriptedBoxes boxes;
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        QVERIFY(InDialog({"A.NC", "SUB"}, "m",
                         [&](CopyMoveDialog& dialog) { Send(dialog, Path("dst")); }));
        QCOMPARE(boxes.Texts(), QStringList{"ファイルを移動しました。"});
        QCOMPARE(Tree(Path("dst")),
                 (QStringList{"A.NC", "SUB", "SUB/C.NC", "SUB/DEEP", "SUB/DEEP/D.NC"}));
        QCOMPARE(Tree(Path("nc")), QStringList{"B.NC"});
        QCOMPARE(listed.count(), 1);
        QCOMPARE(testsupport::Names(*m_window), (QStringList{"..", "B.NC"}));
    }

    // SUB/C.NC and A.NC are at the destination already (asked in that order,
    // folders being listed first): one question each, asked on the GUI thread
    // over the shown progress window.
    void conflictsFollowTheAnswers_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("c");
        QTest::addColumn<bool>("finished");
        for (const char* command : {"c", "m"}) {
            const QByteArray kind = command;
            QTest::newRow(kind + " yes, yes")
                << command << QList<int>{platform::IDYES, platform::IDYES} << 2
                << QByteArray("new a") << QByteArray("new c") << true;
            QTest::newRow(kind + " no, yes")
                << command << QList<int>{platform::IDNO, platform::IDYES} << 2
                << QByteArray("new a") << QByteArray("old c") << true;
            QTest::newRow(kind + " yes to all")
                << command << QList<int>{platform::IDYESTOALL} << 1 << QByteArray("new a")
                << QByteArray("new c") << true;
            QTest::newRow(kind + " cancel") << command << QList<int>{platform::IDCANCEL} << 1
                                            << QByteArray("old a") << QByteArray("old c") << false;
        }
    }
    void conflictsFollowTheAnswers() {
        QFETCH(QString, command);
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, c);
        QFETCH(bool, finished);
        QVERIFY(m_fixture->Write("dst/A.NC", "old a"));
        QVERIFY(m_fixture->Write("dst/SUB/C.NC", "old c"));
        const bool move = command == "m";
        ScriptedBoxes boxes(answers);
        bool progressShown = true;
        boxes.onBox = [&](const platform::MessageRequest& request) {
            if (request.buttons == platform::MessageButtons::YesNoAllCancel) {
                auto* progress = qobject_cast<fileopsui::TransferProgressDialog*>(request.owner);
                progressShown = progressShown && progress && progress->isVisible();
            }
        };
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        QVERIFY(InDialog({"A.NC", "B.NC", "SUB"}, command,
                         [&](CopyMoveDialog& dialog) { Send(dialog, Path("dst")); }));
        QStringList expected;
        for (const QString& target :
             QStringList{Path("dst/SUB/C.NC"), Path("dst/A.NC")}.mid(0, questions))
            expected << "すでに" + target + "が有ります。\n上書きしますか？";
        if (finished)
            expected << (move ? "ファイルを移動しました。" : "ファイルをコピーしました。");
        QStringList texts = boxes.Texts();
        for (int i = 0; i < questions && i < texts.size(); ++i)
            texts[i] = texts[i].section("\n\n", 0, 0);
        QCOMPARE(texts, expected);
        QCOMPARE(boxes.boxes[0].caption, QString("警告"));
        QCOMPARE(boxes.boxes[0].buttons, platform::MessageButtons::YesNoAllCancel);
        QVERIFY(boxes.boxes[0].besideOwner);
        QVERIFY(boxes.onGuiThread);
        QVERIFY(progressShown);
        QCOMPARE(ReadBytes(Path("dst/A.NC")), a);
        QCOMPARE(ReadBytes(Path("dst/SUB/C.NC")), c);
        // Whatever was not moved is still at its place; nothing half made anywhere.
        if (move && a == "old a") QCOMPARE(ReadBytes(Path("nc/A.NC")), QByteArray("new a"));
        if (move && c == "old c") QCOMPARE(ReadBytes(Path("nc/SUB/C.NC")), QByteArray("new c"));
        for (const QString& path : Tree(Path("dst")) + Tree(Path("nc")))
            QVERIFY2(!path.contains(".tornwel-"), qPrintable(path));
        // A move reads the list again unless it was cancelled.
        QCOMPARE(listed.count(), move && finished ? 1 : 0);
        if (finished) QCOMPARE(ReadBytes(Path("dst/B.NC")), QByteArray("new b"));
    }

    // The cancel button of the progress window, pressed while the worker
    // waits for an answer: the transfer ends as aborted.
    void cancelButtonAbortsTheTransfer_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("copy") << "c";
        QTest::newRow("move") << "m";
    }
    void cancelButtonAbortsTheTransfer() {
        QFETCH(QString, command);
        const QByteArray big(3 * 1024 * 1024, 'b');
        QVERIFY(m_fixture->Write("nc/BIG.NC", big));
        QVERIFY(m_fixture->Write("dst/X.NC", "old x"));
        QVERIFY(m_fixture->Write("nc/X.NC", "new x"));
        m_window->RefreshFileList(false, false, false);
        ScriptedBoxes boxes({platform::IDYES});
        QString shownName;
        QString shownFiles;
        int shownBar = -1;
        boxes.onBox = [&](const platform::MessageRequest& request) {
            auto* progress = qobject_cast<fileopsui::TransferProgressDialog*>(request.owner);
            if (!progress) return;
            // The window keeps being painted and updated meanwhile.
            QTest::qWait(50);
            shownName = progress->nameLabel()->toolTip();
            shownFiles = progress->fileCountLabel()->text();
            shownBar = progress->progressBar()->value();
            QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
            QVERIFY(!progress->cancelButton()->isEnabled());
        };
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        QVERIFY(InDialog({"BIG.NC", "X.NC"}, command, [&](CopyMoveDialog& dialog) {
            Send(dialog, Path("dst"));
            QVERIFY(!dialog.isVisible());
        }));
        QCOMPARE(boxes.boxes.size(), 1); // the question, and no completion
        QCOMPARE(shownName, Path("nc/X.NC"));
        QCOMPARE(shownFiles, QString("ﾌｧｲﾙ 1 / 2"));
        QCOMPARE(shownBar, int(1000 * big.size() / (big.size() + 5)));
        QCOMPARE(ReadBytes(Path("dst/X.NC")), QByteArray("old x"));
        QCOMPARE(ReadBytes(Path("nc/X.NC")), QByteArray("new x"));
        QCOMPARE(ReadBytes(Path("dst/BIG.NC")), big);
        QCOMPARE(Files(Path("dst")), (QStringList{"BIG.NC", "X.NC"}));
        QCOMPARE(listed.count(), 0);
    }

    // --- Files dropped on the window -----------------------------------------

    void droppedFilesAskAboutConflictsAndCountWhatArrived() {
        QVERIFY(m_fixture->Write("elsewhere/A.NC", "dropped a"));
        QVERIFY(m_fixture->Write("elsewhere/E.NC", "dropped e"));
        QVERIFY(m_fixture->Write("elsewhere/TREE/T.NC", "t"));
        ScriptedBoxes boxes({platform::IDNO});
        bool askedOverProgress = false;
        boxes.onBox = [&](const platform::MessageRequest& request) {
            if (request.buttons == platform::MessageButtons::YesNoAllCancel) {
                askedOverProgress =
                    qobject_cast<fileopsui::TransferProgressDialog*>(request.owner) != nullptr;
            }
        };
        DropOn(m_window.get(), {QUrl::fromLocalFile(Path("elsewhere/A.NC")),
                                QUrl::fromLocalFile(Path("elsewhere/E.NC")),
                                QUrl::fromLocalFile(Path("elsewhere/TREE"))});
        QCOMPARE(boxes.boxes.size(), 2);
        QVERIFY(boxes.boxes[0].text.startsWith("すでに" + Path("nc/A.NC") + "が有ります。"));
        QVERIFY(askedOverProgress);
        QCOMPARE(boxes.boxes[1].text, QString("2個のﾌｧｲﾙをｺﾋﾟｰしました。"));
        QCOMPARE(m_window->state().OpCount, 2);
        QCOMPARE(ReadBytes(Path("nc/A.NC")), QByteArray("new a"));
        QCOMPARE(ReadBytes(Path("nc/TREE/T.NC")), QByteArray("t"));
        QVERIFY(Listed("E.NC"));
    }

    void aCancelledDropSaysNothing() {
        QVERIFY(m_fixture->Write("elsewhere/A.NC", "dropped a"));
        QVERIFY(m_fixture->Write("elsewhere/E.NC", "dropped e"));
        ScriptedBoxes boxes({platform::IDCANCEL});
        QSignalSpy listed(m_window.get(), &app::MainWindow::FileListRefreshed);
        DropOn(m_window.get(), {QUrl::fromLocalFile(Path("elsewhere/A.NC")),
                                QUrl::fromLocalFile(Path("elsewhere/E.NC"))});
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(listed.count(), 0);
        QCOMPARE(ReadBytes(Path("nc/A.NC")), QByteArray("new a"));
        QVERIFY(!QFileInfo::exists(Path("nc/E.NC")));
    }

    // --- New folder ------------------------------------------------------------

    void newFolderTakesTheFirstFreeNameAndIsEditedInPlace_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("made");
        QTest::newRow("first") << QStringList{} << "新規ﾌｫﾙﾀﾞ";
        QTest::newRow("third") << QStringList{"新規ﾌｫﾙﾀﾞ", "新規ﾌｫﾙﾀﾞ(2)"} << "新規ﾌｫﾙﾀﾞ(3)";
        QTest::newRow("gap") << QStringList{"新規ﾌｫﾙﾀﾞ", "新規ﾌｫﾙﾀﾞ(3)"} << "新規ﾌｫﾙﾀﾞ(2)";
    }
    void newFolderTakesTheFirstFreeNameAndIsEditedInPlace() {
        QFETCH(QStringList, existing);
        QFETCH(QString, made);
        for (const QString& name : existing)
            QVERIFY(QDir().mkpath(Path("nc/" + name)));
        m_window->RefreshFileList(false, false, false);
        const int rowsBefore = m_window->fileModel()->rowCount();
        auto* model = m_window->fileModel();
        ScriptedBoxes boxes;
        Trigger("tlbtnNewFd");
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(QFileInfo(Path("nc/" + made)).isDir());
        QCOMPARE(model->rowCount(), rowsBefore + 1);
        const int last = rowsBefore;
        QCOMPARE(testsupport::Names(*m_window).last(), made);
        QCOMPARE(model->Text(model->Row(last), filelist::TypeColumn), QString("ﾌｧｲﾙ ﾌｫﾙﾀﾞ"));
        const QDateTime shown = QDateTime::fromString(
            model->Text(model->Row(last), filelist::ModifiedColumn), "yyyy-MM-dd hh:mm");
        QVERIFY(qAbs(shown.secsTo(QDateTime::currentDateTime())) < 120);
        QCOMPARE(model->Text(model->Row(last), filelist::SizeColumn), QString());
        const auto selected = m_window->SelectedRows();
        QCOMPARE(selected.size(), std::size_t{1});
        QCOMPARE(selected[0], &model->Row(last));
        QCOMPARE(m_window->fileList()->currentIndex().row(), last);
        QCOMPARE(QString::fromStdString(m_window->state().OutputName), Path("nc/" + made));
        // The name is open for editing; Esc keeps the name just made.
        const QModelIndex nameCell = model->index(last, filelist::NameColumn);
        QCOMPARE(m_window->fileList()->currentIndex(), nameCell);
        auto* editor = qobject_cast<QLineEdit*>(m_window->fileList()->indexWidget(nameCell));
        QVERIFY(editor);
        QCOMPARE(editor->text(), made);
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!m_window->fileList()->indexWidget(nameCell));
        QCOMPARE(testsupport::Names(*m_window).last(), made);
        QVERIFY(QFileInfo(Path("nc/" + made)).isDir());
        QVERIFY(boxes.boxes.isEmpty());
    }

    // The edit ends with the typed name: the folder is renamed to it.
    void newFolderTakesTheTypedName() {
        Trigger("tlbtnNewFd");
        const int last = m_window->fileModel()->rowCount() - 1;
        auto* editor = qobject_cast<QLineEdit*>(
            m_window->fileList()->indexWidget(m_window->fileModel()->index(last, 0)));
        QVERIFY(editor);
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClicks(editor, "PARTS");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(QFileInfo(Path("nc/PARTS")).isDir());
        QVERIFY(!QFileInfo::exists(Path("nc/新規ﾌｫﾙﾀﾞ")));
        QCOMPARE(testsupport::Names(*m_window).last(), QString("PARTS"));
    }

    void newFolderWhenEveryNameIsTakenSaysSoAndAddsNoRow() {
        for (int number = 1; number <= fileops::kLastNewFolderNumber; ++number) {
            QVERIFY(QDir().mkpath(
                Path("nc/" + QString::fromStdString(fileops::NewFolderName(number)))));
        }
        m_window->RefreshFileList(false, false, false);
        const int rowsBefore = m_window->fileModel()->rowCount();
        ScriptedBoxes boxes;
        Trigger("tlbtnNewFd");
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(boxes.boxes[0].text, "ﾌｫﾙﾀﾞｰを作成出来ませんでした。\n" +
                                          QString::fromStdString(fileops::SystemReason(EEXIST)));
        QCOMPARE(m_window->fileModel()->rowCount(), rowsBefore);
    }
};

// The tmpfs of a test lives in a mount namespace of this process alone,
// which can only be entered while the process has a single thread.
int main(int argc, char** argv) {
    {
        QTemporaryDir probe;
        fileops_test::ScratchTmpfs enter(QFile::encodeName(probe.filePath("m")).toStdString(),
                                         "size=64k");
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    FileTransferTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_transfer.moc"
