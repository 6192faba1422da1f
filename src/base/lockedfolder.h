#pragma once

// A folder that one run of the program holds for as long as it lives, through a lock on a file
// inside it: a later run can tell a folder left by a run that ended without removing it
// (killed, crashed) from one still in use. A process number would not do: numbers are used
// again. The working folder and each editor's recovery folder are such folders.
//
// The folder is made private (0700) under a name no other run has and held open; it is removed
// through its descriptors (heldfolder.h), so that a link someone puts in its place leads the
// removal nowhere else.

#include "base/heldfolder.h"
#include "base/result.h"

#include <string>
#include <vector>

namespace zyn {

class LockedFolder {
public:
    // The file inside every such folder that its run keeps locked. No file the program puts in
    // one gets this name.
    static constexpr const char* LockName = ":lock";

    LockedFolder() = default;
    // Lets go of the lock; the folder stays.
    ~LockedFolder();
    LockedFolder(LockedFolder&& other) noexcept;
    LockedFolder& operator=(LockedFolder&& other) noexcept;
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // Makes a fresh folder in parent named prefix and six random characters, readable by this
    // user only, and takes its lock.
    static Result<LockedFolder> make(const std::string& parent, const std::string& prefix);

    // The folder's path by its name, ending in "/"; "" for none.
    const std::string& path() const { return path_; }
    bool held() const { return lock_ >= 0; }
    // The open folder, for what must reach it whatever stands at its name.
    const HeldFolder& folder() const { return folder_; }
    // Removes the folder with everything in it, and lets go of its lock.
    void remove();

private:
    friend std::vector<LockedFolder> TakeAbandonedFolders(const std::string&, const std::string&);
    LockedFolder(std::string path, HeldFolder folder, int lock)
        : path_(std::move(path)), folder_(folder), lock_(lock) {}
    void release();

    std::string path_;
    HeldFolder folder_;
    int lock_ = -1;
};

// The folders in parent named prefix..., of this user, that no run holds: each is held by this
// run from now on, so that two runs starting at once never both take one. Folders of runs still
// going, one being made, and anything that is not a folder (a link included) are left alone.
std::vector<LockedFolder> TakeAbandonedFolders(const std::string& parent,
                                               const std::string& prefix);

} // namespace zyn
