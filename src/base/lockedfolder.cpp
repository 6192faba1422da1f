#include "base/lockedfolder.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zyn {

namespace {

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

// Locks the file name inside folder when nobody holds it; the descriptor, or -1.
int lockIfFree(int folder, const char* name) {
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// The lock is taken under another name and then renamed: a folder without its lock is one
// being made, and a lock that can be had is one whose run has ended.
int takeLock(int folder) {
    const int fd =
        ::openat(folder, ".lock", O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::renameat(folder, ".lock", folder, LockedFolder::LockName) == 0)
        return fd;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    errno = error;
    return -1;
}

void closeHeld(HeldFolder& folder) {
    if (folder.self >= 0)
        ::close(folder.self);
    if (folder.parent >= 0)
        ::close(folder.parent);
    folder = HeldFolder();
}

Status failure(const std::string& what) {
    return Status::failure(ErrorKind::Io, what + " (" + std::strerror(errno) + ")");
}

} // namespace

LockedFolder::~LockedFolder() {
    release();
}

LockedFolder::LockedFolder(LockedFolder&& other) noexcept
    : path_(std::move(other.path_)), folder_(std::exchange(other.folder_, HeldFolder())),
      lock_(std::exchange(other.lock_, -1)) {
    other.path_.clear();
}

LockedFolder& LockedFolder::operator=(LockedFolder&& other) noexcept {
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        other.path_.clear();
        folder_ = std::exchange(other.folder_, HeldFolder());
        lock_ = std::exchange(other.lock_, -1);
    }
    return *this;
}

void LockedFolder::release() {
    if (lock_ >= 0)
        ::close(lock_);
    lock_ = -1;
    closeHeld(folder_);
    path_.clear();
}

Result<LockedFolder> LockedFolder::make(const std::string& parent, const std::string& prefix) {
    const std::string base = withSlash(parent);
    const int parentFd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0)
        return failure("no folder can be made in " + base);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string made = base + prefix + "XXXXXX";
        if (::mkdtemp(made.data()) == nullptr)
            break;
        const std::string name = made.substr(base.size());
        // Someone may have put another folder in its place already: it must be this user's,
        // and private.
        HeldFolder folder = OpenOwnFolder(parentFd, name.c_str());
        struct stat st {};
        if (folder.self < 0 || ::fstat(folder.self, &st) != 0 || (st.st_mode & 077) != 0) {
            if (folder.self >= 0)
                ::close(folder.self);
            continue;
        }
        const int lock = takeLock(folder.self);
        if (lock < 0) {
            const Status why = failure("its lock cannot be taken in " + made);
            RemoveHeldFolder(folder);
            folder.parent = parentFd;
            closeHeld(folder);
            return why;
        }
        return LockedFolder(made + "/", folder, lock);
    }
    const Status why = failure("no folder can be made in " + base);
    ::close(parentFd);
    return why;
}

void LockedFolder::remove() {
    if (folder_.self >= 0)
        RemoveHeldFolder(folder_);
    release();
}

std::vector<LockedFolder> TakeAbandonedFolders(const std::string& parent,
                                               const std::string& prefix) {
    std::vector<LockedFolder> taken;
    const std::string base = withSlash(parent);
    const int parentFd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0)
        return taken;
    // The names first: the folder is not changed while it is read.
    std::vector<std::string> names;
    if (DIR* dir = ::fdopendir(::dup(parentFd))) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string name = entry->d_name; name.rfind(prefix, 0) == 0)
                names.push_back(std::move(name));
        ::closedir(dir);
    }
    for (const std::string& name : names) {
        // Only real folders of this user, never through a link someone else put there; once
        // open, the folder is reached through that, whatever is put in its place meanwhile.
        HeldFolder folder = OpenOwnFolder(parentFd, name.c_str());
        if (folder.self < 0)
            continue;
        // A lock that cannot be had: its run lives, or it is being made.
        const int lock = lockIfFree(folder.self, LockedFolder::LockName);
        if (lock < 0) {
            ::close(folder.self);
            continue;
        }
        folder.parent = ::dup(parentFd);
        taken.push_back(LockedFolder(base + name + "/", folder, lock));
    }
    ::close(parentFd);
    return taken;
}

} // namespace zyn
