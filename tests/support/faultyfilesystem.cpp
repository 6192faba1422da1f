#include "support/faultyfilesystem.h"

namespace zyn::test {

Status FaultyFileSystem::next(Op op, const std::string& what, const std::string& path) {
    const auto fault = faults_.find({op, ++counts_[op]});
    if (fault == faults_.end())
        return {};
    return Status::failure(ErrorKind::Io, what + " " + path + ": " + fault->second + ".");
}

Status FaultyFileSystem::writeFile(const std::string& path, std::string_view data) {
    if (Status created = next(Op::Create, "Cannot create", path); !created)
        return created;
    if (Status written = next(Op::Write, "Cannot write", path); !written) {
        inner_.writeFile(path, data.substr(0, data.size() / 2));
        return written;
    }
    const Status status = inner_.writeFile(path, data);
    const Status flushed = next(Op::Flush, "Cannot write", path);
    return status && !flushed ? flushed : status;
}

Status FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    const Status status = next(Op::Rename, "Cannot rename " + from + " to", to);
    return status ? inner_.rename(from, to) : status;
}

Status FaultyFileSystem::copy(const std::string& from, const std::string& to) {
    const Status status = next(Op::Copy, "Cannot copy " + from + " to", to);
    return status ? inner_.copy(from, to) : status;
}

Status FaultyFileSystem::remove(const std::string& path) {
    const Status status = next(Op::Remove, "Cannot delete", path);
    return status ? inner_.remove(path) : status;
}

} // namespace zyn::test
