#pragma once

#include "nc_commands.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

class QProgressBar;

namespace ncui {

// Why a pass stopped: the message for the user, and whether a value could not
// be read as a number (the dialog then waits for its input to change).
struct PassFailure {
    QString message;
    bool invalidNumber = false;
};

// Runs the work of a command on a thread of its own while the window goes on
// handling events, so it repaints and stays responsive; returns when the work
// is done. The progress bar follows the work at most every 30 ms and ends at
// its maximum. Only one pass runs at a time.
class ConvertingPass final : public QObject {
    Q_OBJECT

  public:
    using Work = std::function<void(const nc::Progress& progress)>;

    explicit ConvertingPass(QObject* parent = nullptr) : QObject(parent) {}

    // Nothing on success. `tick` runs on this thread at every progress update
    // and once at the end.
    std::optional<PassFailure> Run(QProgressBar* bar, const Work& work,
                                   const std::function<void()>& tick = {});
    bool running() const { return m_running; }

  private:
    void ShowProgress(QProgressBar* bar) const;

    bool m_running = false;
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
};

} // namespace ncui
