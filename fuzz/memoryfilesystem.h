#pragma once

// Files held in memory, so that a fuzz target runs the readers and writers through the same
// seam as the program without touching the disk.

#include "base/filesystem.h"

#include <map>
#include <string>
#include <string_view>

namespace zyn::fuzz {

class MemoryFileSystem : public FileSystem {
public:
    void put(const std::string& path, std::string_view data) { files_[path] = std::string(data); }
    const std::string* find(const std::string& path) const;

    Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override;
    // Every file is free: one program, no other run to wait for.
    Result<OpenFile> open(const std::string& path, bool lock) override;
    Result<std::size_t> readAt(OpenFile& file, std::uint64_t offset, char* buffer,
                               std::size_t size) override;
    Result<std::string> readParts(OpenFile& file, const std::vector<std::uint64_t>& offsets,
                                  std::size_t size) override;
    Status copy(OpenFile& from, std::uint64_t offset, std::uint64_t size, NewFile& to) override;
    void close(OpenFile&) override {}
    Result<NewFile> create(const std::string& folder, const std::string& name,
                           const FileInfo& like) override;
    Status write(NewFile& file, std::string_view data) override;
    Status flush(NewFile&) override { return {}; }
    void discard(NewFile& file) override { files_.erase(file.path); }
    Status rename(const std::string& from, const std::string& to) override;
    Result<std::string> link(const std::string& path, const std::string& folder,
                             const std::string& name) override;
    Status remove(const std::string& path) override;
    FileInfo info(const std::string& path) override;
    FileInfo nameInfo(const std::string& path) override { return info(path); }
    Result<std::string> followLinks(const std::string& path) override { return path; }
    std::vector<std::string> namesIn(const std::string& folder) override;
    void removeMatching(const std::string& folder, const std::string& prefix) override;
    // Folders are the paths of the files: every one is there.
    Status makeFolders(const std::string&) override { return {}; }

private:
    std::string unusedName(const std::string& folder, const std::string& name) const;

    std::map<std::string, std::string> files_;
};

} // namespace zyn::fuzz
