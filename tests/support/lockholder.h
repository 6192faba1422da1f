#pragma once

// Holds the lock every rebuild of an archive takes, for as long as this lives: what a second
// program in the middle of a rebuild looks like to one that wants to save. The lock belongs to
// this open file, so a rebuild in this process, which opens the archive anew, is refused it too.

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace zyn::test {

class LockHolder {
public:
    explicit LockHolder(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)),
          held_(fd_ >= 0 && ::flock(fd_, LOCK_EX) == 0) {}
    ~LockHolder() { ::close(fd_); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool held() const { return held_; }

private:
    int fd_;
    bool held_;
};

} // namespace zyn::test
