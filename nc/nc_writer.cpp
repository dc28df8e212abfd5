#include "nc_writer.h"

#include "nc_error.h"

#include <system_error>

namespace nc {
namespace {

// Written out in 1 MiB blocks: few system calls, little memory.
constexpr std::size_t kFlushSize = std::size_t{1} << 20;
constexpr std::size_t kInitialBuffer = 64 * 1024;

} // namespace

NcWriter::NcWriter(const std::string& path) : m_path(path) {
    try {
        m_file = std::make_unique<platform::AtomicFile>(path);
    } catch (const std::system_error&) {
        throw NcError(CannotCreateMessage(path));
    }
    m_buffer.reserve(kInitialBuffer);
}

std::string& NcWriter::BeginJoinedLine() {
    FlushIfFull();
    if (m_anyLine) m_buffer += "\r\n";
    m_anyLine = true;
    return m_buffer;
}

void NcWriter::WriteTerminatedLine(std::string_view line) {
    FlushIfFull();
    m_buffer.append(line);
    m_buffer += "\r\n";
}

void NcWriter::FlushIfFull() {
    if (m_buffer.size() >= kFlushSize) Flush();
}

void NcWriter::FinishText(bool endsWithBreak) {
    if (m_anyLine && endsWithBreak) m_buffer += "\r\n";
    m_anyLine = false;
}

void NcWriter::Flush() {
    try {
        m_file->Write(m_buffer);
    } catch (const std::system_error&) {
        throw NcError(CannotCreateMessage(m_path));
    }
    m_buffer.clear();
}

void NcWriter::Commit() {
    Flush();
    try {
        m_file->Commit();
    } catch (const std::system_error&) {
        throw NcError(CannotCreateMessage(m_path));
    }
}

} // namespace nc
