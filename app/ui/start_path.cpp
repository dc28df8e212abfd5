#include "start_path.h"

#include "instance_channel.h"
#include "instance_lock.h"
#include "main_window.h"
#include "path_mask_boxes.h"
#include "start_target.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace app {
namespace {

// "QT_LOGGING_RULES=tornwel.start.info=true" shows what a start opened.
Q_LOGGING_CATEGORY(lcStart, "tornwel.start", QtWarningMsg)

// A start waits this long for the running instance, which may itself be starting.
constexpr int kHandOverTimeoutMs = 10000;
constexpr int kRetryMs = 200;

std::string CurrentFolder() {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "/";
}

void ReportMissing(const std::string& path) {
    std::fprintf(stderr, "tornwel: %s: no such file or folder\n", path.c_str());
}

void FocusFile(MainWindow& window, const std::string& fileName) {
    if (fileName.empty()) return;
    const int row = window.fileModel()->FindName(fileName);
    if (row >= 0) window.SelectOnlyItem(row);
}

void ReportListing(MainWindow& window) {
    const QModelIndex current = window.fileList()->currentIndex();
    const std::string focused =
        current.isValid() ? window.fileModel()->Row(current.row()).name : std::string();
    qCInfo(lcStart, "listed %s focused %s", window.state().CurrentDir.c_str(), focused.c_str());
}

void BringToFront(MainWindow& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

// The window lists the target as if its folder had been typed in the path box.
void OpenInRunningWindow(MainWindow& window, const StartTarget& target) {
    window.state().CurrentDir = target.folder;
    window.boxes().ShowPath(target.folder);
    window.boxes().PushPathHistory();
    window.RefreshFileList(false, false, false);
    FocusFile(window, target.fileName);
    BringToFront(window);
    ReportListing(window);
}

// The first listing runs once the window is shown, from CurrentDir; the file
// is focused when that listing is there.
void OpenAtFirstListing(MainWindow& window, const StartTarget& target) {
    window.state().CurrentDir = target.folder;
    auto once = std::make_shared<QMetaObject::Connection>();
    *once =
        QObject::connect(&window, &MainWindow::FileListRefreshed, &window, [&window, target, once] {
            QObject::disconnect(*once);
            window.boxes().PushPathHistory();
            FocusFile(window, target.fileName);
            ReportListing(window);
        });
}

// Paths handed over by later starts. One that arrives while a dialog, a
// message box or a conversion holds the window waits until it is free again
// (the latest one wins), so that nothing changes the listing under them.
class LaterStarts final : public QObject {
  public:
    explicit LaterStarts(MainWindow& window) : QObject(&window), m_window(window) {
        m_retry.setInterval(kRetryMs);
        connect(&m_retry, &QTimer::timeout, this, &LaterStarts::OpenWhenFree);
    }

    void Take(const QByteArray& message) {
        const auto target = ResolveStartTarget(message.toStdString(), "/");
        if (!target) {
            qCWarning(lcStart, "handed path %s not found", message.constData());
            return;
        }
        m_pending = *target;
        OpenWhenFree();
    }

  private:
    static bool Busy() {
        return QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
               QThread::currentThread()->loopLevel() > 1;
    }

    void OpenWhenFree() {
        if (!m_pending) {
            m_retry.stop();
            return;
        }
        if (Busy()) {
            m_retry.start();
            return;
        }
        m_retry.stop();
        const StartTarget target = *std::exchange(m_pending, std::nullopt);
        OpenInRunningWindow(m_window, target);
    }

    MainWindow& m_window;
    std::optional<StartTarget> m_pending;
    QTimer m_retry;
};

} // namespace

int HandOverToRunningInstance(int argc, char** argv, const std::string& executableName,
                              const std::optional<std::string>& startPath) {
    if (!startPath) return EXIT_SUCCESS;
    const auto target = ResolveStartTarget(*startPath, CurrentFolder());
    if (!target) {
        ReportMissing(*startPath);
        return EXIT_FAILURE;
    }
    const QCoreApplication application(argc, argv);
    if (platform::SendToRunningInstance(platform::InstanceLock::ChannelPath(executableName),
                                        QByteArray::fromStdString(StartTargetPath(*target)),
                                        kHandOverTimeoutMs)) {
        return EXIT_SUCCESS;
    }
    std::fputs("tornwel: the running Tornwel did not take the path\n", stderr);
    return EXIT_FAILURE;
}

void ServeStartPaths(MainWindow& window, const std::string& executableName,
                     const std::optional<std::string>& startPath) {
    if (startPath) {
        const auto target = ResolveStartTarget(*startPath, CurrentFolder());
        if (target) {
            OpenAtFirstListing(window, *target);
        } else {
            ReportMissing(*startPath);
        }
    }
    auto* channel = new platform::InstanceChannel(&window);
    auto* later = new LaterStarts(window);
    QObject::connect(channel, &platform::InstanceChannel::Received, later, &LaterStarts::Take);
    if (!channel->Listen(platform::InstanceLock::ChannelPath(executableName))) {
        qCWarning(lcStart, "later starts cannot reach this instance");
    }
}

} // namespace app
