#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>

class QSocketNotifier;

namespace filelist {

// Tells, about a second after it starts, of a burst of files created, deleted
// or renamed in one folder (not its subfolders). Runs on the thread that owns
// it, through its event loop; it takes no processor time while nothing changes.
class FolderWatcher final : public QObject {
    Q_OBJECT

  public:
    explicit FolderWatcher(QObject* parent = nullptr);
    ~FolderWatcher() override;
    Q_DISABLE_COPY_MOVE(FolderWatcher)

    // Watches this folder from now on (the previous one no more) and forgets
    // changes seen so far, which the caller's next reading of the folder
    // covers: arm it just before reading, so that no change falls in between.
    // A folder that cannot be watched (no permission, inotify limit reached,
    // missing) is simply not watched; returns whether it is.
    bool Watch(const std::string& folder);
    void Stop();

  signals:
    // About one second after the first change of a burst, once per burst.
    void FolderChanged();

  private:
    bool Open();
    void ReadEvents();
    void HandleEvent(std::uint32_t mask, int watch);
    void StartBurst();

    int m_inotify = -1;
    int m_watch = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_burst;
};

} // namespace filelist
