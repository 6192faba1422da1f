#include "base/interruptcleanup.h"

#include <atomic>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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
// Working folders: one per program state, of which a run has one (tests make a few).
Slot folders[4];

// Empties the folder (it holds plain files only) and removes it, with calls a signal handler
// may make. Entries removed while the folder is read may hide others, so it is read again
// until a pass finds nothing left.
void removeFolder(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        for (int pass = 0; pass < 16; ++pass) {
            bool removed = false;
            ::lseek(fd, 0, SEEK_SET);
            alignas(8) char buffer[4096];
            ssize_t n;
            while ((n = ::getdents64(fd, buffer, sizeof buffer)) > 0) {
                for (ssize_t at = 0; at < n;) {
                    const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                    const char* name = entry->d_name;
                    if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                        removed |= ::unlinkat(fd, name, 0) == 0;
                    at += entry->d_reclen;
                }
            }
            if (!removed)
                break;
        }
        ::close(fd);
    }
    ::rmdir(path);
}

extern "C" void onInterrupt(int signal) {
    for (Slot& slot : slots)
        if (slot.used.load(std::memory_order_acquire))
            ::unlink(slot.path);
    for (Slot& folder : folders)
        if (folder.used.load(std::memory_order_acquire))
            removeFolder(folder.path);
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

void RemoveFolderOnInterrupt(const std::string& folder) {
    add(folders, folder);
}

void KeepFolderOnInterrupt(const std::string& folder) {
    drop(folders, folder);
}

} // namespace zyn
