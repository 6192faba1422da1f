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
                                               const FileInfo* like, const std::string& mark) {
    auto path = fs.followLinks(target);
    if (!path)
        return path.status();
    if (Status writable = CheckWritable(fs, *path); !writable)
        return writable;
    auto file = fs.create(folderOf(*path), nameOf(*path) + mark, like ? *like : fs.info(*path));
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

Status CheckBackupName(FileSystem& fs, const std::string& backup) {
    if (fs.nameInfo(backup).isLink)
        return {};
    return CheckWritable(fs, backup);
}

Result<std::string> MakeBackup(FileSystem& fs, OpenFile& file, const std::string& folder,
                               const std::string& name) {
    if (auto linked = fs.link(file.path, folder, name))
        return linked;
    // No second name here (another file system, or one without hard links): a copy.
    auto copy = fs.create(folder, name, fs.info(file.path));
    if (!copy)
        return copy.status();
    Status copied = fs.copy(file, 0, file.size, *copy);
    if (copied)
        copied = fs.flush(*copy);
    if (!copied) {
        fs.discard(*copy);
        return copied;
    }
    return copy->path;
}

Status PlaceBackup(FileSystem& fs, const std::string& made, const std::string& backup) {
    if (Status renamed = fs.rename(made, backup); !renamed)
        return renamed;
    // Renaming one name of a file onto another name of the same file does nothing: the backup
    // already was this file, and the extra name goes.
    // The backup is in place either way; an extra name left is a second name of it.
    if (fs.nameInfo(made).exists)
        (void)fs.remove(made);
    return {};
}

} // namespace zyn
