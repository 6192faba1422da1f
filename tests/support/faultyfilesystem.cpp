#include "support/faultyfilesystem.h"

namespace zyn::test {

namespace {

Status ioError(const std::string& what, const std::string& path, const std::string& reason) {
    return Status::failure(ErrorKind::Io, what + " " + path + ": " + reason + ".");
}

} // namespace

void FaultyFileSystem::failOn(Op op, int nth, std::string reason) {
    faults_[{op, count(op) + nth}] = std::move(reason);
}

int FaultyFileSystem::count(Op op) const {
    const auto it = counts_.find(op);
    return it == counts_.end() ? 0 : it->second;
}

std::string FaultyFileSystem::next(Op op) {
    const auto fault = faults_.find({op, ++counts_[op]});
    return fault == faults_.end() ? std::string() : fault->second;
}

Result<std::string> FaultyFileSystem::readFile(const std::string& path, std::uint64_t maxBytes) {
    return inner_.readFile(path, maxBytes);
}

Status FaultyFileSystem::writeFile(const std::string& path, std::string_view data) {
    if (const auto reason = next(Op::Create); !reason.empty())
        return ioError("Cannot create", path, reason);
    if (const auto reason = next(Op::Write); !reason.empty()) {
        inner_.writeFile(path, data.substr(0, data.size() / 2));
        return ioError("Cannot write", path, reason);
    }
    Status status = inner_.writeFile(path, data);
    if (const auto reason = next(Op::Flush); status && !reason.empty())
        return ioError("Cannot write", path, reason);
    return status;
}

Status FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    if (const auto reason = next(Op::Rename); !reason.empty())
        return ioError("Cannot rename " + from + " to", to, reason);
    return inner_.rename(from, to);
}

Status FaultyFileSystem::copy(const std::string& from, const std::string& to) {
    if (const auto reason = next(Op::Copy); !reason.empty())
        return ioError("Cannot copy " + from + " to", to, reason);
    return inner_.copy(from, to);
}

Status FaultyFileSystem::remove(const std::string& path) {
    if (const auto reason = next(Op::Remove); !reason.empty())
        return ioError("Cannot delete", path, reason);
    return inner_.remove(path);
}

FileInfo FaultyFileSystem::info(const std::string& path) {
    return inner_.info(path);
}

void FaultyFileSystem::removeMatching(const std::string& folder, const std::string& prefix) {
    inner_.removeMatching(folder, prefix);
}

} // namespace zyn::test
