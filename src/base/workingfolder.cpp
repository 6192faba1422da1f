#include "base/workingfolder.h"

#include "base/interruptcleanup.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace zyn {

namespace {

constexpr const char* NamePrefix = "zyntext-";

std::string temporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    return std::string(base && *base ? base : "/tmp") + "/";
}

void removeAll(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// Locks the file at path when nobody holds it; the descriptor, or -1.
int lockIfFree(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

} // namespace

WorkingFolder::~WorkingFolder() {
    if (path_.empty())
        return;
    {
        InterruptGuard guard;
        removeAll(path_);
        KeepFolderOnInterrupt(path_);
    }
    ::close(lock_);
}

const std::string& WorkingFolder::path() {
    if (!path_.empty())
        return path_;
    std::string folder = temporaryFolder() + NamePrefix + "XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) {
        failure_ = "no folder can be made in " + temporaryFolder() + " (" + std::strerror(errno) +
                   "; TMPDIR names the folder used)";
        return path_;
    }
    folder += "/";
    InterruptGuard guard;
    // The lock is taken under another name and then renamed: a folder without its lock is
    // one being made, and a lock that can be had is one whose run has ended.
    const std::string fresh = folder + ".lock";
    const int fd =
        ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::rename(fresh.c_str(), (folder + LockName).c_str()) != 0) {
        failure_ = "its lock cannot be taken in " + folder + " (" + std::strerror(errno) + ")";
        if (fd >= 0)
            ::close(fd);
        removeAll(folder);
        return path_;
    }
    lock_ = fd;
    path_ = folder;
    RemoveFolderOnInterrupt(path_);
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

void RemoveAbandonedWorkingFolders() {
    const std::string base = temporaryFolder();
    DIR* dir = ::opendir(base.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(NamePrefix, 0) != 0)
            continue;
        // Only real folders of this user: never through a link someone else put there.
        const std::string folder = base + name + "/";
        struct stat st {};
        if (::lstat((base + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        const int lock = lockIfFree(folder + WorkingFolder::LockName);
        if (lock < 0)
            continue; // its run lives, or it is being made
        removeAll(folder);
        ::close(lock);
    }
    ::closedir(dir);
}

} // namespace zyn
