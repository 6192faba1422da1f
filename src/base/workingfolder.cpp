#include "base/workingfolder.h"

#include "base/interruptcleanup.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zyn {

namespace {

constexpr const char* NamePrefix = "zyntext-";

std::string temporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
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
        ::renameat(folder, ".lock", folder, WorkingFolder::LockName) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

constexpr const char* ThroughFolder = "/proc/self/fd/";

// A path that reaches the open folder itself, not whatever bears its name; where the system
// offers none, its name.
std::string pathThrough(const HeldFolder& folder, const std::string& location) {
    const std::string self = ThroughFolder + std::to_string(folder.self);
    struct stat st {};
    if (::stat(self.c_str(), &st) == 0 && st.st_dev == folder.device && st.st_ino == folder.inode)
        return self + "/";
    return location + "/";
}

void closeHeld(HeldFolder& folder) {
    if (folder.self >= 0)
        ::close(folder.self);
    if (folder.parent >= 0)
        ::close(folder.parent);
    folder = HeldFolder();
}

} // namespace

WorkingFolder::~WorkingFolder() {
    if (folder_.self < 0)
        return;
    {
        InterruptGuard guard;
        RemoveHeldFolder(folder_);
        KeepFolderOnInterrupt(folder_);
    }
    ::close(lock_);
    closeHeld(folder_);
}

const std::string& WorkingFolder::path() {
    if (!path_.empty())
        return path_;
    const std::string base = temporaryFolder();
    const int parent = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const auto failed = [&](const std::string& why) {
        failure_ = why + " (" + std::strerror(errno) + "; TMPDIR names the folder used)";
    };
    if (parent < 0) {
        failed("no folder can be made in " + base);
        return path_;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        InterruptGuard guard;
        std::string made = base + "/" + NamePrefix + "XXXXXX";
        if (::mkdtemp(made.data()) == nullptr) {
            failed("no folder can be made in " + base);
            break;
        }
        const std::string name = made.substr(base.size() + 1);
        // Someone may have put another folder in its place already: it must be this user's,
        // and private.
        HeldFolder folder = OpenOwnFolder(parent, name.c_str());
        struct stat st {};
        if (folder.self < 0 || ::fstat(folder.self, &st) != 0 || (st.st_mode & 077) != 0) {
            if (folder.self >= 0)
                ::close(folder.self);
            continue;
        }
        const int lock = takeLock(folder.self);
        if (lock < 0) {
            failed("its lock cannot be taken in " + made);
            RemoveHeldFolder(folder);
            ::close(folder.self);
            break;
        }
        folder_ = folder;
        lock_ = lock;
        path_ = pathThrough(folder_, base + "/" + name);
        RemoveFolderOnInterrupt(folder_);
        return path_;
    }
    ::close(parent);
    return path_;
}

std::string WorkingFolder::fileFor(const std::string& name) {
    std::string safe;
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        const bool allowed =
            code >= 128 || (code > 32 && c != '/' && c != ':' && c != '\\' && c != '<' &&
                            c != '>' && c != '*' && c != '?' && c != '"' && c != '|');
        safe.push_back(allowed || c == ' ' ? c : '_');
    }
    if (safe.empty() || safe == "." || safe == "..")
        safe = "item";
    return path() + safe;
}

std::string ShownPath(const std::string& path) {
    const std::size_t start = std::strlen(ThroughFolder);
    const std::size_t slash = path.find('/', start);
    if (path.rfind(ThroughFolder, 0) != 0 || slash == std::string::npos)
        return path;
    char folder[PATH_MAX];
    const ssize_t n = ::readlink(path.substr(0, slash).c_str(), folder, sizeof folder);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof folder)
        return path;
    return std::string(folder, static_cast<std::size_t>(n)) + path.substr(slash);
}

void RemoveAbandonedWorkingFolders() {
    const int parent = ::open(temporaryFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return;
    // The names first: the folder is not changed while it is read.
    std::vector<std::string> names;
    if (DIR* dir = ::fdopendir(::dup(parent))) {
        while (const dirent* entry = ::readdir(dir))
            if (std::string name = entry->d_name; name.rfind(NamePrefix, 0) == 0)
                names.push_back(std::move(name));
        ::closedir(dir);
    }
    for (const std::string& name : names) {
        // Only real folders of this user, never through a link someone else put there; once
        // open, the folder is removed through that, whatever is put in its place meanwhile.
        const HeldFolder folder = OpenOwnFolder(parent, name.c_str());
        if (folder.self < 0)
            continue;
        // A lock that cannot be had: its run lives, or it is being made.
        if (const int lock = lockIfFree(folder.self, WorkingFolder::LockName); lock >= 0) {
            RemoveHeldFolder(folder);
            ::close(lock);
        }
        ::close(folder.self);
    }
    ::close(parent);
}

} // namespace zyn
