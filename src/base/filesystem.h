#pragma once

// The file operations every reader and writer of the program goes through.
//
// Writers go through the safe writer (safewriter.h), which uses the steps below so that the target
// is never touched before its replacement is complete. Tests substitute an implementation that
// fails chosen steps, to prove that a failure at any point leaves the old file as it was.

#include "base/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

struct FileInfo {
    bool exists = false;
    bool isRegular = false; // a plain file, not a folder, device or FIFO
    bool isLink = false;    // a symbolic link (only from nameInfo, which does not follow it)
    bool readOnly = false;  // nobody may write to it
    std::uint64_t size = 0;
    std::uint32_t permissions = 0; // the permission bits (0777 of the mode)
    std::int64_t owner = -1, group = -1;
};

// A file open for reading by parts (the archive a rebuild copies from, an item file being
// expanded); with a lock, the lock lasts until it is closed.
struct OpenFile {
    std::string path;
    int handle = -1; // the file system's own
    std::uint64_t size = 0;
};

// A file being written by create, write and flush, to replace target.
struct NewFile {
    std::string path;
    std::string target;
    int handle = -1; // the file system's own
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file; refused when it is larger than maxBytes, so that a damaged or hostile
    // file cannot make the program allocate without bound, and when it is not a plain file (a
    // FIFO or a device would make the program wait or read for ever).
    virtual Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) = 0;

    // Opens a plain file for reading by parts. With lock, also takes the file's exclusive
    // advisory lock, the one every rebuild of an archive holds until its new archive is in
    // place: a failure of kind ErrorKind::Busy when another run holds it (try again later).
    // The lock is on the file path names when this returns, also when a rebuild renamed
    // another file into its place while this one waited.
    virtual Result<OpenFile> open(const std::string& path, bool lock) = 0;
    // Up to size bytes from offset into buffer; fewer only at the end of the file.
    virtual Result<std::size_t> readAt(OpenFile& file, std::uint64_t offset, char* buffer,
                                       std::size_t size) = 0;
    // The size bytes at each of offsets, one after the other; every part must lie inside the
    // file. For the headers of an archive's items: thousands of small parts, which the
    // operating system's files read through a mapping instead of one call each.
    virtual Result<std::string> readParts(OpenFile& file, const std::vector<std::uint64_t>& offsets,
                                          std::size_t size) = 0;
    // Appends size bytes of from, starting at offset, to the new file; a source that ends
    // before them is a failure.
    virtual Status copy(OpenFile& from, std::uint64_t offset, std::uint64_t size, NewFile& to) = 0;
    // Closes the file, which lets go of its lock.
    virtual void close(OpenFile& file) = 0;

    // Creates an empty file in folder ("" for the current one) under a name made from name
    // that no file has (MadeFromName tells it again): exclusively, so it never opens an
    // existing file nor follows a link.
    // The file gets the permission bits and owner of like when like.exists (the owner where
    // the user may set it), else those of a new file (0666 less the umask).
    virtual Result<NewFile> create(const std::string& folder, const std::string& name,
                                   const FileInfo& like) = 0;
    virtual Status write(NewFile& file, std::string_view data) = 0;
    // Flushes the file to the disk and closes it.
    virtual Status flush(NewFile& file) = 0;
    // Closes the file if it is still open, and removes it.
    virtual void discard(NewFile& file) = 0;

    // Puts from in the place of to, replacing to if it exists (a link at to is replaced, not
    // followed).
    virtual Status rename(const std::string& from, const std::string& to) = 0;
    // Gives the file at path a second name in folder, made from name and unused by any file;
    // returns it. Fails where the file system has no such names or folder is on another one.
    virtual Result<std::string> link(const std::string& path, const std::string& folder,
                                     const std::string& name) = 0;
    virtual Status remove(const std::string& path) = 0;
    // What path names, its links followed.
    virtual FileInfo info(const std::string& path) = 0;
    // What stands at path itself: a link is described, not followed.
    virtual FileInfo nameInfo(const std::string& path) = 0;
    // The path a writer of path replaces: path itself when it ends in no link (also when
    // nothing is there yet), else the file its links lead to, followed name by name as the
    // system's open follows them. Every link met on the way, in a folder that is sticky or
    // that others (its group or everyone) may write to, must be the user's own or the folder
    // owner's, whatever the system's own protection says: another account's link there is
    // refused, naming it. A link that leads nowhere is refused: no file is ever made at a
    // link's destination.
    virtual Result<std::string> followLinks(const std::string& path) = 0;
    // The names of the entries of folder ("" for the current one); none when it cannot be read.
    virtual std::vector<std::string> namesIn(const std::string& folder) = 0;
    // Removes every plain file in folder whose name starts with prefix; missing folder is fine.
    virtual void removeMatching(const std::string& folder, const std::string& prefix) = 0;
    // Makes the folder at path and each missing folder above it, as the umask says; a folder
    // there already is fine, anything else in its place is a failure.
    virtual Status makeFolders(const std::string& path) = 0;
};

// Closes an open file when it goes, letting go of its lock.
class FileCloser {
public:
    FileCloser(FileSystem& fs, OpenFile& file) : fs_(fs), file_(file) {}
    ~FileCloser() { fs_.close(file_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    FileSystem& fs_;
    OpenFile& file_;
};

// The operating system's files.
FileSystem& realFileSystem();

// The folder part of a path with its trailing "/", or "" when the path has none.
std::string folderOf(const std::string& path);
// The name after a path's last "/", the whole path when it has none.
std::string_view fileNameOf(std::string_view path);

// Whether info (of info or nameInfo) is of something the user running the program owns.
bool OwnedByUser(const FileInfo& info);

// Whether entry (a name in a folder) is one that create or link made from name.
bool MadeFromName(const std::string& entry, const std::string& name);

} // namespace zyn
