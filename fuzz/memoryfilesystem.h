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
    Status writeFile(const std::string& path, std::string_view data) override;
    Status rename(const std::string& from, const std::string& to) override;
    Status copy(const std::string& from, const std::string& to) override;
    Status remove(const std::string& path) override;
    FileInfo info(const std::string& path) override;
    void removeMatching(const std::string& folder, const std::string& prefix) override;

private:
    std::map<std::string, std::string> files_;
};

} // namespace zyn::fuzz
