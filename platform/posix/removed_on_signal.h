#pragma once

#include <string>

namespace platform {

// A temporary file that SIGINT, SIGTERM and SIGHUP remove before they end the
// process, so that a conversion stopped by Ctrl+C or kill leaves no half file.
// The handlers are installed with the first object, for each of the signals
// whose action is still the default one (an ignored signal stays ignored, a
// handler of the program's own stays in place); they remove every armed file,
// restore the default action and raise the signal again.
//
// The names live in a fixed table that the handler only reads, so it calls
// nothing but unlinkat. When the table is full or the name too long, the file
// is not removed on a signal; everything else works as before.
class RemovedOnSignal final {
  public:
    // Reserves a place for `name` in the folder `folderFd`, which must stay
    // open while the object lives. The file is not removed before Arm().
    RemovedOnSignal(int folderFd, const std::string& name) noexcept;
    // Forgets the file: it was renamed into place or removed.
    ~RemovedOnSignal();
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

    // The file exists now: a signal removes it from here on. Reserving first
    // and arming right after the file appears keeps the window in which a
    // signal could leave it behind down to a few instructions.
    void Arm() noexcept;

  private:
    int m_slot = -1;
};

} // namespace platform
