#include "base/filesystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {

namespace {

Status ioFailure(const std::string& what, const std::string& path, int error) {
    return Status::failure(ErrorKind::Io, what + " " + path + ": " + std::strerror(error) + ".");
}

class PosixFileSystem final : public FileSystem {
public:
    Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return ioFailure("Cannot open", path, errno);
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            const int error = errno;
            ::close(fd);
            return ioFailure("Cannot read", path, error);
        }
        if (!S_ISREG(st.st_mode)) {
            ::close(fd);
            return Result<std::string>::failure(ErrorKind::Io,
                                                "Cannot read " + path + ": it is not a file.");
        }
        if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
            ::close(fd);
            return Result<std::string>::failure(
                ErrorKind::Damaged, "The file " + path + " is too large (" +
                                        std::to_string(st.st_size) + " bytes; at most " +
                                        std::to_string(maxBytes) + " are accepted).");
        }
        std::string data;
        data.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                const int error = errno;
                ::close(fd);
                return ioFailure("Cannot read", path, error);
            }
            if (n == 0)
                break; // the file shrank while we read it
            done += static_cast<std::size_t>(n);
        }
        data.resize(done);
        ::close(fd);
        return data;
    }

    Status writeFile(const std::string& path, std::string_view data) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return ioFailure("Cannot create", path, errno);
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                const int error = n < 0 ? errno : ENOSPC;
                ::close(fd);
                return ioFailure("Cannot write", path, error);
            }
            done += static_cast<std::size_t>(n);
        }
        if (::fsync(fd) != 0) {
            const int error = errno;
            ::close(fd);
            return ioFailure("Cannot write", path, error);
        }
        if (::close(fd) != 0)
            return ioFailure("Cannot write", path, errno);
        return {};
    }

    Status rename(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return ioFailure("Cannot rename " + from + " to", to, errno);
        return {};
    }

    Status copy(const std::string& from, const std::string& to) override {
        auto data = readFile(from, UINT64_MAX);
        if (!data)
            return data.status();
        return replaceFile(*this, to, to + ".part", *data);
    }

    Status remove(const std::string& path) override {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return ioFailure("Cannot delete", path, errno);
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
        return result;
    }

    void removeMatching(const std::string& folder, const std::string& prefix) override {
        DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
        if (dir == nullptr)
            return;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.rfind(prefix, 0) != 0)
                continue;
            const std::string path = folder + name;
            if (info(path).isRegular)
                ::unlink(path.c_str());
        }
        ::closedir(dir);
    }
};

} // namespace

FileSystem& realFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

Status replaceFile(FileSystem& fs, const std::string& target, const std::string& tempPath,
                   std::string_view data) {
    Status status = fs.writeFile(tempPath, data);
    if (status)
        status = fs.rename(tempPath, target);
    if (!status)
        fs.remove(tempPath);
    return status;
}

} // namespace zyn
