#pragma once

// Waiting for the lock another run holds on a file: one rebuild of an archive at a time, the
// others waiting their turn, and none waiting for ever.

#include "base/filesystem.h"
#include "base/result.h"

#include <chrono>
#include <functional>
#include <string>

namespace zyn {

struct LockWait {
    // notice is called once when the lock is still held after noticeAfter (the tool says that
    // it waits); the wait ends with a failure of kind ErrorKind::Busy after giveUpAfter.
    std::chrono::milliseconds noticeAfter{1000};
    std::chrono::milliseconds giveUpAfter{60000};
    std::function<void()> notice;
    // Passes the time between two tries; sleeps when empty. A window keeps painting instead.
    std::function<void(std::chrono::milliseconds)> pause;
};

// Opens path holding its lock (FileSystem::open), trying again while another run holds it.
Result<OpenFile> OpenLocked(FileSystem& fs, const std::string& path, const LockWait& wait);

} // namespace zyn
