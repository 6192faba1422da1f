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
    // writeFile is three steps: create (nothing is written when it fails), write (a partial
    // file is left) and flush (all data is there, but the write still reports failure).
    enum class Op { Create, Write, Flush, Rename, Copy, Remove };

    explicit FaultyFileSystem(FileSystem& inner = realFileSystem()) : inner_(inner) {}

    // The nth operation of kind op (counted from 1, from now on) fails with reason, e.g.
    // "No space left on device". Several faults may be armed at once.
    void failOn(Op op, int nth = 1, std::string reason = "Input/output error") {
        faults_[{op, count(op) + nth}] = std::move(reason);
    }
    // How many operations of kind op have been asked for so far.
    int count(Op op) const { return counts_.count(op) ? counts_.at(op) : 0; }

    Result<std::string> readFile(const std::string& path, std::uint64_t maxBytes) override {
        return inner_.readFile(path, maxBytes);
    }
    Status writeFile(const std::string& path, std::string_view data) override;
    Status rename(const std::string& from, const std::string& to) override;
    Status copy(const std::string& from, const std::string& to) override;
    Status remove(const std::string& path) override;
    FileInfo info(const std::string& path) override { return inner_.info(path); }
    void removeMatching(const std::string& folder, const std::string& prefix) override {
        inner_.removeMatching(folder, prefix);
    }

private:
    // Counts the operation; its failure ("what path: reason.") when it is to fail.
    Status next(Op op, const std::string& what, const std::string& path);

    FileSystem& inner_;
    std::map<Op, int> counts_;
    std::map<std::pair<Op, int>, std::string> faults_;
};

} // namespace zyn::test
