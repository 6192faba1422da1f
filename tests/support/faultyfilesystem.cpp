#include "support/faultyfilesystem.h"

namespace zyn::test {

Status FaultyFileSystem::next(Op op, const std::string& what, const std::string& path) {
    const auto fault = faults_.find({op, ++counts_[op]});
    if (fault == faults_.end())
        return {};
    return Status::failure(ErrorKind::Io, what + " " + path + ": " + fault->second + ".");
}

Result<OpenFile> FaultyFileSystem::open(const std::string& path, bool lock) {
    if (Status locked = lock ? next(Op::Lock, "Cannot lock", path) : Status(); !locked)
        return locked;
    return inner_.open(path, lock);
}

Status FaultyFileSystem::copy(OpenFile& from, std::uint64_t offset, std::uint64_t size,
                              NewFile& to) {
    if (Status copied = next(Op::Copy, "Cannot write", to.target); !copied) {
        // Half the data, as a disk that fills up leaves it; the fault is what is reported.
        (void)inner_.copy(from, offset, size / 2, to);
        return copied;
    }
    return inner_.copy(from, offset, size, to);
}

Result<NewFile> FaultyFileSystem::create(const std::string& folder, const std::string& name,
                                         const FileInfo& like) {
    if (Status created = next(Op::Create, "Cannot create a temporary file for", folder + name);
        !created)
        return created;
    return inner_.create(folder, name, like);
}

Status FaultyFileSystem::write(NewFile& file, std::string_view data) {
    if (Status written = next(Op::Write, "Cannot write", file.target); !written) {
        (void)inner_.write(file, data.substr(0, data.size() / 2));
        return written;
    }
    return inner_.write(file, data);
}

Status FaultyFileSystem::flush(NewFile& file) {
    const Status status = inner_.flush(file);
    const Status flushed = next(Op::Flush, "Cannot write", file.target);
    return status && !flushed ? flushed : status;
}

Status FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    const Status status = next(Op::Rename, "Cannot replace", to);
    return status ? inner_.rename(from, to) : status;
}

Result<std::string> FaultyFileSystem::link(const std::string& path, const std::string& folder,
                                           const std::string& name) {
    if (refuseLinks_)
        return Status::failure(ErrorKind::Io, "Cannot link " + path + ": Operation not permitted.");
    if (Status status = next(Op::Link, "Cannot link", path); !status)
        return status;
    return inner_.link(path, folder, name);
}

Status FaultyFileSystem::remove(const std::string& path) {
    const Status status = next(Op::Remove, "Cannot delete", path);
    return status ? inner_.remove(path) : status;
}

Status FaultyFileSystem::makeFolders(const std::string& path) {
    const Status status = next(Op::MakeFolder, "Cannot make the folder", path);
    return status ? inner_.makeFolders(path) : status;
}

} // namespace zyn::test
