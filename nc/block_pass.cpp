#include "block_pass.h"

#include "nc_error.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace nc {
namespace {

// More threads than this gain nothing: writing the output becomes the limit.
constexpr unsigned kMaxThreads = 8;

class BlockPass final {
  public:
    BlockPass(NcReader& reader, NcWriter& writer, const LineConverter& prototype)
        : m_reader(reader), m_writer(writer), m_prototype(prototype),
          m_startState(prototype.CarriedState()), m_carriedState(m_startState) {}

    void Run(const Progress& progress) {
        const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
        std::vector<std::thread> helpers;
        for (unsigned i = 1; i < threads; ++i)
            helpers.emplace_back([this] { Work({}); });
        Work(progress);
        for (auto& helper : helpers)
            helper.join();
        if (m_otherFailure) std::rethrow_exception(m_otherFailure);
        if (m_failure) throw *m_failure;
    }

  private:
    struct Block {
        std::uint64_t sequence = 0;
        std::uint64_t bytesDone = 0; // of the source, up to the end of this block
        ByteBuffer input;
        ByteBuffer output;
        std::size_t lines = 0;
        std::optional<NcError> error;
        int endState = 0;
    };

    void Work(const Progress& progress) {
        const auto converter = m_prototype.Clone();
        Block block;
        try {
            while (Take(block)) {
                Convert(*converter, block, m_startState);
                if (!Write(*converter, block)) return;
                if (progress) progress(block.bytesDone, m_reader.fileSize());
            }
        } catch (const NcError& error) {
            Fail(error, {});
        } catch (...) {
            Fail(std::nullopt, std::current_exception());
        }
    }

    // The next block of the source in a buffer of this thread's own.
    bool Take(Block& block) {
        std::lock_guard lock(m_readMutex);
        std::string_view text;
        if (Stopped() || !m_reader.NextBlock(text)) return false;
        block.sequence = m_nextSequence++;
        block.bytesDone = m_reader.bytesDone();
        block.input.clear();
        block.input.Append(text);
        return true;
    }

    static void Convert(LineConverter& converter, Block& block, int startState) {
        converter.SetCarriedState(startState);
        block.output.clear();
        block.error.reset();
        try {
            block.lines = converter.ConvertText(block.input.view(), block.output);
        } catch (const NcError& error) {
            block.error = error;
        }
        block.endState = converter.CarriedState();
    }

    // Waits for the block's turn and writes it; false when the pass stops.
    bool Write(LineConverter& converter, Block& block) {
        std::unique_lock lock(m_turnMutex);
        m_turn.wait(lock, [&] { return m_stopped || m_nextToWrite == block.sequence; });
        if (m_stopped) return false;
        if (m_carriedState != m_startState) Convert(converter, block, m_carriedState);
        if (block.error) {
            StopWith(block.error->atLine(m_linesWritten + block.error->line()), {});
            return false;
        }
        m_writer.Write(block.output.view());
        m_linesWritten += static_cast<std::int64_t>(block.lines);
        m_carriedState = block.endState;
        ++m_nextToWrite;
        m_turn.notify_all();
        return true;
    }

    void Fail(const std::optional<NcError>& error, std::exception_ptr other) {
        std::lock_guard lock(m_turnMutex);
        StopWith(error, other);
    }

    // Called with m_turnMutex held; the first failure is kept.
    void StopWith(const std::optional<NcError>& error, std::exception_ptr other) {
        if (!m_stopped) {
            m_failure = error;
            m_otherFailure = other;
        }
        m_stopped = true;
        m_turn.notify_all();
    }

    bool Stopped() {
        std::lock_guard lock(m_turnMutex);
        return m_stopped;
    }

    NcReader& m_reader;
    NcWriter& m_writer;
    const LineConverter& m_prototype;
    const int m_startState;

    std::mutex m_readMutex; // guards the reader and m_nextSequence
    std::uint64_t m_nextSequence = 0;

    std::mutex m_turnMutex; // guards everything below
    std::condition_variable m_turn;
    std::uint64_t m_nextToWrite = 0;
    int m_carriedState;
    std::int64_t m_linesWritten = 0;
    bool m_stopped = false;
    std::optional<NcError> m_failure;
    std::exception_ptr m_otherFailure;
};

} // namespace

void ConvertBlocks(NcReader& reader, NcWriter& writer, const LineConverter& prototype,
                   const Progress& progress) {
    BlockPass(reader, writer, prototype).Run(progress);
}

} // namespace nc
