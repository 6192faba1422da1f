#include "base/safewriter.h"

#include <utility>

namespace zyn {

namespace {

std::string nameOf(const std::string& path) {
    return path.substr(folderOf(path).size());
}

} // namespace

Status CheckWritable(FileSystem& fs, const std::string& path) {
    const FileInfo info = fs.info(path);
    if (!info.exists)
        return {};
    if (!info.isRegular)
        return Status::failure(ErrorKind::Io, "Cannot write " + path + ": it is not a plain file.");
    if (info.readOnly)
        return Status::failure(ErrorKind::Io, "Cannot write " + path + ": the file is read-only.");
    return {};
}

Result<ReplacementFile> ReplacementFile::start(FileSystem& fs, const std::string& target,
                                               const FileInfo* like) {
    auto path = fs.resolveLinks(target);
    if (!path)
        return path.status();
    if (Status writable = CheckWritable(fs, *path); !writable)
        return writable;
    auto file = fs.create(folderOf(*path), nameOf(*path), like ? *like : fs.info(*path));
    if (!file)
        return file.status();
    return ReplacementFile(fs, std::move(*path), std::move(*file));
}

ReplacementFile::ReplacementFile(FileSystem& fs, std::string path, NewFile file)
    : fs_(&fs), path_(std::move(path)), file_(std::move(file)) {}

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : fs_(other.fs_), path_(std::move(other.path_)), file_(std::move(other.file_)),
      pending_(std::exchange(other.pending_, false)) {}

ReplacementFile::~ReplacementFile() {
    discard();
}

void ReplacementFile::discard() {
    if (pending_)
        fs_->discard(file_);
    pending_ = false;
}

Status ReplacementFile::write(std::string_view data) {
    Status written = fs_->write(file_, data);
    if (!written)
        discard();
    return written;
}

Status ReplacementFile::copy(OpenFile& from, std::uint64_t offset, std::uint64_t size) {
    Status copied = fs_->copy(from, offset, size, file_);
    if (!copied)
        discard();
    return copied;
}

Status ReplacementFile::commit() {
    Status status = pending_ ? fs_->flush(file_)
                             : Status::failure(ErrorKind::Io,
                                               "Cannot write " + path_ + ": its writing failed.");
    if (status)
        status = fs_->rename(file_.path, path_);
    if (status)
        pending_ = false;
    else
        discard();
    return status;
}

Status WriteFileSafely(FileSystem& fs, const std::string& target, std::string_view data) {
    auto file = ReplacementFile::start(fs, target);
    if (!file)
        return file.status();
    if (Status written = file->write(data); !written)
        return written;
    return file->commit();
}

Result<std::future<void>> KeepBackup(FileSystem& fs, OpenFile& file, const std::string& backup) {
    auto target = fs.resolveLinks(backup);
    if (!target)
        return target.status();
    if (Status writable = CheckWritable(fs, *target); !writable)
        return writable;
    if (auto linked = fs.link(file.path, folderOf(*target), nameOf(*target))) {
        // Swapped in, the previous backup is left under the new name and removed meanwhile.
        if (fs.info(*target).exists) {
            const Status swapped = fs.exchange(*linked, *target);
            if (swapped)
                return fs.removeMeanwhile(*linked);
            if (swapped.kind() != ErrorKind::Unsupported) {
                fs.remove(*linked);
                return swapped;
            }
        }
        const Status renamed = fs.rename(*linked, *target);
        // Renaming one name of a file onto another name of the same file does nothing: the
        // backup already was this file, and the extra name goes.
        if (!renamed || fs.info(*linked).exists)
            fs.remove(*linked);
        if (!renamed)
            return renamed;
        return std::future<void>();
    }
    // No second name here (another file system, or one without hard links): a copy.
    const FileInfo original = fs.info(file.path);
    auto copy = ReplacementFile::start(fs, *target, &original);
    if (!copy)
        return copy.status();
    if (Status copied = copy->copy(file, 0, file.size); !copied)
        return copied;
    if (Status committed = copy->commit(); !committed)
        return committed;
    return std::future<void>();
}

} // namespace zyn
