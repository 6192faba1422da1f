#pragma once

// The one way this program writes a file. The new content goes to a temporary file that no
// other run can have (created exclusively, never through an existing file or a link) in the
// folder of the file it replaces, is flushed to disk, and only then renamed over the target:
// a reader, a crash or a second run sees the old file or the new one, never a mix. A target
// that is a symbolic link is written where the link leads, and the link stays; the new file
// keeps the old one's permission bits and owner.

#include "base/filesystem.h"
#include "base/result.h"

#include <cstdint>
#include <future>
#include <string>
#include <string_view>

namespace zyn {

// Refuses to replace path when it exists and is not a plain file, or when its permission bits
// let nobody write to it (so also when run as root). path names the file, not a link to it.
Status CheckWritable(FileSystem& fs, const std::string& path);

// A file being replaced: start, write as often as needed, commit. Destroyed uncommitted (a
// failure, an early return), it removes its temporary file and leaves the target as it was.
class ReplacementFile {
public:
    // Starts replacing target, or the file its symbolic links lead to. The temporary file
    // gets the permission bits and owner of like when given, else of the file it replaces
    // when that exists, else those of a new file (0666 less the umask).
    static Result<ReplacementFile> start(FileSystem& fs, const std::string& target,
                                         const FileInfo* like = nullptr);

    ReplacementFile(ReplacementFile&& other) noexcept;
    ReplacementFile& operator=(ReplacementFile&&) = delete;
    ReplacementFile(const ReplacementFile&) = delete;
    ~ReplacementFile();

    Status write(std::string_view data);
    // Appends size bytes of from, starting at offset, without holding them in memory.
    Status copy(OpenFile& from, std::uint64_t offset, std::uint64_t size);
    // Flushes the new content to disk and renames it over the target.
    Status commit();

    // The file replaced: the target with its links followed.
    const std::string& path() const { return path_; }

private:
    ReplacementFile(FileSystem& fs, std::string path, NewFile file);
    void discard();

    FileSystem* fs_;
    std::string path_;
    NewFile file_;
    bool pending_ = true; // the temporary file exists and is not in place yet
};

// Replaces target with data as ReplacementFile does.
Status WriteFileSafely(FileSystem& fs, const std::string& target, std::string_view data);

// Makes backup (or the file its links lead to) hold the open file as it is now. Where the
// file system allows, it becomes a second name of that very file (a hard link made under a
// name no other run uses, then renamed to backup): no byte is copied and the file's bytes and
// permission bits are those of the file. Elsewhere backup is written as a copy with the
// permission bits of the file. A backup that is read-only or not a plain file is refused.
// The previous backup is removed while the caller goes on, where the file system can swap the
// two names; that removal has ended when the returned future goes.
Result<std::future<void>> KeepBackup(FileSystem& fs, OpenFile& file, const std::string& backup);

} // namespace zyn
