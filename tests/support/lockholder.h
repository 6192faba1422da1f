#pragma once

// Another process holding the lock every rebuild of an archive takes, until it is let go: what
// a second program in the middle of a rebuild looks like to the one that wants to save.

#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zyn::test {

class LockHolder {
public:
    explicit LockHolder(const std::string& path) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            return;
        const char* file = path.c_str();
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only calls a forked child may make: the parent may have other threads.
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(file, O_RDONLY);
            const char locked = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
            (void)!::write(ready[1], &locked, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1); // until the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char locked = 0;
        held_ = pid_ > 0 && ::read(ready[0], &locked, 1) == 1 && locked;
        ::close(ready[0]);
        release_ = release[1];
    }
    ~LockHolder() { letGo(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool held() const { return held_; }
    void letGo() {
        if (release_ < 0)
            return;
        ::close(release_);
        release_ = -1;
        ::waitpid(pid_, nullptr, 0);
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool held_ = false;
};

} // namespace zyn::test
