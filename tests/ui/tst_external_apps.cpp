// The external programs in the main window: the command table, Alt+A..Z with
// the argument dialog starting a real program that records what it received,
// the Alt overlay, the editor and its setting, and the commands handed to the
// desktop (file manager, settings, calculator, about, home page, mail, select
// all, desktop shortcut).

#include "alt_overlay.h"
#include "argument_dialog.h"
#include "command_table_dialog.h"
#include "desktop_entry.h"
#include "dialog_driver.h"
#include "display_text.h"
#include "editor_setting_dialog.h"
#include "text_viewer.h"
#include "ui_helpers.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <fstream>
#include <map>
#include <optional>
#include <unistd.h>

using testsupport::BoxRecorder;
using testsupport::DriveDialog;

namespace {

const QString kSelectOneFile = "ﾌｧｲﾙを選択して下さい。\n(複数のﾌｧｲﾙ選択は不可です。)";

// What the recorder wrote: its working folder, descriptors above stderr and
// argv (argv[0] first).
struct Record {
    std::string WorkingFolder;
    std::string Descriptors;
    std::vector<std::string> Argv;
};

Record ParseRecord(const QByteArray& bytes) {
    const std::string text = bytes.toStdString();
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    if (parts.size() < 2) return {};
    return {parts[0], parts[1], {parts.begin() + 2, parts.end()}};
}

std::string PhysicalWorkingFolder() {
    return QFile::encodeName(QFileInfo(QDir::currentPath()).canonicalFilePath()).toStdString();
}

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment final {
  public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }
    void Set(const char* name, const QString& value) {
        if (!m_saved.count(name)) {
            m_saved[name] = qEnvironmentVariableIsSet(name)
                                ? std::optional<QByteArray>(qgetenv(name))
                                : std::nullopt;
        }
        qputenv(name, QFile::encodeName(value));
    }

  private:
    std::map<std::string, std::optional<QByteArray>> m_saved;
};

// Removes a file when the test ends: QTemporaryDir cannot remove a name that
// is not UTF-8.
class RemovedAtEnd final {
  public:
    explicit RemovedAtEnd(std::string path) : m_path(std::move(path)) {}
    RemovedAtEnd(const RemovedAtEnd&) = delete;
    RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;
    ~RemovedAtEnd() { ::unlink(m_path.c_str()); }

  private:
    std::string m_path;
};

// Takes the addresses the desktop would be asked to open.
class UrlRecorder final : public QObject {
    Q_OBJECT

  public:
    explicit UrlRecorder(const QStringList& schemes) : m_schemes(schemes) {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> urls;

  public slots:
    void Open(const QUrl& url) { urls << url; }

  private:
    QStringList m_schemes;
};

QString OverlayLines(const QString& first, const std::vector<std::pair<char, QString>>& names) {
    QString text = first;
    for (const auto& [letter, name] : names)
        text += QString("ALT+%1 : %2\n").arg(QChar(letter)).arg(name);
    return text;
}

} // namespace

class ExternalAppsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<testsupport::WindowFixture> m_fixture;
    std::unique_ptr<app::MainWindow> m_window;
    std::unique_ptr<ScopedEnvironment> m_environment;
    std::string m_recorder;
    QString m_record;

    QString Path(const QString& name) const { return m_fixture->Path(name); }
    std::string Listed() const { return m_fixture->Bytes("nc"); }
    std::string ListedFile(const std::string& name) const { return Listed() + "/" + name; }

    void Open(const std::function<void(app::MainState&)>& configure = {}) {
        m_window = m_fixture->Open(Path("nc"), configure);
        QVERIFY(testsupport::Activate(*m_window));
    }
    // A program under its own name: a link to the recorder.
    std::string Tool(const QString& name) {
        const QString path = Path("bin/" + name);
        QDir().mkpath(Path("bin"));
        [&] { QVERIFY(QFile::link(TORNWEL_ARGV_RECORDER, path)); }();
        return QFile::encodeName(path).toStdString();
    }
    void SelectOnly(const std::string& name) {
        const int row = m_window->fileModel()->FindName(name);
        QVERIFY2(row >= 0, name.c_str());
        m_window->SelectOnlyItem(row);
    }
    QAction* Item(const char* name) const { return m_window->findChild<QAction*>(name); }
    extapps::AltOverlay* Overlay() const {
        return m_window->findChild<extapps::AltOverlay*>("GroupBox1");
    }
    // Offscreen, a closed dialog leaves no window active; a desktop gives the
    // main window back its activation, which its shortcuts need.
    void PressLetter(char letter) {
        QVERIFY(testsupport::Activate(*m_window));
        QTest::keyClick(m_window.get(), Qt::Key(Qt::Key_A + (letter - 'A')), Qt::AltModifier);
    }

    // The started program runs detached: its record is awaited.
    std::optional<Record> AwaitRecord() const {
        if (!QTest::qWaitFor([&] { return QFile::exists(m_record); }, 20000)) return std::nullopt;
        Record record = ParseRecord(testsupport::ReadBytes(m_record));
        QFile::remove(m_record);
        return record;
    }
    // No program started: nothing recorded within a while.
    bool NothingStarted() const {
        return !QTest::qWaitFor([&] { return QFile::exists(m_record); }, 300);
    }
    void ExpectRecorded(const std::vector<std::string>& argv) const {
        const auto record = AwaitRecord();
        QVERIFY2(record.has_value(), "the program did not run");
        QCOMPARE(record->Argv, argv);
        QCOMPARE(record->WorkingFolder, PhysicalWorkingFolder());
        QCOMPARE(record->Descriptors, std::string());
        for (const auto& folder : {QDir::currentPath(), Path("nc"), Path("bin")})
            QVERIFY2(!QFile::exists(folder + "/pwned"), qPrintable(folder));
    }

  private slots:
    void init() {
        m_fixture = std::make_unique<testsupport::WindowFixture>();
        m_environment = std::make_unique<ScopedEnvironment>();
        QVERIFY(m_fixture->Write("nc/PART.NC", "O1000\r\n"));
        QVERIFY(m_fixture->Write("nc/O2000.NC", "O2000\r\n"));
        QDir().mkpath(Path("nc/SUB"));
        m_record = Path("record");
        m_environment->Set("TORNWEL_ARGV_RECORD", m_record);
        m_recorder = Tool("recorder");
    }
    void cleanup() {
        m_window.reset();
        m_environment.reset();
    }

    // The command table.

    void tableDialogStartsAtRowAltAEveryTime() {
        Open([](app::MainState& state) {
            state.OutApps[0] = {"/opt/tools/Conv $A", "Y", "変換"};
            state.OutApps[3] = {"/opt/tools/view", "N", "ビュー"};
        });
        m_window->state().AltPanelShown = true;
        Overlay()->ShowFor(m_window->state());
        for (int showing = 0; showing < 2; ++showing) {
            const bool shown = DriveDialog<extapps::CommandTableDialog>(
                [&] { Item("Menu_outappsetting")->trigger(); },
                [&](extapps::CommandTableDialog& dialog) {
                    QCOMPARE(dialog.windowTitle(), QString("外部コマンド設定"));
                    QVERIFY(!Overlay()->isVisible());
                    QVERIFY(!m_window->state().AltPanelShown);
                    QTreeWidget* list = dialog.list();
                    QCOMPARE(list->topLevelItemCount(), 26);
                    for (int row = 0; row < 26; ++row)
                        QCOMPARE(list->topLevelItem(row)->text(0),
                                 QString("Alt+%1").arg(QChar('A' + row)));
                    const QTreeWidgetItem* a = list->topLevelItem(0);
                    QCOMPARE((QStringList{a->text(1), a->text(2), a->text(3)}),
                             (QStringList{"変換", "Y", "/opt/tools/Conv $A"}));
                    QCOMPARE(list->selectedItems(),
                             (QList<QTreeWidgetItem*>{list->topLevelItem(0)}));
                    QCOMPARE(dialog.keyLabel()->text(), QString("Alt+A"));
                    QCOMPARE(dialog.nameEdit()->text(), QString("変換"));
                    QVERIFY(dialog.argumentBox()->isChecked());
                    QCOMPARE(dialog.commandEdit()->text(), QString("/opt/tools/Conv $A"));
                    QCOMPARE(dialog.storeButton()->text(), QString("変更\n追加"));
                    QTRY_VERIFY(list->hasFocus());
                    // Moving down the list loads each row into the fields.
                    for (int step = 0; step < 3; ++step)
                        QTest::keyClick(list, Qt::Key_Down);
                    QCOMPARE(dialog.keyLabel()->text(), QString("Alt+D"));
                    QCOMPARE(dialog.nameEdit()->text(), QString("ビュー"));
                    QVERIFY(!dialog.argumentBox()->isChecked());
                    QCOMPARE(dialog.commandEdit()->text(), QString("/opt/tools/view"));
                    dialog.nameEdit()->setText("not stored");
                    QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
                });
            QVERIFY(shown);
        }
        QCOMPARE(m_window->state().OutApps[3].SettingName, std::string("ビュー"));
    }

    void storeWritesTheRowAndItsSlot() {
        Open([](app::MainState& state) {
            state.OutApps[1] = {"/opt/b", "y", "lower flag"};
            state.OutApps[10] = {"/opt/k $A", "Y", "K"};
        });
        DriveDialog<extapps::CommandTableDialog>(
            [&] { Item("Menu_outappsetting")->trigger(); },
            [&](extapps::CommandTableDialog& dialog) {
                QTreeWidget* list = dialog.list();
                const auto rowTexts = [&](int row) {
                    const QTreeWidgetItem* item = list->topLevelItem(row);
                    return QStringList{item->text(1), item->text(2), item->text(3)};
                };
                // A flag other than "Y" loads unchecked and is stored as "N".
                list->setCurrentItem(list->topLevelItem(1));
                QCOMPARE(rowTexts(1), (QStringList{"lower flag", "y", "/opt/b"}));
                QVERIFY(!dialog.argumentBox()->isChecked());
                QTest::mouseClick(dialog.storeButton(), Qt::LeftButton);
                QCOMPARE(rowTexts(1), (QStringList{"lower flag", "N", "/opt/b"}));
                QCOMPARE(m_window->state().OutApps[1].ArgFlag, std::string("N"));
                // Empty fields free the slot; the columns keep their places.
                list->setCurrentItem(list->topLevelItem(10));
                dialog.nameEdit()->clear();
                dialog.commandEdit()->clear();
                dialog.argumentBox()->setChecked(false);
                QTest::mouseClick(dialog.storeButton(), Qt::LeftButton);
                QCOMPARE(rowTexts(10), (QStringList{"", "N", ""}));
                const app::OutAppSlot& k = m_window->state().OutApps[10];
                QCOMPARE((std::vector<std::string>{k.CommandText, k.ArgFlag, k.SettingName}),
                         (std::vector<std::string>{"", "N", ""}));
                // Typed text is stored as typed: paths tell upper from lower case.
                list->setCurrentItem(list->topLevelItem(25));
                QTest::keyClicks(dialog.nameEdit(), "My tool");
                QTest::keyClicks(dialog.commandEdit(), "/home/me/bin/conv-Nc --in=$a $A");
                QTest::mouseClick(dialog.argumentBox(), Qt::LeftButton);
                QTest::mouseClick(dialog.storeButton(), Qt::LeftButton);
                QCOMPARE(rowTexts(25),
                         (QStringList{"My tool", "Y", "/home/me/bin/conv-Nc --in=$a $A"}));
            });
        const app::OutAppSlot& z = m_window->state().OutApps[25];
        QCOMPARE(z.CommandText, std::string("/home/me/bin/conv-Nc --in=$a $A"));
        QCOMPARE(z.ArgFlag, std::string("Y"));
        QCOMPARE(z.SettingName, std::string("My tool"));
        // The table reaches the settings file when the window closes.
        QVERIFY(m_window->close());
        app::MainState saved;
        app::LoadSettings(m_fixture->SettingsPath(), saved);
        QCOMPARE(saved.OutApps[25].CommandText, z.CommandText);
        QCOMPARE(saved.OutApps[1].ArgFlag, std::string("N"));
    }

    void namesThatAreNotUtf8AreStoredBackUnchanged() {
        const std::string name = "\x95\xcf\x8a\xb7";         // 変換 in CP932
        const std::string command = "/opt/\xff\xfe/conv $A"; // neither UTF-8 nor CP932
        Open([&](app::MainState& state) { state.OutApps[0] = {command, "N", name}; });
        DriveDialog<extapps::CommandTableDialog>(
            [&] { Item("Menu_outappsetting")->trigger(); },
            [&](extapps::CommandTableDialog& dialog) {
                QCOMPARE(dialog.nameEdit()->text(), QString("変換"));
                QTest::mouseClick(dialog.argumentBox(), Qt::LeftButton);
                QTest::mouseClick(dialog.storeButton(), Qt::LeftButton);
            });
        const app::OutAppSlot& a = m_window->state().OutApps[0];
        QCOMPARE(a.SettingName, name);
        QCOMPARE(a.CommandText, command);
        QCOMPARE(a.ArgFlag, std::string("Y"));
    }

    void browsePutsThePickedProgramIntoTheField() {
        const std::string tool = Tool("Picked Tool");
        Open();
        DriveDialog<extapps::CommandTableDialog>(
            [&] { Item("Menu_outappsetting")->trigger(); },
            [&](extapps::CommandTableDialog& dialog) {
                dialog.list()->setCurrentItem(dialog.list()->topLevelItem(4));
                const bool picked = DriveDialog<QFileDialog>(
                    [&] { QTest::mouseClick(dialog.browseButton(), Qt::LeftButton); },
                    [&](QFileDialog& picker) {
                        picker.selectFile(QFile::decodeName(tool.c_str()));
                        static_cast<QDialog&>(picker).accept();
                    });
                QVERIFY(picked);
                QCOMPARE(dialog.commandEdit()->text(), QFile::decodeName(tool.c_str()));
                QCOMPARE(dialog.keyLabel()->text(), QString("Alt+E"));
                QCOMPARE(dialog.list()->selectedItems(),
                         (QList<QTreeWidgetItem*>{dialog.list()->topLevelItem(4)}));
                QCOMPARE(dialog.focusWidget(), dialog.list());
                QTest::mouseClick(dialog.storeButton(), Qt::LeftButton);
            });
        QCOMPARE(m_window->state().OutApps[4].CommandText, tool);
    }

    // The Alt overlay.

    void overlayNamesTheEditorAndAllCommands() {
        Open([](app::MainState& state) {
            state.EditApp = "/usr/bin/gedit";
            state.OutApps[0].SettingName = "変換";
            state.OutApps[12].SettingName = "M tool";
            state.OutApps[13].SettingName = "N tool";
            state.OutApps[25].SettingName = "<b>Z</b>";
        });
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
        std::vector<std::pair<char, QString>> left;
        std::vector<std::pair<char, QString>> right;
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            (letter <= 'M' ? left : right).emplace_back(letter, QString());
        left[0].second = "変換";
        left[12].second = "M tool";
        right[0].second = "N tool";
        right[12].second = "<b>Z</b>";
        const QString leftText = Overlay()->leftText()->text();
        QCOMPARE(leftText, OverlayLines("ｴﾃﾞｨﾀｰ: /usr/bin/gedit\n", left));
        QCOMPARE(Overlay()->rightText()->text(), OverlayLines("", right));
        QCOMPARE(leftText.count('\n'), 14);
        QCOMPARE(Overlay()->rightText()->text().count('\n'), 13);
        QVERIFY(leftText.contains("\nALT+B : \n"));
        QCOMPARE(Overlay()->rightText()->textFormat(), Qt::PlainText);
        // Every line is inside its text's box, whatever the font's line spacing.
        for (const QLabel* label : {Overlay()->leftText(), Overlay()->rightText()}) {
            const QRect needed = label->fontMetrics().boundingRect(
                QRect(0, 0, 10000, 10000), Qt::AlignLeft | Qt::AlignTop, label->text().chopped(1));
            QVERIFY2(needed.height() <= label->height(), qPrintable(label->objectName()));
            QVERIFY(Overlay()->rect().contains(label->geometry()));
        }
        QTest::keyRelease(m_window->fileList(), Qt::Key_Alt);

        m_window->state().EditApp.clear();
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->leftText()->text().startsWith("ｴﾃﾞｨﾀｰ: \nALT+A : 変換\n"));
    }

    void altShowsTheOverlayUntilAKeyIsReleasedInTheList() {
        Open();
        QVERIFY(!Overlay()->isVisible());
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
        QVERIFY(m_window->state().AltPanelShown);
        // It lies over the list.
        const QPoint middle = Overlay()->geometry().center();
        QWidget* top = m_window->childAt(middle);
        QVERIFY(top == Overlay() || Overlay()->isAncestorOf(top));
        // While Alt repeats the texts are not rebuilt.
        m_window->state().OutApps[0].SettingName = "later";
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(!Overlay()->leftText()->text().contains("later"));
        QTest::keyRelease(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(!Overlay()->isVisible());
        QVERIFY(!m_window->state().AltPanelShown);
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->leftText()->text().contains("ALT+A : later\n"));
    }

    // Through the window, as the keyboard's keys come: the menu bar takes the
    // focus at the release of Alt, and the overlay must still go.
    void altReleasedThroughTheWindowHidesTheOverlay() {
        Open();
        QTRY_VERIFY(m_window->fileList()->hasFocus());
        QTest::keyPress(m_window->windowHandle(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
        QTest::keyRelease(m_window->windowHandle(), Qt::Key_Alt, Qt::AltModifier);
        QVERIFY(!Overlay()->isVisible());
        QVERIFY(!m_window->state().AltPanelShown);
        QTest::keyPress(m_window->windowHandle(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
    }

    void altShowsTheOverlayOverTheViewer() {
        Open();
        SelectOnly("PART.NC");
        QTest::keyClick(m_window->fileList(), 'v');
        auto* view = m_window->findChild<viewer::TextViewer*>("TextView");
        QVERIFY(view->isVisible());
        QTRY_VERIFY(view->hasFocus());
        QTest::keyPress(m_window->windowHandle(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
        QWidget* top = m_window->childAt(Overlay()->geometry().center());
        QVERIFY(top == Overlay() || Overlay()->isAncestorOf(top));
        // Released, it leaves the text readable again.
        QTest::keyRelease(m_window->windowHandle(), Qt::Key_Alt, Qt::AltModifier);
        QVERIFY(!Overlay()->isVisible());
    }

    void altIsIgnoredWhileAnotherWindowIsActive() {
        Open();
        DriveDialog<extapps::CommandTableDialog>([&] { Item("Menu_outappsetting")->trigger(); },
                                                 [&](extapps::CommandTableDialog& dialog) {
                                                     QTest::keyPress(dialog.list(), Qt::Key_Alt);
                                                     QVERIFY(!Overlay()->isVisible());
                                                 });
        QVERIFY(!m_window->state().AltPanelShown);
    }

    // Alt+A..Alt+Z.

    void eachAltLetterRunsItsOwnSlot() {
        std::array<std::string, 26> tools;
        for (int slot = 0; slot < 26; ++slot)
            tools[slot] = Tool(QString("tool-%1").arg(QChar('A' + slot)));
        Open([&](app::MainState& state) {
            for (int slot = 0; slot < 26; ++slot)
                state.OutApps[slot] = {tools[slot] + " $A", "N", "t"};
        });
        SelectOnly("PART.NC");
        for (char letter : {'M', 'N', 'A', 'Z'}) {
            PressLetter(letter);
            // Anything but "Y" starts the program alone, its arguments dropped.
            ExpectRecorded({tools[letter - 'A']});
        }
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const auto* item =
                Item(QString("Menu_outapp%1").arg(QChar(letter)).toLatin1().constData());
            QCOMPARE(item->shortcut(), QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + letter - 'A')));
            QVERIFY(!item->isVisible());
            PressLetter(letter);
            const auto record = AwaitRecord();
            QVERIFY2(record.has_value(), QByteArray(1, letter).constData());
            QCOMPARE(record->Argv, std::vector<std::string>{tools[letter - 'A']});
        }
        QCOMPARE(m_window->state().SelectedName, ListedFile("PART.NC"));
    }

    void freeSlotOrMissingProgramDoesNothing() {
        Open([&](app::MainState& state) {
            state.OutApps[1] = {Listed() + "/SUB $A", "Y", "folder"};
            state.OutApps[2] = {"/no/such/program $A", "Y", "missing"};
        });
        SelectOnly("PART.NC");
        BoxRecorder boxes;
        for (char letter : {'A', 'B', 'C'}) {
            const bool shown = DriveDialog<QDialog>([&] { PressLetter(letter); }, [](QDialog&) {});
            QVERIFY(!shown);
        }
        QVERIFY(boxes.boxes.isEmpty());
        QVERIFY(NothingStarted());
    }

    void commandNeedsExactlyOneSelectedRow() {
        Open([&](app::MainState& state) { state.OutApps[0] = {m_recorder, "N", "rec"}; });
        for (const QStringList& rows : {QStringList{}, QStringList{"PART.NC", "O2000.NC"}}) {
            QVERIFY(testsupport::SelectRows(*m_window, rows));
            BoxRecorder boxes;
            boxes.answer = platform::IDOK;
            m_window->state().MsgAnswer = 0;
            PressLetter('A');
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].text, kSelectOneFile);
            QCOMPARE(boxes.boxes[0].caption, QString("確認"));
            QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Stop);
            QCOMPARE(m_window->state().MsgAnswer, int(platform::IDOK));
        }
        QVERIFY(NothingStarted());
    }

    void runningACommandHidesTheOverlayButKeepsItsFlag() {
        Open();
        SelectOnly("PART.NC");
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
        // Alt+Q held down: the command has run, no key is released yet.
        QTest::keyPress(m_window.get(), Qt::Key_Q, Qt::AltModifier);
        QVERIFY(!Overlay()->isVisible());
        QVERIFY(m_window->state().AltPanelShown);
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(!Overlay()->isVisible());
        // The next release in the list clears the flag; then Alt shows it again.
        QTest::keyRelease(m_window->fileList(), Qt::Key_Q, Qt::AltModifier);
        QVERIFY(!m_window->state().AltPanelShown);
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->isVisible());
    }

    // The argument dialog.

    void argumentDialogOffersTheFileAndStartsTheProgramWithIt_data() {
        QTest::addColumn<QByteArray>("name");
        for (const char* name :
             {"with blank.NC", "a \"quoted\" 'name'.NC", "a;touch pwned.NC", "$(touch pwned).NC",
              "`touch pwned`.NC", "new\nline.NC", "bad\xff\xfe\x80.NC", "-rf.NC", "$B and $C.NC",
              "a|touch pwned&.NC"}) {
            QTest::newRow(name) << QByteArray(name);
        }
    }
    void argumentDialogOffersTheFileAndStartsTheProgramWithIt() {
        QFETCH(QByteArray, name);
        const std::string file = name.toStdString();
        { std::ofstream(ListedFile(file)) << "O1\n"; }
        const RemovedAtEnd removed(ListedFile(file));
        Open([&](app::MainState& state) {
            state.OutApps[0] = {m_recorder + " --first $A last", "Y", "Rec <i>"};
        });
        SelectOnly(file);
        m_window->state().AltPanelShown = true;
        const std::string full = ListedFile(file);
        const bool shown = DriveDialog<extapps::ArgumentDialog>(
            [&] { PressLetter('A'); },
            [&](extapps::ArgumentDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("引数"));
                QVERIFY(!m_window->state().AltPanelShown);
                QCOMPARE(dialog.nameLabel()->text(), QString("Rec <i>"));
                QCOMPARE(dialog.nameLabel()->textFormat(), Qt::PlainText);
                QCOMPARE(dialog.commandLabel()->text(),
                         platform::DisplayText(m_recorder + " --first $A last"));
                QCOMPARE(dialog.argumentEdit()->text(), platform::DisplayText(full));
                QTRY_VERIFY(dialog.argumentEdit()->hasFocus());
                QTest::keyClick(dialog.argumentEdit(), Qt::Key_Return);
                QVERIFY(!dialog.isVisible());
            });
        QVERIFY(shown);
        ExpectRecorded({m_recorder, "--first", full, "last"});
        QCOMPARE(m_window->state().SelectedName, full);
    }

    void argumentDialogTakesTheConfirmedText() {
        Open([&](app::MainState& state) {
            state.OutApps[2] = {m_recorder + " $C $D", "Y", "conv"};
            state.OutApps[3] = {m_recorder + " -v", "Y", "fixed"};
        });
        SelectOnly("PART.NC");
        // Every placeholder stands for the text the user confirmed.
        DriveDialog<extapps::ArgumentDialog>(
            [&] { PressLetter('C'); },
            [&](extapps::ArgumentDialog& dialog) {
                QCOMPARE(dialog.argumentEdit()->text(), QString("PART"));
                dialog.argumentEdit()->setText("X Y");
                QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            });
        ExpectRecorded({m_recorder, "X Y", "X Y"});
        // Without placeholders the typed text is not used; an empty box starts
        // the program alone, its fixed arguments dropped too.
        for (const QString& typed : {QString("typed"), QString()}) {
            DriveDialog<extapps::ArgumentDialog>(
                [&] { PressLetter('D'); },
                [&](extapps::ArgumentDialog& dialog) {
                    QCOMPARE(dialog.argumentEdit()->text(), QString());
                    dialog.argumentEdit()->setText(typed);
                    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
                });
            ExpectRecorded(typed.isEmpty() ? std::vector<std::string>{m_recorder}
                                           : std::vector<std::string>{m_recorder, "-v"});
        }
        // Cancel starts nothing.
        DriveDialog<extapps::ArgumentDialog>([&] { PressLetter('C'); },
                                             [&](extapps::ArgumentDialog& dialog) {
                                                 QTest::mouseClick(dialog.cancelButton(),
                                                                   Qt::LeftButton);
                                             });
        QVERIFY(NothingStarted());
    }

    void programThatCannotStartIsNamedWithTheReason() {
        QVERIFY(m_fixture->Write("bin/not-executable", "data"));
        const std::string program = m_fixture->Bytes("bin/not-executable");
        Open([&](app::MainState& state) { state.OutApps[5] = {program + " $A", "Y", "bad"}; });
        SelectOnly("PART.NC");
        BoxRecorder boxes;
        DriveDialog<extapps::ArgumentDialog>([&] { PressLetter('F'); },
                                             [&](extapps::ArgumentDialog& dialog) {
                                                 QTest::mouseClick(dialog.okButton(),
                                                                   Qt::LeftButton);
                                             });
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].caption, QString("Tornwel"));
        QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(boxes.boxes[0].text,
                 QString::fromStdString(program + " を起動できません。(" +
                                        std::generic_category().message(EACCES) + ")"));
    }

    // The editor.

    void editorOpensTheSelectedFile() {
        const std::string editor = Tool("my editor");
        Open([&](app::MainState& state) { state.EditApp = editor; });
        { std::ofstream(ListedFile("a b;$(touch pwned).NC")) << "O1\n"; }
        m_window->RefreshFileList(false, false, false);
        SelectOnly("a b;$(touch pwned).NC");
        QTest::keyClick(m_window->fileList(), 'e');
        ExpectRecorded({editor, ListedFile("a b;$(touch pwned).NC")});
        QCOMPARE(m_window->state().SelectedName, std::string("a b;$(touch pwned).NC"));
        SelectOnly("PART.NC");
        Item("Menu_editor")->trigger();
        ExpectRecorded({editor, ListedFile("PART.NC")});
    }

    void missingEditorFallsBackToTheDesktopsTextEditor() {
        // A desktop without associations, whose only editor on PATH is gedit.
        for (const char* name : {"config", "data", "xdg-config", "xdg-data", "path"})
            QDir().mkpath(Path(name));
        m_environment->Set("XDG_CONFIG_HOME", Path("config"));
        m_environment->Set("XDG_DATA_HOME", Path("data"));
        m_environment->Set("XDG_CONFIG_DIRS", Path("xdg-config"));
        m_environment->Set("XDG_DATA_DIRS", Path("xdg-data"));
        m_environment->Set("PATH", Path("path"));
        QVERIFY(QFile::link(TORNWEL_ARGV_RECORDER, Path("path/gedit")));
        const std::string gedit = m_fixture->Bytes("path/gedit");
        const std::string deleted = Tool("deleted-editor");
        Open();
        QVERIFY(QFile::remove(QFile::decodeName(deleted.c_str())));
        SelectOnly("PART.NC");
        for (const std::string& editApp : {std::string(), deleted, Listed()}) {
            m_window->state().EditApp = editApp;
            QTest::keyClick(m_window->fileList(), 'E');
            ExpectRecorded({gedit, ListedFile("PART.NC")});
        }
        // With no editor anywhere the user is told.
        QVERIFY(QFile::remove(Path("path/gedit")));
        BoxRecorder boxes;
        QTest::keyClick(m_window->fileList(), 'E');
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QString("ﾃｷｽﾄｴﾃﾞｨﾀｰが見つかりません。"));
        QVERIFY(NothingStarted());
    }

    void editorNeedsExactlyOneSelectedRow() {
        Open([&](app::MainState& state) { state.EditApp = m_recorder; });
        QVERIFY(testsupport::SelectRows(*m_window, {"PART.NC", "O2000.NC"}));
        BoxRecorder boxes;
        QTest::keyClick(m_window->fileList(), 'e');
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, kSelectOneFile);
        QVERIFY(NothingStarted());
    }

    void editorSettingIsKeptBySaveOnly() {
        const std::string picked = Tool("picked-editor");
        Open([](app::MainState& state) { state.EditApp = "/usr/bin/old-editor"; });
        m_window->state().AltPanelShown = true;
        Overlay()->ShowFor(m_window->state());
        DriveDialog<extapps::EditorSettingDialog>(
            [&] { Item("Menu_editorsetting")->trigger(); },
            [&](extapps::EditorSettingDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QString("設定画面"));
                QVERIFY(!Overlay()->isVisible());
                QCOMPARE(dialog.editorEdit()->text(), QString("/usr/bin/old-editor"));
                QTRY_VERIFY(dialog.editorEdit()->hasFocus());
                DriveDialog<QFileDialog>(
                    [&] { QTest::mouseClick(dialog.browseButton(), Qt::LeftButton); },
                    [&](QFileDialog& picker) {
                        QCOMPARE(picker.windowTitle(), QString("ｱﾌﾟﾘｹｰｼｮﾝ設定"));
                        picker.selectFile(QFile::decodeName(picked.c_str()));
                        static_cast<QDialog&>(picker).accept();
                    });
                QCOMPARE(dialog.editorEdit()->text(), QFile::decodeName(picked.c_str()));
                QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
            });
        QCOMPARE(m_window->state().EditApp, std::string("/usr/bin/old-editor"));
        QVERIFY(m_window->state().AltPanelShown);
        DriveDialog<extapps::EditorSettingDialog>(
            [&] { Item("Menu_editorsetting")->trigger(); },
            [&](extapps::EditorSettingDialog& dialog) {
                QCOMPARE(dialog.editorEdit()->text(), QString("/usr/bin/old-editor"));
                dialog.editorEdit()->setText(QFile::decodeName(picked.c_str()));
                QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
            });
        QCOMPARE(m_window->state().EditApp, picked);
        DriveDialog<extapps::EditorSettingDialog>([&] { Item("Menu_editorsetting")->trigger(); },
                                                  [&](extapps::EditorSettingDialog& dialog) {
                                                      dialog.editorEdit()->clear();
                                                      QTest::mouseClick(dialog.saveButton(),
                                                                        Qt::LeftButton);
                                                  });
        QCOMPARE(m_window->state().EditApp, std::string());
        m_window->state().AltPanelShown = false;
        QVERIFY(testsupport::Activate(*m_window));
        QTest::keyPress(m_window->fileList(), Qt::Key_Alt);
        QVERIFY(Overlay()->leftText()->text().startsWith("ｴﾃﾞｨﾀｰ: \n"));
    }

    // The commands handed to the desktop.

    void selectAllTakesEveryRowAndCommandsThenRefuse() {
        Open([&](app::MainState& state) { state.OutApps[0] = {m_recorder, "N", "rec"}; });
        SelectOnly("PART.NC");
        const int rows = m_window->fileModel()->rowCount();
        QCOMPARE(testsupport::Names(*m_window).front(), QString(".."));
        Item("Menu_selectall")->trigger();
        QCOMPARE(m_window->SelectedRows().size(), std::size_t(rows));
        BoxRecorder boxes;
        PressLetter('A');
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, kSelectOneFile);
        // Alt+Home does the same, and the list does not take it back.
        SelectOnly("PART.NC");
        QTest::keyClick(m_window->fileList(), Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(m_window->SelectedRows().size(), std::size_t(rows));
    }

    void desktopShortcutIsWrittenAndReplaced() {
        QDir().mkpath(Path("config"));
        QVERIFY(m_fixture->Write("config/user-dirs.dirs",
                                 ("XDG_DESKTOP_DIR=\"" + Path("デスクトップ") + "\"\n").toUtf8()));
        m_environment->Set("XDG_CONFIG_HOME", Path("config"));
        Open();
        BoxRecorder boxes;
        Item("Menu_shortcut")->trigger();
        QVERIFY(m_fixture->Write("デスクトップ/other.txt", "x"));
        Item("Menu_shortcut")->trigger();
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(QDir(Path("デスクトップ")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"Tornwel.desktop", "other.txt"}));
        const QString shortcut = Path("デスクトップ/Tornwel.desktop");
        QVERIFY(QFileInfo(shortcut).isExecutable());
        const auto entry =
            extapps::ParseDesktopEntry(testsupport::ReadBytes(shortcut).toStdString());
        const std::string executable =
            QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
        QCOMPARE(extapps::ExpandDesktopExec(entry.Exec, "F"),
                 (std::optional<std::vector<std::string>>({executable, "F"})));
        // A desktop folder that cannot be written is reported.
        QVERIFY(QFile::remove(shortcut));
        QVERIFY(QDir(Path("デスクトップ")).removeRecursively());
        QVERIFY(m_fixture->Write("デスクトップ", "not a folder"));
        Item("Menu_shortcut")->trigger();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(boxes.boxes[0].text.startsWith("ファイル " + shortcut + " に書き込めません。\n"));
    }

    void aboutBoxNamesTheVersion() {
        Open();
        BoxRecorder boxes;
        Item("Menu_version")->trigger();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].icon, platform::MessageIcon::Application);
        QCOMPARE(boxes.boxes[0].text.split('\n').front(), QString("Tornwel Ver2.25"));
        QVERIFY(boxes.boxes[0].caption.startsWith("Tornwel Ver2.25"));
    }

    void homePageMailAndFileManagerGoToTheDesktop() {
        Open();
        UrlRecorder urls({"https", "mailto", "file"});
        Item("Menu_homepage")->trigger();
        Item("Menu_mail")->trigger();
        Item("Menu_explorer")->trigger();
        QCOMPARE(urls.urls, (QList<QUrl>{QUrl("https://tornwel.example.org/"),
                                         QUrl("mailto:tornwel@example.org"),
                                         QUrl::fromLocalFile(Path("nc"))}));
    }

    void calculatorAndSettingsAreTheFirstFoundOnPath() {
        QDir().mkpath(Path("path"));
        m_environment->Set("PATH", Path("path"));
        Open();
        BoxRecorder boxes;
        Item("tlbcalculat")->trigger();
        Item("Menu_control")->trigger();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[0].text, QString("計算機が見つかりません。"));
        QCOMPARE(boxes.boxes[1].text, QString("設定ﾌﾟﾛｸﾞﾗﾑが見つかりません。"));
        QVERIFY(QFile::link(TORNWEL_ARGV_RECORDER, Path("path/kcalc")));
        QVERIFY(QFile::link(TORNWEL_ARGV_RECORDER, Path("path/lxqt-config")));
        Item("tlbcalculat")->trigger();
        ExpectRecorded({m_fixture->Bytes("path/kcalc")});
        Item("Menu_control")->trigger();
        ExpectRecorded({m_fixture->Bytes("path/lxqt-config")});
        QCOMPARE(boxes.boxes.size(), 2);
    }
};

QTEST_MAIN(ExternalAppsTest)
#include "tst_external_apps.moc"
