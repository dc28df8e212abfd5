#include "removed_on_signal.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// Far more than the files the program writes at the same time.
constexpr int kSlots = 64;

// Free -> Reserved -> Armed -> Free by the owner; Armed -> Removing by the
// handler, after which nobody touches the slot again, so the handler reads a
// name that cannot change under it.
enum SlotState : int { kFree, kReserved, kArmed, kRemoving };

struct Slot {
    std::atomic<int> state{kFree};
    int folderFd = -1;
    char name[NAME_MAX + 1] = {};
};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free atomics");

Slot g_slots[kSlots];

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveArmedFilesAndDie(int signal) {
    for (Slot& slot : g_slots) {
        int armed = kArmed;
        if (slot.state.compare_exchange_strong(armed, kRemoving)) {
            ::unlinkat(slot.folderFd, slot.name, 0);
        }
    }
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    // Blocked while the handler runs; the default action ends the process as
    // soon as the handler returns.
    ::raise(signal);
}

void InstallHandlers() noexcept {
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0) continue;
        if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction removing {};
        removing.sa_handler = RemoveArmedFilesAndDie;
        sigemptyset(&removing.sa_mask);
        for (const int other : kSignals)
            sigaddset(&removing.sa_mask, other);
        removing.sa_flags = SA_RESTART;
        ::sigaction(signal, &removing, nullptr);
    }
}

} // namespace

RemovedOnSignal::RemovedOnSignal(int folderFd, const std::string& name) noexcept {
    static const bool installed = (InstallHandlers(), true);
    (void)installed;
    if (name.size() > NAME_MAX || name.find('\0') != std::string::npos) return;
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = g_slots[i];
        int free = kFree;
        if (!slot.state.compare_exchange_strong(free, kReserved)) continue;
        slot.folderFd = folderFd;
        std::memcpy(slot.name, name.c_str(), name.size() + 1);
        m_slot = i;
        return;
    }
}

RemovedOnSignal::~RemovedOnSignal() {
    if (m_slot < 0) return;
    std::atomic<int>& state = g_slots[m_slot].state;
    // A slot the handler has claimed stays claimed: the process is ending.
    int seen = kArmed;
    if (!state.compare_exchange_strong(seen, kFree) && seen == kReserved) state.store(kFree);
}

void RemovedOnSignal::Arm() noexcept {
    if (m_slot >= 0) g_slots[m_slot].state.store(kArmed);
}

} // namespace platform
