#include "base/filesystem.h"

#include "base/interruptcleanup.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <pwd.h>
#include <random>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace zyn {

namespace {

Status ioFailure(const std::string& what, const std::string& path, int error) {
    return Status::failure(ErrorKind::Io, what + " " + path + ": " + std::strerror(error) + ".");
}

constexpr std::size_t NameRoom = 240; // of a file name's 255 bytes, the rest for the suffix
constexpr std::size_t SuffixLength = 6;
constexpr char NameLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// "." + name + "." + six random letters or digits: hidden, beside the file it belongs to, and
// not a name another run will pick.
std::string unusedName(const std::string& name) {
    static std::mt19937_64 random{std::random_device{}()};
    std::string result = "." + name.substr(0, NameRoom) + ".";
    for (std::size_t i = 0; i < SuffixLength; ++i)
        result.push_back(NameLetters[random() % (sizeof NameLetters - 1)]);
    return result;
}

constexpr int NameAttempts = 100;

Status shortened(const OpenFile& file) {
    return Status::failure(ErrorKind::Io,
                           "Cannot read " + file.path + ": it became shorter while it was read.");
}

// A mapped file that another program cuts short raises SIGBUS where its lost pages are read:
// the read in progress then fails instead of ending the program.
thread_local sigjmp_buf* cutShort = nullptr;

extern "C" void onBusError(int signal) {
    if (cutShort != nullptr)
        siglongjmp(*cutShort, 1);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Makes a rename last: the folder's entry is flushed too.
void flushFolder(const std::string& path) {
    const std::string folder = folderOf(path);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// The name the system gives what fd holds open; "" where it gives none.
std::string nameOfDescriptor(int fd) {
    char name[PATH_MAX];
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(self.c_str(), name, sizeof name);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof name)
        return std::string(name, static_cast<std::size_t>(n));
    return {};
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string accountName(uid_t uid) {
    passwd entry{}, *found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr)
        return std::string(found->pw_name) + ", uid " + std::to_string(uid);
    return "uid " + std::to_string(uid);
}

// The system's protection of shared folders against other accounts' links, applied whatever
// fs.protected_symlinks says, and to folders a group may write to as well: in a folder that is
// sticky or that others may write to, a link is followed only when it is the user's own or the
// folder owner's.
bool mayFollow(const struct stat& folder, const struct stat& link) {
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWGRP | S_IWOTH)) != 0;
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

// The links of /proc (a run's own descriptors, which its working folder is reached by) lead
// where only the system knows: they are followed by opening them, never by their text.
bool onProcFs(int fd) {
    struct statfs fs {};
    return ::fstatfs(fd, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

constexpr int MaxLinks = 40; // as many as the system follows in one path

// A path walked the way the system's open walks it, one name at a time through descriptors,
// so that every link met is judged in the folder that holds it before it is followed.
class LinkWalk {
public:
    explicit LinkWalk(const std::string& path) : path_(path) {}

    // The path a writer of path replaces (see FileSystem::followLinks).
    Result<std::string> run() {
        split(path_);
        Descriptor folder(
            ::open(path_.starts_with('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0)
            return ioFailure("Cannot follow the links of", path_, errno);
        int links = 0;
        // Whether the names now walked are where a link at the end of the path leads: the
        // path itself is no longer the file to write then.
        bool throughLink = false;
        while (!rest_.empty()) {
            const std::string name = std::move(rest_.front());
            rest_.pop_front();
            const bool last = rest_.empty();
            struct stat st {};
            if (::fstatat(folder.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                return missing(throughLink, errno);
            if (S_ISLNK(st.st_mode)) {
                struct stat holder {};
                if (++links > MaxLinks || ::fstat(folder.get(), &holder) != 0)
                    return ioFailure("Cannot follow the link", path_,
                                     links > MaxLinks ? ELOOP : errno);
                if (!mayFollow(holder, st))
                    return refused(joined(nameOfDescriptor(folder.get()), name), st.st_uid);
                if (onProcFs(folder.get())) {
                    const int next = ::openat(folder.get(), name.c_str(), O_PATH | O_CLOEXEC);
                    if (next < 0)
                        return missing(throughLink || last, errno);
                    if (last)
                        return reached(Descriptor(next));
                    folder.reset(next);
                    continue;
                }
                auto target = linkText(folder.get(), name);
                if (!target)
                    return target.status();
                throughLink = throughLink || last;
                if (target->starts_with('/'))
                    folder.reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
                split(*target);
                continue;
            }
            if (last) {
                if (!throughLink)
                    return path_; // no link at its end: replaced where it is named
                const std::string file = joined(nameOfDescriptor(folder.get()), name);
                struct stat there {};
                if (::lstat(file.c_str(), &there) != 0 || there.st_dev != st.st_dev ||
                    there.st_ino != st.st_ino)
                    return changing();
                return file;
            }
            const int next =
                ::openat(folder.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (next < 0)
                return missing(throughLink, errno);
            folder.reset(next);
        }
        return path_; // only "/" in it
    }

private:
    // Puts the names of path before those still to walk.
    void split(const std::string& path) {
        std::deque<std::string> names;
        for (std::size_t start = 0; start < path.size();) {
            const std::size_t slash = std::min(path.find('/', start), path.size());
            if (slash > start)
                names.push_back(path.substr(start, slash - start));
            start = slash + 1;
        }
        rest_.insert(rest_.begin(), names.begin(), names.end());
    }

    Result<std::string> linkText(int folder, const std::string& name) {
        char text[PATH_MAX];
        const ssize_t n = ::readlinkat(folder, name.c_str(), text, sizeof text);
        if (n < 0 || static_cast<std::size_t>(n) >= sizeof text)
            return ioFailure("Cannot follow the link", path_, n < 0 ? errno : ENAMETOOLONG);
        return std::string(text, static_cast<std::size_t>(n));
    }

    // A name that cannot be walked: where a link at the end leads nowhere, a refusal (no file
    // is ever made at a link's destination); else the path as it is, whose writer's own open
    // says what is wrong.
    Result<std::string> missing(bool throughLink, int error) {
        if (!throughLink)
            return path_;
        if (error == ENOENT)
            return Result<std::string>::failure(
                ErrorKind::Io, "Cannot write " + path_ + ": it is a link that leads nowhere.");
        return ioFailure("Cannot follow the link", path_, error);
    }

    Result<std::string> refused(const std::string& link, uid_t owner) {
        return Result<std::string>::failure(
            ErrorKind::Io, "Cannot write " + path_ + ": the link " + link +
                               " belongs to another account (" + accountName(owner) +
                               ") and lies in a folder others may write to, so it is not "
                               "followed.");
    }

    Result<std::string> changing() {
        return Result<std::string>::failure(
            ErrorKind::Io, "Cannot write " + path_ + ": what its link leads to keeps changing.");
    }

    // The file a link of /proc led to, by the name the system gives it.
    Result<std::string> reached(Descriptor file) {
        struct stat st {
        }, there{};
        const std::string name = nameOfDescriptor(file.get());
        if (::fstat(file.get(), &st) != 0 || name.empty() || ::lstat(name.c_str(), &there) != 0 ||
            there.st_dev != st.st_dev || there.st_ino != st.st_ino)
            return changing();
        return name;
    }

    const std::string& path_;
    std::deque<std::string> rest_;
};

class PosixFileSystem final : public FileSystem {
private:
    std::atomic<bool> copyRanges_{true};

public:
    Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override {
        auto file = open(path, false);
        if (!file)
            return file.status();
        if (file->size > maxBytes) {
            close(*file);
            return Result<std::string>::failure(
                ErrorKind::Damaged, "The file " + path + " is too large (" +
                                        std::to_string(file->size) + " bytes; at most " +
                                        std::to_string(maxBytes) + " are accepted).");
        }
        std::string data(static_cast<std::size_t>(file->size), '\0');
        auto read = readAt(*file, 0, data.data(), data.size());
        close(*file);
        if (!read)
            return read.status();
        data.resize(*read); // the file shrank while we read it
        return data;
    }

    Result<OpenFile> open(const std::string& path, bool lock) override {
        // A rebuild renames its new archive over the file it locked; whoever waited for that
        // lock then holds a file the path no longer names, and tries again on the new one.
        for (int attempt = 0; attempt < NameAttempts; ++attempt) {
            // O_NONBLOCK: opening a FIFO would wait for a writer; it is refused below instead.
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
            if (fd < 0)
                return ioFailure("Cannot open", path, errno);
            OpenFile file{path, fd, 0};
            struct stat st {};
            if (::fstat(fd, &st) != 0) {
                const int error = errno;
                close(file);
                return ioFailure("Cannot read", path, error);
            }
            if (!S_ISREG(st.st_mode)) {
                close(file);
                return Result<OpenFile>::failure(ErrorKind::Io,
                                                 "Cannot read " + path + ": it is not a file.");
            }
            file.size = static_cast<std::uint64_t>(st.st_size);
            if (!lock)
                return file;
            int locked;
            while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
            }
            if (locked != 0) {
                const int error = errno;
                close(file);
                if (error == EWOULDBLOCK)
                    return Result<OpenFile>::failure(ErrorKind::Busy,
                                                     path + " is in use by another program.");
                return ioFailure("Cannot lock", path, error);
            }
            struct stat now {};
            if (::stat(path.c_str(), &now) == 0 && now.st_dev == st.st_dev &&
                now.st_ino == st.st_ino) {
                // What it holds now: a rebuild may have changed it before letting go.
                ::fstat(fd, &st);
                file.size = static_cast<std::uint64_t>(st.st_size);
                return file;
            }
            close(file);
        }
        return Result<OpenFile>::failure(ErrorKind::Busy,
                                         path + " keeps being replaced by another program.");
    }

    Result<std::size_t> readAt(OpenFile& file, std::uint64_t offset, char* buffer,
                               std::size_t size) override {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n =
                ::pread(file.handle, buffer + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return ioFailure("Cannot read", file.path, errno);
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    Result<std::string> readParts(OpenFile& file, const std::vector<std::uint64_t>& offsets,
                                  std::size_t size) override {
        std::string parts(offsets.size() * size, '\0');
        for (const std::uint64_t offset : offsets)
            if (offset + size > file.size)
                return shortened(file);
        // Mapped a window at a time, so that the pages the parts lie on are held only while
        // they are read: a call per part would cost more than the copying it saves.
        constexpr std::uint64_t WindowSize = 8u << 20;
        const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
        // What a jump back from the signal handler needs; nothing here has a destructor.
        void* volatile window = MAP_FAILED;
        volatile std::uint64_t start = 0, length = 0;
        struct sigaction guard {
        }, previous{};
        guard.sa_handler = onBusError;
        ::sigemptyset(&guard.sa_mask);
        ::sigaction(SIGBUS, &guard, &previous);
        sigjmp_buf jump;
        const bool cut = sigsetjmp(jump, 1) != 0;
        if (!cut) {
            cutShort = &jump;
            for (std::size_t i = 0; i < offsets.size(); ++i) {
                const std::uint64_t offset = offsets[i];
                if (window == MAP_FAILED || offset < start || offset + size > start + length) {
                    if (window != MAP_FAILED)
                        ::munmap(window, length);
                    start = offset / page * page;
                    length = std::min(std::max<std::uint64_t>(WindowSize, offset + size - start),
                                      file.size - start);
                    window = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, file.handle,
                                    static_cast<off_t>(start));
                    if (window == MAP_FAILED)
                        break; // no mapping here (some file systems have none)
                }
                std::memcpy(parts.data() + i * size,
                            static_cast<const char*>(window) + (offset - start), size);
            }
        }
        cutShort = nullptr;
        ::sigaction(SIGBUS, &previous, nullptr);
        const bool mapped = window != MAP_FAILED;
        if (mapped)
            ::munmap(window, length);
        if (cut)
            return shortened(file);
        if (mapped)
            return parts;
        // A call per part.
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            auto read = readAt(file, offsets[i], parts.data() + i * size, size);
            if (!read)
                return read.status();
            if (*read != size)
                return shortened(file);
        }
        return parts;
    }

    Status copy(OpenFile& from, std::uint64_t offset, std::uint64_t size, NewFile& to) override {
        // The kernel copies without the data passing through this program, where it can: on
        // the same file system, and where the file system supports it.
        auto in = static_cast<off_t>(offset);
        while (size > 0 && copyRanges_) {
            const ssize_t n = ::copy_file_range(from.handle, &in, to.handle, nullptr,
                                                std::min<std::uint64_t>(size, 1u << 30), 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n > 0) {
                size -= static_cast<std::uint64_t>(n);
                continue;
            }
            if (n < 0 && errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP &&
                errno != EINVAL)
                return ioFailure("Cannot write", to.target, errno);
            if (n < 0 && errno == ENOSYS)
                copyRanges_ = false; // a kernel without it: not worth asking again
            break; // 0 (some special files report nothing copied) or refused: copied below
        }
        std::vector<char> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(size, 1u << 20)));
        while (size > 0) {
            const std::size_t part =
                static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
            auto read = readAt(from, static_cast<std::uint64_t>(in), buffer.data(), part);
            if (!read)
                return read.status();
            if (*read == 0)
                return shortened(from);
            if (Status written = write(to, std::string_view(buffer.data(), *read)); !written)
                return written;
            in += static_cast<off_t>(*read);
            size -= *read;
        }
        return {};
    }

    void close(OpenFile& file) override {
        if (file.handle >= 0)
            ::close(file.handle);
        file.handle = -1;
    }

    Result<NewFile> create(const std::string& folder, const std::string& name,
                           const FileInfo& like) override {
        for (int attempt = 0; attempt < NameAttempts; ++attempt) {
            const std::string path = folder + unusedName(name);
            InterruptGuard guard;
            // Private until its permission bits are set; a new file gets what the umask (or
            // the folder's default access list) gives.
            const int fd =
                ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       like.exists ? 0600 : 0666);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                return ioFailure("Cannot create a temporary file for", folder + name, errno);
            RemoveOnInterrupt(path);
            if (like.exists) {
                // The owner first: changing it clears set-id bits. Where the user may not give
                // the file away, the group alone may still be kept.
                if (like.owner >= 0 &&
                    ::fchown(fd, static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) !=
                        0 &&
                    like.group >= 0)
                    (void)!::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(like.group));
                ::fchmod(fd, like.permissions);
            }
            return NewFile{path, folder + name, fd};
        }
        return Result<NewFile>::failure(ErrorKind::Io, "Cannot create a temporary file for " +
                                                           folder + name +
                                                           ": no unused name was found.");
    }

    Status write(NewFile& file, std::string_view data) override {
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(file.handle, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return ioFailure("Cannot write", file.target, n < 0 ? errno : ENOSPC);
            done += static_cast<std::size_t>(n);
        }
        return {};
    }

    Status flush(NewFile& file) override {
        const int error = ::fsync(file.handle) != 0 ? errno : 0;
        const int closed = ::close(file.handle) != 0 ? errno : 0;
        file.handle = -1;
        if (error != 0 || closed != 0)
            return ioFailure("Cannot write", file.target, error != 0 ? error : closed);
        return {};
    }

    void discard(NewFile& file) override {
        if (file.handle >= 0)
            ::close(file.handle);
        file.handle = -1;
        // Cleaning up after a failure that is reported already; a temporary file that stays
        // carries a name no run uses again.
        (void)remove(file.path);
    }

    Status rename(const std::string& from, const std::string& to) override {
        {
            InterruptGuard guard;
            if (::rename(from.c_str(), to.c_str()) != 0)
                return ioFailure("Cannot replace", to, errno);
            KeepOnInterrupt(from);
        }
        flushFolder(to);
        return {};
    }

    Result<std::string> link(const std::string& path, const std::string& folder,
                             const std::string& name) override {
        for (int attempt = 0; attempt < NameAttempts; ++attempt) {
            std::string second = folder + unusedName(name);
            InterruptGuard guard;
            if (::link(path.c_str(), second.c_str()) == 0) {
                RemoveOnInterrupt(second);
                return second;
            }
            if (errno != EEXIST)
                return ioFailure("Cannot link", path, errno);
        }
        return Result<std::string>::failure(ErrorKind::Io,
                                            "Cannot link " + path + ": no unused name was found.");
    }

    Status makeFolders(const std::string& path) override {
        // From the top down: a folder there already is no failure, what stands in the way
        // of a missing one is.
        for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
            const std::string part = path.substr(0, end);
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return ioFailure("Cannot make the folder", part, errno);
            if (end == std::string::npos)
                break;
        }
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return ioFailure("Cannot make the folder", path, errno);
        if (!S_ISDIR(st.st_mode))
            return ioFailure("Cannot make the folder", path, ENOTDIR);
        return {};
    }

    Status remove(const std::string& path) override {
        InterruptGuard guard;
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return ioFailure("Cannot delete", path, errno);
        KeepOnInterrupt(path);
        return {};
    }

    FileInfo info(const std::string& path) override {
        FileInfo result;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return result;
        result.exists = true;
        result.isRegular = S_ISREG(st.st_mode);
        // The permission bits decide, not access(): a program run as root may write anything,
        // yet a file its owner marked read-only is meant to stay as it is.
        result.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
                          (::geteuid() != 0 && ::access(path.c_str(), W_OK) != 0);
        result.size = static_cast<std::uint64_t>(st.st_size);
        result.permissions = st.st_mode & 0777;
        result.owner = st.st_uid;
        result.group = st.st_gid;
        return result;
    }

    FileInfo nameInfo(const std::string& path) override {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return {};
        if (!S_ISLNK(st.st_mode))
            return info(path);
        FileInfo result;
        result.exists = true;
        result.isLink = true;
        result.owner = st.st_uid;
        result.group = st.st_gid;
        return result;
    }

    Result<std::string> followLinks(const std::string& path) override {
        return LinkWalk(path).run();
    }

    std::vector<std::string> namesIn(const std::string& folder) override {
        std::vector<std::string> names;
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (dir == nullptr)
            return names;
        while (const dirent* entry = ::readdir(dir))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                names.emplace_back(entry->d_name);
        ::closedir(dir);
        return names;
    }

    void removeMatching(const std::string& folder, const std::string& prefix) override {
        for (const std::string& name : namesIn(folder))
            if (name.rfind(prefix, 0) == 0 && info(folder + name).isRegular)
                ::unlink((folder + name).c_str());
    }
};

} // namespace

FileSystem& realFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string_view fileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool OwnedByUser(const FileInfo& info) {
    return info.exists && info.owner == static_cast<std::int64_t>(::geteuid());
}

bool MadeFromName(const std::string& entry, const std::string& name) {
    // A name cut to fit is not told apart from others cut alike: never taken for one.
    const std::string start = "." + name + ".";
    return name.size() <= NameRoom && entry.size() == start.size() + SuffixLength &&
           entry.compare(0, start.size(), start) == 0 &&
           entry.find_first_not_of(NameLetters, start.size()) == std::string::npos;
}

} // namespace zyn
