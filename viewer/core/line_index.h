#pragma once

#include "file_source.h"
#include "row_walker.h"
#include "text_encoding.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace viewer {

// The rows of a file's text, found by a thread of its own while the rows
// already known can be read. Only every few hundredth row start is kept (a
// checkpoint), so a file of any size costs a few megabytes at most; a row
// between two checkpoints is found by reading on from the one before it.
class LineIndex final {
  public:
    // Starts indexing at once. `progress` is called from the indexing thread
    // now and then while it runs, and once when it completes.
    LineIndex(const FileSource& file, TextForm form, std::function<void()> progress = {});
    ~LineIndex();
    LineIndex(const LineIndex&) = delete;
    LineIndex& operator=(const LineIndex&) = delete;

    // The rows found so far; the count of all rows once complete().
    std::uint64_t knownRows() const { return m_rows.load(std::memory_order_acquire); }
    bool complete() const { return m_complete.load(std::memory_order_acquire); }
    // Where the text ends (its first NUL or the end of the file); known once
    // complete().
    std::uint64_t textEnd() const { return m_textEnd.load(std::memory_order_acquire); }
    std::uint64_t textBegin() const { return m_form.begin; }
    TextEncoding encoding() const { return m_form.encoding; }

    // Up to `count` rows from row `first` on; fewer at the end of the text.
    // Rows past the known ones are read on from the last checkpoint.
    std::vector<Row> Rows(std::uint64_t first, std::size_t count) const;
    // The number of the row holding the byte at `offset` (the last row for an
    // offset past the text).
    std::uint64_t RowOf(std::uint64_t offset) const;

    void WaitUntilComplete() const;

  private:
    struct Checkpoint {
        std::uint64_t row;
        std::uint64_t offset;
    };

    void Run();
    void AddCheckpoint(Checkpoint checkpoint);
    Checkpoint CheckpointBeforeRow(std::uint64_t row) const;
    Checkpoint CheckpointBeforeOffset(std::uint64_t offset) const;
    void Finish(std::uint64_t textEnd);

    const FileSource& m_file;
    TextForm m_form;
    std::function<void()> m_progress;

    mutable std::mutex m_mutex; // guards m_checkpoints, waits for completion
    mutable std::condition_variable m_completed;
    std::vector<Checkpoint> m_checkpoints;
    std::atomic<std::uint64_t> m_rows{0};
    std::atomic<std::uint64_t> m_textEnd{0};
    std::atomic<bool> m_complete{false};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace viewer
