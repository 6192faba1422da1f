#pragma once

// The one way this program writes a file. The new content goes to a temporary file that no
// other run can have (created exclusively, never through an existing file or a link) in the
// folder of the file it replaces, is flushed to disk, and only then renamed over the target:
// a reader, a crash or a second run sees the old file or the new one, never a mix. A target
// that is a symbolic link to a file is written where its links lead, and the link stays;
// another account's link in a shared folder and a link that leads nowhere are refused
// (FileSystem::followLinks). The new file keeps the old one's permission bits and owner.

#include "base/filesystem.h"
#include "base/result.h"

#include <cstdint>
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
    // when that exists, else those of a new file (0666 less the umask). Its name is made from
    // the target's file name followed by mark.
    static Result<ReplacementFile> start(FileSystem& fs, const std::string& target,
                                         const FileInfo* like = nullptr,
                                         const std::string& mark = {});

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
    // The new content's file until it is committed.
    const std::string& temporaryPath() const { return file_.path; }

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

// The backup of an archive is made before its new archive is written, under a name of its
// own, and takes the backup's name only once the new archive is in place: a rebuild that fails
// leaves the previous backup as it was.

// Refuses a backup name that holds a folder, a FIFO, a device or a read-only file. A link there
// is fine: it is replaced, never followed.
Status CheckBackupName(FileSystem& fs, const std::string& backup);

// A copy of the open file as it is now, in folder under a name made from name: a second name
// of that very file where the file system allows (no byte is copied and its bytes and
// permission bits are those of the file), else a flushed copy with the file's permission bits.
Result<std::string> MakeBackup(FileSystem& fs, OpenFile& file, const std::string& folder,
                               const std::string& name);

// Gives the backup made the name backup, replacing whatever stands there as a name (an older
// backup goes).
Status PlaceBackup(FileSystem& fs, const std::string& made, const std::string& backup);

} // namespace zyn
