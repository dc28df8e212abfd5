#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace fileops {

// Copy and move of files and folders into a folder, driven by a progress
// dialog from a worker thread:
//
//   Transfer transfer(TransferKind::Copy, sources, destination);
//   worker:  TransferReport report = transfer.Run(callbacks);
//   GUI:     transfer.Cancel();   // the cancel button, from any thread
//
// Both callbacks run on the thread that calls Run. `progress` should only
// hand the numbers over (the dialog shows them on its own timer).
// `askConflict` may block that thread until the GUI thread has the user's
// answer (for example through a blocking queued call or a promise); Cancel()
// called meanwhile takes effect once it returns.
//
// What is promised: every file is written under a temporary name and takes
// its final name only when complete, with its source's permissions and times,
// so a cancel or a failure leaves no partial file and an existing file is
// only ever replaced whole. Links are copied as links and never followed.
// A move within one file system renames; across file systems each source is
// removed only after its copy is complete and synced to the disk.

enum class TransferKind { Copy, Move };

// The answers to "replace the entry that is already there?".
enum class ConflictAnswer {
    Yes,      // replace it
    No,       // keep it and leave this source alone
    YesToAll, // replace it and every later one without asking
    Cancel,   // stop the whole transfer
};

struct Conflict {
    std::string source;
    std::string target; // the existing entry
    std::uint64_t sourceSize = 0;
    std::uint64_t targetSize = 0;
    std::time_t sourceModified = 0;
    std::time_t targetModified = 0;
};

struct TransferProgress {
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::uint64_t filesDone = 0; // files and links dealt with (also skipped or failed)
    std::uint64_t filesTotal = 0;
    std::string currentName; // the path of the source entry being worked on
};

struct TransferCallbacks {
    // After each chunk of about 1 MiB and after each entry.
    std::function<void(const TransferProgress&)> progress;
    // For each existing target until YesToAll; without it, conflicts answer No.
    std::function<ConflictAnswer(const Conflict&)> askConflict;
};

// What became of each source given.
enum class TransferOutcome {
    Done,      // transferred (parts the user answered No to excepted)
    Skipped,   // answered No
    Failed,    // refused, or a part failed: see the failures
    Cancelled, // not or not wholly done because of the cancel
};

struct TransferFailure {
    std::string path;
    int error = 0;      // the errno value, 0 for a refusal of the engine's own
    std::string reason; // ready to show: the system's text or the refusal
};

enum class TransferStatus { Done, Failed, Cancelled };

struct TransferReport {
    TransferStatus status = TransferStatus::Done;
    std::vector<TransferOutcome> outcomes; // one per source, in order
    std::vector<TransferFailure> failures;
    TransferProgress progress; // the final counts
};

struct TransferOptions {
    // A move copies and removes also within one file system (the tests use
    // it to run the cross-device path without a second file system).
    bool moveByCopy = false;
};

class Transfer final {
  public:
    // `sources` are paths of files, folders or links; `destinationFolder`
    // must exist. A source in the destination folder itself, and a folder
    // into itself or below itself, are refused (reported as failures).
    Transfer(TransferKind kind, std::vector<std::string> sources, std::string destinationFolder,
             TransferOptions options = {});

    // Runs the whole transfer on the calling thread. Call once.
    TransferReport Run(const TransferCallbacks& callbacks);

    // From any thread: stops at the next chunk; the file being written is
    // thrown away and what was done stays done.
    void Cancel() noexcept { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const noexcept { return m_cancelled.load(std::memory_order_relaxed); }

  private:
    TransferKind m_kind;
    std::vector<std::string> m_sources;
    std::string m_destination;
    TransferOptions m_options;
    std::atomic<bool> m_cancelled{false};
};

} // namespace fileops
