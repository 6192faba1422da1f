#pragma once

// Every point at which a save can fail: the n-th file operation of each kind, for n = 1, 2, ...
// until the save no longer reaches an n-th operation of that kind, each failing with one of the
// errors a disk gives.

#include "support/faultyfilesystem.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace zyn::test {

struct FaultPoint {
    FaultyFileSystem::Op op;
    int nth = 1;
    std::string reason;

    std::string describe() const;
};

inline const std::vector<std::string> DiskErrors = {"No space left on device", "Permission denied",
                                                    "Read-only file system"};

inline const FaultyFileSystem::Op AllOps[] = {
    FaultyFileSystem::Op::Create, FaultyFileSystem::Op::Write, FaultyFileSystem::Op::Flush,
    FaultyFileSystem::Op::Rename, FaultyFileSystem::Op::Copy,  FaultyFileSystem::Op::Remove};

inline std::string FaultPoint::describe() const {
    static const char* const names[] = {"create", "write", "flush", "rename", "copy", "delete"};
    return "failing " + std::string(names[static_cast<int>(op)]) + " #" + std::to_string(nth) +
           " (" + reason + ")";
}

// Runs attempt(point) for every fault point; attempt arms point on a fresh FaultyFileSystem, runs
// the save and returns that file system's count of point.op, so the loop knows whether the fault
// was reached. Returns the fault points that were reached; the attempt after the last of each
// kind ran without a fault and is the caller's check of a successful save.
template <typename Attempt> std::vector<FaultPoint> forEachFaultPoint(Attempt attempt) {
    std::vector<FaultPoint> reached;
    for (const auto op : AllOps) {
        for (int n = 1;; ++n) {
            const FaultPoint point{op, n, DiskErrors[static_cast<std::size_t>(n - 1) % 3]};
            if (attempt(point) < n)
                break;
            reached.push_back(point);
        }
    }
    return reached;
}

// The names of the plain files in folder.
inline std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace zyn::test
