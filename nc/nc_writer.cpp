#include "nc_writer.h"

#include "nc_error.h"

#include <system_error>

namespace nc {
namespace {

// Written out in 1 MiB blocks: few system calls, little memory.
constexpr std::size_t kFlushSize = std::size_t{1} << 20;

} // namespace

NcWriter::NcWriter(const std::string& path) : m_path(path) {
    try {
        m_file = std::make_unique<platform::AtomicFile>(path);
    } catch (const std::system_error& failure) {
        throw NcError(CannotCreateMessage(path), 0, failure.code().message());
    }
}

NcWriter::~NcWriter() {
    StopThread();
}

void NcWriter::WriteTerminatedLine(std::string_view line) {
    FlushIfFull();
    char* at = m_buffer.Room(line.size() + 2);
    line.copy(at, line.size());
    at += line.size();
    *at++ = '\r';
    *at++ = '\n';
    m_buffer.Advance(at);
}

void NcWriter::FlushIfFull() {
    if (m_buffer.size() >= kFlushSize) HandOver();
}

void NcWriter::Write(std::string_view bytes) {
    try {
        m_file->Write(bytes);
    } catch (const std::system_error& failure) {
        throw NcError(CannotCreateMessage(m_path), 0, failure.code().message());
    }
}

void NcWriter::WaitIdle(std::unique_lock<std::mutex>& lock) {
    m_changed.wait(lock, [this] { return !m_pending; });
    if (m_failed) throw NcError(CannotCreateMessage(m_path), 0, m_failure);
}

// Gives the full buffer to the background thread, started with the first one
// so that small outputs never start a thread.
void NcWriter::HandOver() {
    if (!m_thread.joinable()) m_thread = std::thread([this] { WriteInBackground(); });
    std::unique_lock lock(m_mutex);
    WaitIdle(lock);
    m_handedOver.swap(m_buffer);
    m_pending = true;
    m_changed.notify_all();
}

void NcWriter::WriteInBackground() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_pending || m_stop; });
        if (!m_pending) return;
        lock.unlock();
        std::string failure;
        try {
            m_file->Write(m_handedOver.view());
        } catch (const std::system_error& error) {
            failure = error.code().message();
        }
        lock.lock();
        m_handedOver.clear();
        if (!failure.empty() && !m_failed) m_failure = failure;
        m_failed = m_failed || !failure.empty();
        m_pending = false;
        m_changed.notify_all();
    }
}

void NcWriter::StopThread() noexcept {
    if (!m_thread.joinable()) return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }
    m_thread.join();
}

void NcWriter::Commit() {
    {
        std::unique_lock lock(m_mutex);
        WaitIdle(lock);
    }
    StopThread();
    Write(m_buffer.view());
    m_buffer.clear();
    try {
        m_file->Commit();
    } catch (const std::system_error& failure) {
        throw NcError(CannotCreateMessage(m_path), 0, failure.code().message());
    }
}

} // namespace nc
