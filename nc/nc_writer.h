#pragma once

#include "atomic_file.h"

#include <memory>
#include <string>
#include <string_view>

namespace nc {

// Writes an output file through a buffer to a temporary name; Commit renames it
// into place. Failures throw NcError with the cannot-create message.
class NcWriter final {
  public:
    explicit NcWriter(const std::string& path);
    // Starts a line: the lines of a text are joined with CR LF.
    std::string& BeginJoinedLine();
    // Appends a line followed by CR LF.
    void WriteTerminatedLine(std::string_view line);
    // The buffer to append to directly; flushed when it grows large.
    std::string& buffer() { return m_buffer; }
    void FlushIfFull();
    // Ends a text written with BeginJoinedLine: a final CR LF when it ended with
    // a break. The next line written starts a new text.
    void FinishText(bool endsWithBreak);
    void Commit();
    const std::string& path() const { return m_path; }

  private:
    void Flush();

    std::string m_path;
    std::unique_ptr<platform::AtomicFile> m_file;
    std::string m_buffer;
    bool m_anyLine = false;
};

} // namespace nc
