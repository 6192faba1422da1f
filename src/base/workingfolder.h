#pragma once

// A private folder for the program's working files (extracted archive items and their expanded
// copies), made on first use and removed with everything in it when the program ends, also
// when it is stopped by SIGINT or SIGTERM. The run holds its folder (base/heldfolder.h), so
// that a later run can tell a folder left by a run that was killed from one still in use.

#include "base/heldfolder.h"

#include <string>

namespace zyn {

class WorkingFolder {
public:
    // The file inside every working folder that its run keeps locked. No working file gets
    // this name (fileFor never makes a ":").
    static constexpr const char* LockName = HeldFolder::LockName;

    WorkingFolder() = default;
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // The folder's path ending in "/", or "" when no folder could be made.
    const std::string& path();
    // Why no folder could be made ("no folder can be made in /x/ (...)"), "" while none failed.
    const std::string& failure() const { return failure_; }
    // A path inside the folder for a working file called name; characters that may not stand
    // in a file name (such as "/" and ":") are replaced, so any item name is safe.
    std::string fileFor(const std::string& name);

private:
    HeldFolder folder_;
    std::string failure_;
};

// Removes the working folders of runs that have ended without removing them (killed, or
// crashed): those in the temporary folder, owned by this user, whose lock nobody holds. Folders
// of runs still going are left alone. Call at start.
void RemoveAbandonedWorkingFolders();

} // namespace zyn
