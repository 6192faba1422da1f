#pragma once

// Every point at which a save can fail: the n-th file operation of each kind, for n = 1, 2, ...
// until the save no longer reaches an n-th operation of that kind, each failing with one of the
// errors a disk gives. And what a folder must hold after a failed save.

#include "archive/archiverewrite.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

#include <filesystem>
#include <map>
#include <string>

namespace zyn::test {

struct FaultPoint {
    FaultyFileSystem::Op op;
    int nth;
    std::string reason;

    std::string describe() const {
        static const char* const names[] = {"create", "write",  "flush", "rename",
                                            "link",   "delete", "lock",  "copy"};
        return std::string(names[int(op)]) + " #" + std::to_string(nth) + " fails: " + reason;
    }
};

// Runs attempt(point, faulty) for every fault point, with faulty a fresh file system armed to fail
// at point, for attempt to save through. Returns how many points the saves reached; the attempt
// after the last of each kind ran without a fault and is the caller's check of a successful save.
template <typename Attempt> int forEachFaultPoint(Attempt attempt) {
    static const char* const errors[] = {"No space left on device", "Permission denied",
                                         "Read-only file system"};
    int reached = 0;
    for (int op = 0; op <= static_cast<int>(FaultyFileSystem::Op::Copy); ++op)
        for (int n = 1;; ++n, ++reached) {
            const FaultPoint point{FaultyFileSystem::Op(op), n, errors[(n - 1) % 3]};
            FaultyFileSystem faulty;
            faulty.failOn(point.op, n, point.reason);
            attempt(point, faulty);
            if (faulty.count(point.op) < n)
                break;
        }
    return reached;
}

// Every file in folder, by name, with its bytes.
inline std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = readBytes(entry.path().string());
    return files;
}

// Whether a rebuild that fails at point has not yet put its backup in place: the archive is
// locked first, then the backup becomes a second name of it by a link renamed into place (the
// first rename) or, without links, is written as a copy in create, copy, flush and rename.
inline bool failsBeforeTheBackup(const FaultPoint& point, bool noLinks) {
    using Op = FaultyFileSystem::Op;
    return point.nth == 1 &&
           (point.op == Op::Lock || point.op == Op::Rename ||
            (noLinks && (point.op == Op::Create || point.op == Op::Copy || point.op == Op::Flush)));
}

// A folder's files as they were before archive (one of them) was rebuilt, and a complete backup
// of it when the backup was copied.
inline std::map<std::string, std::string> keptWithBackup(std::map<std::string, std::string> files,
                                                         const std::string& archive, bool copied) {
    if (copied)
        files[BackupName(archive)] = files.at(archive);
    return files;
}

} // namespace zyn::test
