#include "line_index.h"

#include <algorithm>
#include <chrono>

namespace viewer {
namespace {

// A checkpoint every 256 rows, and at the latest after 64 KiB of text: a row
// is then found by reading at most 64 KiB plus one row, and the checkpoints
// of 2 GB of short NC lines take about 4 MB.
constexpr std::uint64_t kRowsPerCheckpoint = 256;
constexpr std::uint64_t kBytesPerCheckpoint = 64 * 1024;
// Indexing reads 256 KiB at a time, which stay in the processor's cache
// while they are scanned; finding a few rows reads the least buffer.
constexpr std::size_t kIndexBufferBytes = 256 * 1024;
constexpr std::size_t kLookupBufferBytes = 4 * kMaxRowBytes;
// Often enough for a scroll bar that grows smoothly, seldom enough to cost
// nothing.
constexpr auto kProgressInterval = std::chrono::milliseconds(50);

} // namespace

LineIndex::LineIndex(const FileSource& file, TextForm form, std::function<void()> progress)
    : m_file(file), m_form(form), m_progress(std::move(progress)), m_checkpoints{{0, form.begin}} {
    m_thread = std::thread([this] { Run(); });
}

LineIndex::~LineIndex() {
    m_stop.store(true, std::memory_order_relaxed);
    m_thread.join();
}

void LineIndex::Run() {
    RowWalker walker(m_file, m_form.encoding, m_form.begin, kIndexBufferBytes);
    std::uint64_t rows = 0;
    std::uint64_t lastCheckpoint = m_form.begin;
    auto lastProgress = std::chrono::steady_clock::now();
    while (!m_stop.load(std::memory_order_relaxed)) {
        const auto row = walker.Next();
        if (!row) {
            Finish(walker.textEnd());
            return;
        }
        ++rows;
        if (rows % kRowsPerCheckpoint == 0 || row->next - lastCheckpoint >= kBytesPerCheckpoint) {
            AddCheckpoint({rows, row->next});
            lastCheckpoint = row->next;
        }
        m_rows.store(rows, std::memory_order_release);
        if (m_progress && rows % 4096 == 0) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastProgress >= kProgressInterval) {
                lastProgress = now;
                m_progress();
            }
        }
    }
}

void LineIndex::AddCheckpoint(Checkpoint checkpoint) {
    const std::lock_guard lock(m_mutex);
    m_checkpoints.push_back(checkpoint);
}

void LineIndex::Finish(std::uint64_t textEnd) {
    {
        const std::lock_guard lock(m_mutex);
        m_textEnd.store(textEnd, std::memory_order_release);
        m_complete.store(true, std::memory_order_release);
    }
    m_completed.notify_all();
    if (m_progress) m_progress();
}

LineIndex::Checkpoint LineIndex::CheckpointBeforeRow(std::uint64_t row) const {
    const std::lock_guard lock(m_mutex);
    const auto after = std::upper_bound(
        m_checkpoints.begin(), m_checkpoints.end(), row,
        [](std::uint64_t value, const Checkpoint& checkpoint) { return value < checkpoint.row; });
    return *std::prev(after);
}

LineIndex::Checkpoint LineIndex::CheckpointBeforeOffset(std::uint64_t offset) const {
    const std::lock_guard lock(m_mutex);
    const auto after = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), offset,
                                        [](std::uint64_t value, const Checkpoint& checkpoint) {
                                            return value < checkpoint.offset;
                                        });
    return after == m_checkpoints.begin() ? m_checkpoints.front() : *std::prev(after);
}

std::vector<Row> LineIndex::Rows(std::uint64_t first, std::size_t count) const {
    const Checkpoint checkpoint = CheckpointBeforeRow(first);
    RowWalker walker(m_file, m_form.encoding, checkpoint.offset, kLookupBufferBytes);
    for (std::uint64_t row = checkpoint.row; row < first; ++row) {
        if (!walker.Next()) return {};
    }
    std::vector<Row> rows;
    rows.reserve(count);
    while (rows.size() < count) {
        const auto row = walker.Next();
        if (!row) break;
        rows.push_back(*row);
    }
    return rows;
}

std::uint64_t LineIndex::RowOf(std::uint64_t offset) const {
    const Checkpoint checkpoint = CheckpointBeforeOffset(offset);
    RowWalker walker(m_file, m_form.encoding, checkpoint.offset, kLookupBufferBytes);
    std::uint64_t number = checkpoint.row;
    while (const auto row = walker.Next()) {
        if (offset < row->next) return number;
        ++number;
    }
    return number == 0 ? 0 : number - 1;
}

void LineIndex::WaitUntilComplete() const {
    std::unique_lock lock(m_mutex);
    m_completed.wait(lock, [this] { return complete(); });
}

} // namespace viewer
