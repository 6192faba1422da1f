#include "fuzz/memoryfilesystem.h"

namespace zyn::fuzz {

namespace {

Status missing(const std::string& path) {
    return Status::failure(ErrorKind::Io, "Cannot open " + path + ": No such file or directory.");
}

} // namespace

const std::string* MemoryFileSystem::find(const std::string& path) const {
    const auto it = files_.find(path);
    return it == files_.end() ? nullptr : &it->second;
}

Result<std::string> MemoryFileSystem::readFile(const std::string& path, std::uint64_t maxBytes) {
    const std::string* data = find(path);
    if (data == nullptr)
        return missing(path);
    if (data->size() > maxBytes)
        return Result<std::string>::failure(ErrorKind::Damaged,
                                            "The file " + path + " is too large.");
    return *data;
}

Status MemoryFileSystem::writeFile(const std::string& path, std::string_view data) {
    put(path, data);
    return {};
}

Status MemoryFileSystem::rename(const std::string& from, const std::string& to) {
    const auto it = files_.find(from);
    if (it == files_.end())
        return missing(from);
    std::string data = std::move(it->second);
    files_.erase(it);
    files_[to] = std::move(data);
    return {};
}

Status MemoryFileSystem::copy(const std::string& from, const std::string& to) {
    const std::string* data = find(from);
    if (data == nullptr)
        return missing(from);
    files_[to] = *data;
    return {};
}

Status MemoryFileSystem::remove(const std::string& path) {
    files_.erase(path);
    return {};
}

FileInfo MemoryFileSystem::info(const std::string& path) {
    FileInfo result;
    if (const std::string* data = find(path)) {
        result.exists = true;
        result.isRegular = true;
        result.size = data->size();
    }
    return result;
}

void MemoryFileSystem::removeMatching(const std::string& folder, const std::string& prefix) {
    const std::string start = folder + prefix;
    for (auto it = files_.lower_bound(start);
         it != files_.end() && it->first.compare(0, start.size(), start) == 0;)
        it = it->first.find('/', folder.size()) == std::string::npos ? files_.erase(it)
                                                                     : std::next(it);
}

} // namespace zyn::fuzz
