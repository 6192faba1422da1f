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

Result<OpenFile> MemoryFileSystem::open(const std::string& path, bool) {
    const std::string* data = find(path);
    if (data == nullptr)
        return missing(path);
    return OpenFile{path, 0, data->size()};
}

Result<std::size_t> MemoryFileSystem::readAt(OpenFile& file, std::uint64_t offset, char* buffer,
                                             std::size_t size) {
    const std::string* data = find(file.path);
    if (data == nullptr)
        return missing(file.path);
    if (offset >= data->size())
        return std::size_t{0};
    return data->copy(buffer, size, static_cast<std::size_t>(offset));
}

Result<std::string> MemoryFileSystem::readParts(OpenFile& file,
                                                const std::vector<std::uint64_t>& offsets,
                                                std::size_t size) {
    const std::string* data = find(file.path);
    std::string parts;
    for (const std::uint64_t offset : offsets) {
        if (data == nullptr || offset + size > data->size())
            return Status::failure(ErrorKind::Io,
                                   "Cannot read " + file.path + ": it is too short.");
        parts.append(*data, static_cast<std::size_t>(offset), size);
    }
    return parts;
}

Status MemoryFileSystem::copy(OpenFile& from, std::uint64_t offset, std::uint64_t size,
                              NewFile& to) {
    const std::string* data = find(from.path);
    if (data == nullptr || offset + size > data->size())
        return Status::failure(ErrorKind::Io, "Cannot read " + from.path + ": it is too short.");
    const std::string part =
        data->substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    files_[to.path].append(part);
    return {};
}

std::string MemoryFileSystem::unusedName(const std::string& folder, const std::string& name) const {
    for (int n = 0;; ++n)
        if (std::string path = folder + "." + name + "." + std::to_string(n); !find(path))
            return path;
}

Result<NewFile> MemoryFileSystem::create(const std::string& folder, const std::string& name,
                                         const FileInfo&) {
    NewFile file{unusedName(folder, name), folder + name};
    files_[file.path];
    return file;
}

Status MemoryFileSystem::write(NewFile& file, std::string_view data) {
    files_[file.path].append(data);
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

Result<std::string> MemoryFileSystem::link(const std::string& path, const std::string& folder,
                                           const std::string& name) {
    const std::string* data = find(path);
    if (data == nullptr)
        return missing(path);
    std::string second = unusedName(folder, name);
    files_[second] = *data;
    return second;
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

std::vector<std::string> MemoryFileSystem::namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (auto it = files_.lower_bound(folder);
         it != files_.end() && it->first.compare(0, folder.size(), folder) == 0; ++it)
        if (it->first.find('/', folder.size()) == std::string::npos)
            names.push_back(it->first.substr(folder.size()));
    return names;
}

void MemoryFileSystem::removeMatching(const std::string& folder, const std::string& prefix) {
    const std::string start = folder + prefix;
    for (auto it = files_.lower_bound(start);
         it != files_.end() && it->first.compare(0, start.size(), start) == 0;)
        it = it->first.find('/', folder.size()) == std::string::npos ? files_.erase(it)
                                                                     : std::next(it);
}

} // namespace zyn::fuzz
