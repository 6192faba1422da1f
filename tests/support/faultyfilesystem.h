#pragma once

// A file system that fails on purpose: it passes everything to another file system (the real
// one by default) except the n-th operation of a chosen kind, which fails with an errno-like
// message. A failed write leaves half of the data behind, as a full disk would.

#include "base/filesystem.h"

#include <map>
#include <string>
#include <string_view>

namespace zyn::test {

class FaultyFileSystem : public FileSystem {
public:
    // The steps of the safe writer: create a temporary file (nothing is made when it fails),
    // write (half the data is written), flush (all data is there, but the flush reports
    // failure), rename it into place, link (a second name for a backup), delete; and of a
    // rebuild: open its archive to lock it, copy a part of it into the new file (half is
    // copied); and making a folder (nothing is made).
    enum class Op { Create, Write, Flush, Rename, Link, Remove, Lock, Copy, MakeFolder };

    explicit FaultyFileSystem(FileSystem& inner = realFileSystem()) : inner_(inner) {}

    // The nth operation of kind op (counted from 1, from now on) fails with reason, e.g.
    // "No space left on device". Several faults may be armed at once.
    void failOn(Op op, int nth = 1, std::string reason = "Input/output error") {
        faults_[{op, count(op) + nth}] = std::move(reason);
    }
    // Every link fails, as on a file system without hard links; not counted as a fault.
    void refuseLinks() { refuseLinks_ = true; }
    // How many operations of kind op have been asked for so far.
    int count(Op op) const { return counts_.count(op) ? counts_.at(op) : 0; }

    Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override {
        return inner_.readFile(path, maxBytes);
    }
    Result<OpenFile> open(const std::string& path, bool lock) override;
    Result<std::size_t> readAt(OpenFile& file, std::uint64_t offset, char* buffer,
                               std::size_t size) override {
        return inner_.readAt(file, offset, buffer, size);
    }
    Result<std::string> readParts(OpenFile& file, const std::vector<std::uint64_t>& offsets,
                                  std::size_t size) override {
        return inner_.readParts(file, offsets, size);
    }
    Status copy(OpenFile& from, std::uint64_t offset, std::uint64_t size, NewFile& to) override;
    void close(OpenFile& file) override { inner_.close(file); }
    Result<NewFile> create(const std::string& folder, const std::string& name,
                           const FileInfo& like) override;
    Status write(NewFile& file, std::string_view data) override;
    Status flush(NewFile& file) override;
    void discard(NewFile& file) override { inner_.discard(file); }
    Status rename(const std::string& from, const std::string& to) override;
    Result<std::string> link(const std::string& path, const std::string& folder,
                             const std::string& name) override;
    Status remove(const std::string& path) override;
    FileInfo info(const std::string& path) override { return inner_.info(path); }
    FileInfo nameInfo(const std::string& path) override { return inner_.nameInfo(path); }
    Result<std::string> followLinks(const std::string& path) override {
        return inner_.followLinks(path);
    }
    std::vector<std::string> namesIn(const std::string& folder) override {
        return inner_.namesIn(folder);
    }
    void removeMatching(const std::string& folder, const std::string& prefix) override {
        inner_.removeMatching(folder, prefix);
    }
    Status makeFolders(const std::string& path) override;

private:
    // Counts the operation; its failure ("what path: reason.") when it is to fail.
    Status next(Op op, const std::string& what, const std::string& path);

    FileSystem& inner_;
    bool refuseLinks_ = false;
    std::map<Op, int> counts_;
    std::map<std::pair<Op, int>, std::string> faults_;
};

} // namespace zyn::test
