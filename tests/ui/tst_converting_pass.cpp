// A command's pass runs beside the GUI thread: the window keeps handling
// events, the progress bar follows, and a close asked for meanwhile waits for
// the pass to end.

#include "converting_pass.h"
#include "file_list_model.h"
#include "nc_error.h"
#include "pass_dialog.h"

#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

// A main window stand-in: the pass dialog only needs a parent and the state.
class FakeHost final : public app::CommandHost {
  public:
    QWidget* hostWindow() override { return &m_window; }
    app::MainState& state() override { return m_state; }
    const std::string& settingsFolder() const override { return m_folder; }
    std::vector<const filelist::FileRow*> SelectedRows() const override { return {}; }
    void RefreshFileList(bool, bool, bool) override {}
    void RememberWindowRect() override {}
    QTreeView* fileList() const override { return nullptr; }
    filelist::FileListModel* fileModel() const override { return nullptr; }
    void SelectOnlyItem(int) override {}

  private:
    QWidget m_window;
    app::MainState m_state;
    std::string m_folder;
};

class PassingDialog final : public ncui::PassDialog {
  public:
    explicit PassingDialog(app::CommandHost& host) : PassDialog(host, "pass", "PassingDialog") {}
    using PassDialog::CloseIfAsked;
    using PassDialog::RunPass;
};

// Work that reports half of its progress and then waits until released.
struct HeldWork {
    std::atomic<bool> released{false};
    std::atomic<bool> started{false};
    void operator()(const nc::Progress& progress) {
        progress(50, 100);
        started = true;
        while (!released)
            std::this_thread::yield();
    }
};

} // namespace

class ConvertingPassTest : public QObject {
    Q_OBJECT

  private slots:
    void windowHandlesEventsWhileThePassRuns() {
        ncui::ConvertingPass pass;
        QProgressBar bar;
        HeldWork work;
        int ticks = 0;
        int barDuringPass = -1;
        bool runningDuringPass = false;
        QTimer observer;
        connect(&observer, &QTimer::timeout, [&] {
            if (!work.started || ++ticks < 5) return;
            barDuringPass = bar.value();
            runningDuringPass = pass.running();
            work.released = true;
        });
        observer.start(10);
        QTimer::singleShot(5000, [&] { work.released = true; }); // never hang on a fault
        const auto failure = pass.Run(&bar, [&](const nc::Progress& p) { work(p); });
        QVERIFY(!failure);
        QVERIFY(ticks >= 5);
        QVERIFY(runningDuringPass);
        QCOMPARE(barDuringPass, bar.maximum() / 2);
        QCOMPARE(bar.value(), bar.maximum());
        QVERIFY(!pass.running());
    }

    void failuresCarryTheirMessage_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("invalidNumber");
        QTest::newRow("value") << QString::fromStdString(nc::InvalidNumberMessage("1-2")) << true;
        QTest::newRow("create") << QString::fromStdString(nc::CannotCreateMessage("/x/A.NC"))
                                << false;
        QTest::newRow("open") << QString::fromStdString(nc::CannotOpenMessage("/x/A.NC")) << false;
    }
    void failuresCarryTheirMessage() {
        QFETCH(QString, message);
        QFETCH(bool, invalidNumber);
        ncui::ConvertingPass pass;
        QProgressBar bar;
        const auto failure = pass.Run(
            &bar, [&](const nc::Progress&) { throw nc::NcError(message.toStdString(), 7); });
        QVERIFY(failure);
        QCOMPARE(failure->message, message);
        QCOMPARE(failure->invalidNumber, invalidNumber);
        QCOMPARE(bar.value(), 0);
    }

    void aFileFailureNamesTheSystemsReason() {
        ncui::ConvertingPass pass;
        const auto failure = pass.Run(nullptr, [](const nc::Progress&) {
            throw nc::NcError(nc::CannotCreateMessage("/x/A.NC"), 0, nc::SystemReason(EACCES));
        });
        QVERIFY(failure);
        QCOMPARE(failure->message,
                 QString("ファイル /x/A.NC を作成できません\n") + std::strerror(EACCES));
    }

    void closeDuringThePassWaitsForItsEnd() {
        FakeHost host;
        PassingDialog dialog(host);
        dialog.show();
        HeldWork work;
        bool visibleAfterClose = false;
        QTimer::singleShot(20, [&] {
            dialog.reject();
            dialog.close();
            visibleAfterClose = dialog.isVisible();
            work.released = true;
        });
        const auto failure = dialog.RunPass(nullptr, [&](const nc::Progress& p) { work(p); });
        QVERIFY(!failure);
        QVERIFY(visibleAfterClose);
        QVERIFY(dialog.isVisible());
        dialog.CloseIfAsked();
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(ConvertingPassTest)
#include "tst_converting_pass.moc"
