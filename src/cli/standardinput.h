#pragma once

// "-" as standard input wherever a command reads a whole file (a text file, a PO file, JSON, a
// table): the files of another file system, and "-", which reads standard input once, whole,
// and hands the same bytes to every later read. An archive is read in parts and rebuilt in
// place, so it cannot be "-": open() refuses it, and the commands say so first.

#include "base/filesystem.h"

#include <optional>

namespace zyn::cli {

// The name that stands for standard input.
inline constexpr const char* StandardInputName = "-";

class StandardInputFiles final : public FileSystem {
public:
    // input: the descriptor read for "-".
    explicit StandardInputFiles(FileSystem& files, int input = 0) : files_(files), input_(input) {}

    Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override;
    Result<OpenFile> open(const std::string& path, bool lock) override;
    Result<std::size_t> readAt(OpenFile& file, std::uint64_t offset, char* buffer,
                               std::size_t size) override {
        return files_.readAt(file, offset, buffer, size);
    }
    Result<std::string> readParts(OpenFile& file, const std::vector<std::uint64_t>& offsets,
                                  std::size_t size) override {
        return files_.readParts(file, offsets, size);
    }
    Status copy(OpenFile& from, std::uint64_t offset, std::uint64_t size, NewFile& to) override {
        return files_.copy(from, offset, size, to);
    }
    void close(OpenFile& file) override { files_.close(file); }
    Result<NewFile> create(const std::string& folder, const std::string& name,
                           const FileInfo& like) override {
        return files_.create(folder, name, like);
    }
    Status write(NewFile& file, std::string_view data) override { return files_.write(file, data); }
    Status flush(NewFile& file) override { return files_.flush(file); }
    void discard(NewFile& file) override { files_.discard(file); }
    Status rename(const std::string& from, const std::string& to) override {
        return files_.rename(from, to);
    }
    Result<std::string> link(const std::string& path, const std::string& folder,
                             const std::string& name) override {
        return files_.link(path, folder, name);
    }
    Status remove(const std::string& path) override { return files_.remove(path); }
    FileInfo info(const std::string& path) override;
    FileInfo nameInfo(const std::string& path) override;
    Result<std::string> followLinks(const std::string& path) override;
    std::vector<std::string> namesIn(const std::string& folder) override {
        return files_.namesIn(folder);
    }
    void removeMatching(const std::string& folder, const std::string& prefix) override {
        files_.removeMatching(folder, prefix);
    }
    Status makeFolders(const std::string& path) override { return files_.makeFolders(path); }

private:
    // Standard input, read whole on first use; or why it could not be.
    Result<std::string> input();

    FileSystem& files_;
    int input_;
    std::optional<Result<std::string>> read_;
};

} // namespace zyn::cli
