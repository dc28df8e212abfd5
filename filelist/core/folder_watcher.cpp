#include "folder_watcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace filelist {

namespace {

// File names only: contents, sizes, times and attributes are left to the next
// listing. The folder itself going away is worth one listing too.
constexpr std::uint32_t kWatchedChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                          IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

// One second gathers a copy of many files, or an editor's save, into one listing.
constexpr int kBurstMilliseconds = 1000;

} // namespace

FolderWatcher::FolderWatcher(QObject* parent) : QObject(parent) {
    m_burst.setSingleShot(true);
    m_burst.setInterval(kBurstMilliseconds);
    connect(&m_burst, &QTimer::timeout, this, &FolderWatcher::FolderChanged);
}

FolderWatcher::~FolderWatcher() {
    m_notifier.reset();
    if (m_inotify >= 0) ::close(m_inotify);
}

bool FolderWatcher::Watch(const std::string& folder) {
    Stop();
    if (!Open()) return false;
    m_watch = ::inotify_add_watch(m_inotify, folder.c_str(), kWatchedChanges);
    return m_watch >= 0;
}

void FolderWatcher::Stop() {
    m_burst.stop();
    if (m_inotify < 0) return;
    if (m_watch >= 0) ::inotify_rm_watch(m_inotify, m_watch);
    m_watch = -1;
    // With no watch left, reading only throws away what the old one queued.
    ReadEvents();
}

// One descriptor serves every folder watched in turn, so that moving from
// folder to folder never runs into the limit on inotify instances.
bool FolderWatcher::Open() {
    if (m_inotify >= 0) return true;
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0) return false;
    m_notifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { ReadEvents(); });
    return true;
}

void FolderWatcher::ReadEvents() {
    // Room for a few hundred events a call; one event is at most NAME_MAX + 17 bytes.
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(m_inotify, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return; // EAGAIN: all read
        const auto end = static_cast<std::size_t>(got);
        for (std::size_t at = 0; at + sizeof(inotify_event) <= end;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            HandleEvent(event.mask, event.wd);
            at += sizeof event + event.len;
        }
    }
}

void FolderWatcher::HandleEvent(std::uint32_t mask, int watch) {
    if (mask & IN_Q_OVERFLOW) {
        // Events were lost: any of them may have been a change.
        if (m_watch >= 0) StartBurst();
        return;
    }
    if (watch != m_watch || m_watch < 0) return; // left over from a folder watched before
    if (mask & IN_IGNORED) {
        m_watch = -1; // the folder is gone; its own event came just before
        return;
    }
    // The folder's own events first: should one carry IN_ISDIR, it is still no subfolder's.
    if (mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) {
        StartBurst();
        return;
    }
    if (mask & IN_ISDIR) return; // a subfolder created, deleted or renamed
    StartBurst();
}

// A running burst is not restarted: the listing comes a second after its first change.
void FolderWatcher::StartBurst() {
    if (!m_burst.isActive()) m_burst.start();
}

} // namespace filelist
