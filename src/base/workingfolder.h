#pragma once

// A private folder for the program's working files (the expanded copy of a compressed file the
// editor opens; archive items are read in memory), made on first use and removed with
// everything in it when the program ends, also when it is stopped by SIGINT or SIGTERM.
// A run holds a lock on a file inside its folder for
// as long as it lives, so that a later run can tell a folder left by a run that was killed
// from one still in use (a process number would not do: numbers are used again).
//
// The folder is made private (0700) under a name no other run has, and held open: its files
// are reached through the open folder, and it is removed through it, so that another user who
// renames it and puts a link in its place (in a temporary folder everyone may write to) leads
// neither the working files nor their removal anywhere else.

#include "base/lockedfolder.h"

#include <string>

namespace zyn {

class WorkingFolder {
public:
    // The file inside every working folder that its run keeps locked. No working file gets
    // this name (fileFor never makes a ":").
    static constexpr const char* LockName = LockedFolder::LockName;

    WorkingFolder() = default;
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // The path the folder's files are reached by, ending in "/", or "" when no folder could be
    // made. It names the folder this run made whatever stands at its name.
    const std::string& path();
    // Why no folder could be made ("no folder can be made in /x/ (...)"), "" while none failed.
    const std::string& failure() const { return failure_; }
    // A path inside the folder for a working file called name; characters that may not stand
    // in a file name (such as "/" and ":") are replaced, so any item name is safe.
    std::string fileFor(const std::string& name);

private:
    std::string path_; // through the open folder
    std::string failure_;
    LockedFolder folder_;
};

// path as a person knows it: a working file's path (which reaches the folder through the open
// folder) names the folder where it lies now ("/tmp/zyntext-Ab3dEf/EN_000.DIA").
std::string ShownPath(const std::string& path);

// Removes the working folders of runs that have ended without removing them (killed, or
// crashed): those in the temporary folder, owned by this user, whose lock nobody holds. Folders
// of runs still going are left alone, and so is anything that is not a folder. Call at start.
void RemoveAbandonedWorkingFolders();

} // namespace zyn
