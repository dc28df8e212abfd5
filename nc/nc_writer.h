#pragma once

#include "atomic_file.h"
#include "byte_buffer.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace nc {

// Writes an output file to a temporary name; Commit renames it into place.
// Callers fill buffer(); full buffers are written by a background thread while
// the next one fills, so converting and writing overlap on large outputs.
// Failures throw NcError with the cannot-create message.
class NcWriter final {
  public:
    explicit NcWriter(const std::string& path);
    ~NcWriter();
    NcWriter(const NcWriter&) = delete;
    NcWriter& operator=(const NcWriter&) = delete;

    // The buffer to append to; call FlushIfFull now and then.
    ByteBuffer& buffer() { return m_buffer; }
    void FlushIfFull();
    // Appends a line followed by CR LF.
    void WriteTerminatedLine(std::string_view line);
    // Writes straight to the file, for callers with buffers of their own; do
    // not mix with buffer().
    void Write(std::string_view bytes);
    void Commit();
    const std::string& path() const { return m_path; }

  private:
    void HandOver();
    void WaitIdle(std::unique_lock<std::mutex>& lock);
    void WriteInBackground();
    void StopThread() noexcept;

    std::string m_path;
    std::unique_ptr<platform::AtomicFile> m_file;
    ByteBuffer m_buffer;

    // Shared with the background thread under m_mutex.
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    ByteBuffer m_handedOver;
    bool m_pending = false;
    bool m_stop = false;
    bool m_failed = false;
    std::string m_failure; // the system's reason of the first failed write
};

} // namespace nc
