#include "base/interruptcleanup.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <unistd.h>

namespace zyn {

namespace {

// A run has at most a few temporary files at once (a rebuild: the backup's link, then the new
// archive). The handler may only read memory set up beforehand, so the list is fixed.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX]{};
};
static_assert(std::atomic<bool>::is_always_lock_free);
Slot slots[8];
// Working folders: one per program state, of which a run has one (the tool's diff two, tests a
// few).
struct FolderSlot {
    std::atomic<bool> used{false};
    HeldFolder folder;
};
FolderSlot folders[4];

extern "C" void onInterrupt(int signal) {
    for (Slot& slot : slots)
        if (slot.used.load(std::memory_order_acquire))
            ::unlink(slot.path);
    for (FolderSlot& slot : folders)
        if (slot.used.load(std::memory_order_acquire))
            RemoveHeldFolder(slot.folder);
    ::signal(signal, SIG_DFL);
    ::raise(signal); // delivered when the handler returns: the run ends as it would have
}

sigset_t interruptSignals() {
    sigset_t set;
    ::sigemptyset(&set);
    ::sigaddset(&set, SIGINT);
    ::sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

void InstallInterruptCleanup() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_mask = interruptSignals();
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

InterruptGuard::InterruptGuard() {
    const sigset_t set = interruptSignals();
    blocked_ = ::pthread_sigmask(SIG_BLOCK, &set, &saved_) == 0;
}

InterruptGuard::~InterruptGuard() {
    if (blocked_)
        ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

namespace {

template <std::size_t N> void add(Slot (&list)[N], const std::string& path) {
    if (path.size() >= PATH_MAX)
        return;
    for (Slot& slot : list) {
        if (slot.used.load(std::memory_order_relaxed))
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.used.store(true, std::memory_order_release);
        return;
    }
}

template <std::size_t N> void drop(Slot (&list)[N], const std::string& path) {
    for (Slot& slot : list)
        if (slot.used.load(std::memory_order_relaxed) && path == slot.path) {
            slot.used.store(false, std::memory_order_release);
            return;
        }
}

} // namespace

void RemoveOnInterrupt(const std::string& path) {
    add(slots, path);
}

void KeepOnInterrupt(const std::string& path) {
    drop(slots, path);
}

void RemoveFolderOnInterrupt(const HeldFolder& folder) {
    for (FolderSlot& slot : folders) {
        if (slot.used.load(std::memory_order_relaxed))
            continue;
        slot.folder = folder;
        slot.used.store(true, std::memory_order_release);
        return;
    }
}

void KeepFolderOnInterrupt(const HeldFolder& folder) {
    for (FolderSlot& slot : folders)
        if (slot.used.load(std::memory_order_relaxed) && slot.folder.self == folder.self) {
            slot.used.store(false, std::memory_order_release);
            return;
        }
}

} // namespace zyn
