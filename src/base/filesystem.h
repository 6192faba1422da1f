#pragma once

// The file operations every reader and writer of the program goes through.
//
// Writers never touch a target before its replacement is complete: they write a temporary file
// next to it and rename it into place. Tests substitute an implementation that fails chosen
// operations, to prove that a failure at any point leaves the old file as it was.

#include "base/result.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zyn {

struct FileInfo {
    bool exists = false;
    bool isRegular = false; // a plain file, not a folder or device
    bool readOnly = false;  // nobody may write to it
    std::uint64_t size = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file; refused when it is larger than maxBytes, so that a damaged or hostile
    // file cannot make the program allocate without bound.
    virtual Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) = 0;
    // Creates or truncates path, writes data, flushes it to the disk and closes it. On failure
    // the file may be left partly written; the caller removes it.
    virtual Status writeFile(const std::string& path, std::string_view data) = 0;
    // Puts from in the place of to, replacing to if it exists.
    virtual Status rename(const std::string& from, const std::string& to) = 0;
    // Copies from to to (replacing to) through a temporary name, flushed before it is renamed.
    virtual Status copy(const std::string& from, const std::string& to) = 0;
    virtual Status remove(const std::string& path) = 0;
    virtual FileInfo info(const std::string& path) = 0;
    // Removes every plain file in folder whose name starts with prefix; missing folder is fine.
    virtual void removeMatching(const std::string& folder, const std::string& prefix) = 0;
};

// The operating system's files.
FileSystem& realFileSystem();

// Writes data to tempPath, then renames it over target. On any failure the temporary file is
// removed and target is untouched.
Status replaceFile(FileSystem& fs, const std::string& target, const std::string& tempPath,
                   std::string_view data);

} // namespace zyn
