#include "cli/standardinput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace zyn::cli {

namespace {

// Beyond every file a command reads whole (a PO file of a whole archive is far below it).
constexpr std::uint64_t MaxInput = 64u * 1024 * 1024;

bool isInput(const std::string& path) {
    return path == StandardInputName;
}

} // namespace

Result<std::string> StandardInputFiles::input() {
    if (read_)
        return *read_;
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(input_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            read_ = Result<std::string>::failure(ErrorKind::Io,
                                                 std::string("Cannot read standard input: ") +
                                                     std::strerror(errno) + ".");
            return *read_;
        }
        if (n == 0)
            break;
        data.append(buffer, static_cast<std::size_t>(n));
        if (data.size() > MaxInput) {
            read_ = Result<std::string>::failure(
                ErrorKind::Damaged, "Standard input is too large (more than " +
                                        std::to_string(MaxInput) + " bytes are not accepted).");
            return *read_;
        }
    }
    read_ = std::move(data);
    return *read_;
}

Result<std::string> StandardInputFiles::readFile(const std::string& path, std::uint64_t maxBytes) {
    if (!isInput(path))
        return files_.readFile(path, maxBytes);
    auto data = input();
    if (data && data->size() > maxBytes)
        return Result<std::string>::failure(ErrorKind::Damaged,
                                            "Standard input is too large (" +
                                                std::to_string(data->size()) + " bytes; at most " +
                                                std::to_string(maxBytes) + " are accepted).");
    return data;
}

Result<OpenFile> StandardInputFiles::open(const std::string& path, bool lock) {
    if (!isInput(path))
        return files_.open(path, lock);
    return Result<OpenFile>::failure(ErrorKind::Unsupported,
                                     "An archive cannot be read from standard input (\"-\"): it "
                                     "is read in parts and rebuilt in place; name its file.");
}

FileInfo StandardInputFiles::info(const std::string& path) {
    if (!isInput(path))
        return files_.info(path);
    FileInfo info;
    info.exists = info.isRegular = true;
    if (const auto data = input())
        info.size = data->size();
    return info;
}

FileInfo StandardInputFiles::nameInfo(const std::string& path) {
    return isInput(path) ? info(path) : files_.nameInfo(path);
}

Result<std::string> StandardInputFiles::followLinks(const std::string& path) {
    return isInput(path) ? Result<std::string>(path) : files_.followLinks(path);
}

} // namespace zyn::cli
