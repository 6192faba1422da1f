#include "base/heldfolder.h"

#include <cerrno>
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

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
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

HeldFolder::~HeldFolder() {
    if (lock_ >= 0)
        ::close(lock_);
}

HeldFolder::HeldFolder(HeldFolder&& other) noexcept
    : path_(std::move(other.path_)), lock_(other.lock_) {
    other.path_.clear();
    other.lock_ = -1;
}

HeldFolder& HeldFolder::operator=(HeldFolder&& other) noexcept {
    if (this != &other) {
        if (lock_ >= 0)
            ::close(lock_);
        path_ = std::move(other.path_);
        lock_ = other.lock_;
        other.path_.clear();
        other.lock_ = -1;
    }
    return *this;
}

Result<HeldFolder> HeldFolder::make(const std::string& parent, const std::string& prefix) {
    const std::string base = withSlash(parent);
    std::string folder = base + prefix + "XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr)
        return Result<HeldFolder>::failure(ErrorKind::Io, "no folder can be made in " + base +
                                                              " (" + std::strerror(errno) + ")");
    folder += "/";
    // The lock is taken under another name and then renamed: a folder without its lock is
    // one being made, and a lock that can be had is one whose run has ended.
    const std::string fresh = folder + ".lock";
    const int fd =
        ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::rename(fresh.c_str(), (folder + LockName).c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        removeAll(folder);
        return Result<HeldFolder>::failure(ErrorKind::Io, "its lock cannot be taken in " + folder +
                                                              " (" + reason + ")");
    }
    return HeldFolder(folder, fd);
}

void HeldFolder::remove() {
    if (!path_.empty())
        removeAll(path_);
    *this = HeldFolder();
}

std::vector<HeldFolder> TakeAbandonedFolders(const std::string& parent, const std::string& prefix) {
    std::vector<HeldFolder> taken;
    const std::string base = withSlash(parent);
    DIR* dir = ::opendir(base.c_str());
    if (dir == nullptr)
        return taken;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) != 0)
            continue;
        // Only real folders of this user: never through a link someone else put there.
        struct stat st {};
        if (::lstat((base + name).c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        const std::string folder = base + name + "/";
        if (const int lock = lockIfFree(folder + HeldFolder::LockName); lock >= 0)
            taken.push_back(HeldFolder(folder, lock));
    }
    ::closedir(dir);
    return taken;
}

} // namespace zyn
