// The folder watcher on real folders: which changes it reports, and when.

#include "folder_watcher.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Generous bounds around the one-second delay for a loaded two-core machine.
constexpr int kEarliestMilliseconds = 800;
constexpr int kLatestMilliseconds = 2500;
// How long a change that must not be reported is given to show up anyway.
constexpr int kQuietMilliseconds = 2000;

bool CreateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

bool AppendTo(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    if (fd < 0) return false;
    const bool written = ::write(fd, "O1\n", 3) == 3;
    return ::close(fd) == 0 && written;
}

// The change a row of a table makes to a folder holding "A.NC" and, beside
// it, a folder "outside" holding "B.NC".
using Change = bool (*)(const std::string& folder, const std::string& outside);

} // namespace

Q_DECLARE_METATYPE(Change)

class FolderWatcherTest final : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_root;
    std::string m_folder;  // watched; its name is raw bytes
    std::string m_outside; // not watched

    static std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

    // Waits for the first signal: empty when it came about a second after
    // `since`, else what went wrong.
    static QString LateSignal(QSignalSpy& spy, const QElapsedTimer& since) {
        if (!spy.wait(kLatestMilliseconds)) return "no signal";
        const qint64 elapsed = since.elapsed();
        if (elapsed < kEarliestMilliseconds || elapsed > kLatestMilliseconds)
            return QString("signal after %1 ms").arg(elapsed);
        if (spy.count() != 1) return QString("%1 signals").arg(spy.count());
        return {};
    }

  private slots:
    void init() {
        QVERIFY(m_root.isValid());
        m_folder = Bytes(m_root.path()) + "/\x83\x76\x83\x8d"; // Shift-JIS, not UTF-8
        m_outside = Bytes(m_root.path()) + "/outside";
        QVERIFY(::mkdir(m_folder.c_str(), 0755) == 0);
        QVERIFY(::mkdir(m_outside.c_str(), 0755) == 0);
        QVERIFY(CreateFile(m_folder + "/A.NC"));
        QVERIFY(CreateFile(m_outside + "/B.NC"));
    }

    void cleanup() {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
        QVERIFY(!error);
        std::filesystem::remove_all(m_outside, error);
        QVERIFY(!error);
    }

    void fileNameChangesAreReportedOnceAfterASecond_data() {
        QTest::addColumn<Change>("change");
        QTest::newRow("file created") << Change(
            [](const std::string& f, const std::string&) { return CreateFile(f + "/NEW.NC"); });
        QTest::newRow("file created by another process")
            << Change([](const std::string& f, const std::string&) {
                   const pid_t child = ::fork();
                   if (child == 0) ::_exit(CreateFile(f + "/CHILD.NC") ? 0 : 1);
                   int status = 0;
                   return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                          WEXITSTATUS(status) == 0;
               });
        QTest::newRow("file deleted") << Change([](const std::string& f, const std::string&) {
            return ::unlink((f + "/A.NC").c_str()) == 0;
        });
        QTest::newRow("file renamed") << Change([](const std::string& f, const std::string&) {
            return ::rename((f + "/A.NC").c_str(), (f + "/A.TAP").c_str()) == 0;
        });
        QTest::newRow("file moved in") << Change([](const std::string& f, const std::string& o) {
            return ::rename((o + "/B.NC").c_str(), (f + "/B.NC").c_str()) == 0;
        });
        QTest::newRow("file moved out") << Change([](const std::string& f, const std::string& o) {
            return ::rename((f + "/A.NC").c_str(), (o + "/A.NC").c_str()) == 0;
        });
    }

    void fileNameChangesAreReportedOnceAfterASecond() {
        QFETCH(Change, change);
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(m_folder));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(change(m_folder, m_outside));
        const QString late = LateSignal(spy, clock);
        QVERIFY2(late.isEmpty(), qPrintable(late));
    }

    // 500 deletions at once, with the watch armed twice over as every listing
    // of the same folder does: one signal, and one more for a later change.
    void burstIsReportedOnce() {
        constexpr int files = 500;
        for (int i = 0; i < files; ++i)
            QVERIFY(CreateFile(m_folder + "/O" + std::to_string(i) + ".NC"));
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(m_folder));
        QVERIFY(watcher.Watch(m_folder));

        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < files; ++i)
            QVERIFY(::unlink((m_folder + "/O" + std::to_string(i) + ".NC").c_str()) == 0);
        const QString late = LateSignal(spy, clock);
        QVERIFY2(late.isEmpty(), qPrintable(late));
        QVERIFY2(!spy.wait(kLatestMilliseconds), "a second signal for the same burst");

        spy.clear();
        clock.restart();
        QVERIFY(CreateFile(m_folder + "/LATER.NC"));
        const QString lateAgain = LateSignal(spy, clock);
        QVERIFY2(lateAgain.isEmpty(), qPrintable(lateAgain));
    }

    // Changes arriving all the time still give a signal every second or so,
    // not only once they stop.
    void steadyChangesAreReportedWithinTheSecond() {
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(m_folder));
        int created = 0;
        QTimer stream;
        stream.setInterval(100);
        connect(&stream, &QTimer::timeout, this, [&] {
            if (!CreateFile(m_folder + "/S" + std::to_string(created++) + ".NC")) stream.stop();
        });
        QElapsedTimer clock;
        clock.start();
        stream.start();
        const QString late = LateSignal(spy, clock);
        QVERIFY2(late.isEmpty(), qPrintable(late));
        QVERIFY(stream.isActive());
    }

    void otherChangesAreNotReported() {
        const std::string file = m_folder + "/A.NC";
        const std::string sub = m_folder + "/SUB";
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(m_folder));

        QVERIFY(AppendTo(file));
        QVERIFY(::chmod(file.c_str(), 0444) == 0);
        QVERIFY(::utimensat(AT_FDCWD, file.c_str(), nullptr, 0) == 0);
        QVERIFY(::mkdir(sub.c_str(), 0755) == 0);
        QVERIFY(CreateFile(sub + "/INNER.NC"));
        QVERIFY(::unlink((sub + "/INNER.NC").c_str()) == 0);
        QVERIFY(::rename(sub.c_str(), (m_folder + "/SUB2").c_str()) == 0);
        QVERIFY(::rename((m_folder + "/SUB2").c_str(), (m_outside + "/SUB2").c_str()) == 0);
        QVERIFY(::rmdir((m_outside + "/SUB2").c_str()) == 0);
        QVERIFY(::mkdir(sub.c_str(), 0755) == 0);
        QVERIFY(::rmdir(sub.c_str()) == 0);
        QVERIFY(CreateFile(m_outside + "/ELSEWHERE.NC"));
        QVERIFY2(!spy.wait(kQuietMilliseconds), "unexpected signal");
    }

    // Moving to another folder drops the old one, a change already seen there
    // included: the new folder's listing comes from the caller, not from it.
    void watchingAnotherFolderLeavesTheOldOne() {
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(m_folder));
        QVERIFY(CreateFile(m_folder + "/SEEN.NC"));
        QVERIFY(!spy.wait(100)); // lets the watcher read that change
        QVERIFY(watcher.Watch(m_outside));
        QVERIFY(CreateFile(m_folder + "/UNSEEN.NC"));
        QVERIFY2(!spy.wait(kQuietMilliseconds), "unexpected signal");

        QElapsedTimer clock;
        clock.start();
        QVERIFY(CreateFile(m_outside + "/NEW.NC"));
        const QString late = LateSignal(spy, clock);
        QVERIFY2(late.isEmpty(), qPrintable(late));
    }

    void folderItselfRemovedIsReported() {
        const std::string sub = m_folder + "/SUB";
        QVERIFY(::mkdir(sub.c_str(), 0755) == 0);
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(sub));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(::rmdir(sub.c_str()) == 0);
        const QString late = LateSignal(spy, clock);
        QVERIFY2(late.isEmpty(), qPrintable(late));
    }

    // After Stop, or a folder that cannot be watched, the old folder is quiet.
    void droppedWatchReportsNothing_data() {
        QTest::addColumn<bool>("stop");
        QTest::newRow("stopped") << true;
        QTest::newRow("missing folder watched") << false;
    }

    void droppedWatchReportsNothing() {
        QFETCH(bool, stop);
        filelist::FolderWatcher watcher;
        QSignalSpy spy(&watcher, &filelist::FolderWatcher::FolderChanged);
        QVERIFY(watcher.Watch(m_folder));
        QVERIFY(CreateFile(m_folder + "/PENDING.NC"));
        QVERIFY(!spy.wait(100)); // lets the watcher read that change
        if (stop) {
            watcher.Stop();
        } else {
            QVERIFY(!watcher.Watch(m_folder + "/MISSING"));
        }
        QVERIFY(CreateFile(m_folder + "/AFTER.NC"));
        QVERIFY2(!spy.wait(1500), "unexpected signal");
    }

    void unwatchableFolderIsRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << "MISSING";
        QTest::newRow("inside a missing folder") << "MISSING/SUB";
        QTest::newRow("a file") << "A.NC";
        QTest::newRow("empty path") << "";
    }

    void unwatchableFolderIsRefused() {
        QFETCH(QString, name);
        filelist::FolderWatcher watcher;
        const std::string path = name.isEmpty() ? std::string() : m_folder + "/" + Bytes(name);
        QVERIFY(!watcher.Watch(path));
        watcher.Stop();
        QVERIFY(!watcher.Watch(path));
    }

    void unreadableFolderIsRefused() {
        if (::geteuid() == 0) QSKIP("root reads every folder");
        const std::string locked = m_folder + "/LOCKED";
        QVERIFY(::mkdir(locked.c_str(), 0) == 0);
        filelist::FolderWatcher watcher;
        QVERIFY(!watcher.Watch(locked));
        QVERIFY(::chmod(locked.c_str(), 0755) == 0);
    }
};

QTEST_GUILESS_MAIN(FolderWatcherTest)
#include "tst_folder_watcher.moc"
