#pragma once

// Temporary files that must not outlive an interrupted run. The file system names each
// temporary file here while it exists, and the working folder itself; when the program is stopped
// by SIGINT or SIGTERM the handler removes them, then the program ends as the signal says.

#include "base/heldfolder.h"

#include <signal.h>
#include <string>

namespace zyn {

// Installs the handler for SIGINT and SIGTERM (a signal its starter ignores stays ignored).
// Call once, early in main.
void InstallInterruptCleanup();

// Holds SIGINT and SIGTERM back while it lives, so that a temporary file is never created,
// renamed or removed without the list knowing.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    sigset_t saved_{};
    bool blocked_ = false;
};

// Adds path to the files removed on interruption, or takes it off again once it was renamed
// into place or removed. Call both under an InterruptGuard.
void RemoveOnInterrupt(const std::string& path);
void KeepOnInterrupt(const std::string& path);
// The same for a folder this run holds, removed with everything in it.
void RemoveFolderOnInterrupt(const HeldFolder& folder);
void KeepFolderOnInterrupt(const HeldFolder& folder);

} // namespace zyn
