#pragma once

#include "removed_on_signal.h"

#include <memory>
#include <string>

namespace cli {

// Where a conversion writes. "-" (standard output): the conversion writes a
// temporary file that is copied to standard output once it has succeeded, so
// a failure writes nothing there either. The file is removed on the way out,
// also when a signal ends the process. Any other path is used as it is.
class OutputTarget final {
  public:
    explicit OutputTarget(std::string path);
    ~OutputTarget();
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    const std::string& path() const { return m_path; }
    // Copies the finished temporary file to standard output ("-" only).
    void Deliver() const;

  private:
    std::string m_path;
    std::string m_name;
    int m_folderFd = -1;
    std::unique_ptr<platform::RemovedOnSignal> m_removedOnSignal;
};

} // namespace cli
