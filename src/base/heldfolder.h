#pragma once

// A folder that one run of the program holds for as long as it lives, through a lock on a file
// inside it: a later run can tell a folder left by a run that ended without removing it
// (killed, crashed) from one still in use. A process number would not do: numbers are used
// again. The working folder and each editor's recovery folder are such folders.

#include "base/result.h"

#include <string>
#include <vector>

namespace zyn {

class HeldFolder {
public:
    // The file inside every held folder that its run keeps locked. No file the program puts
    // in such a folder gets this name.
    static constexpr const char* LockName = ":lock";

    HeldFolder() = default;
    // Lets go of the lock; the folder stays.
    ~HeldFolder();
    HeldFolder(HeldFolder&& other) noexcept;
    HeldFolder& operator=(HeldFolder&& other) noexcept;
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    // Makes a fresh folder in parent named prefix and six random
    // characters, readable by this user only, and takes its lock.
    static Result<HeldFolder> make(const std::string& parent, const std::string& prefix);

    // The folder's path ending in "/"; "" for none.
    const std::string& path() const { return path_; }
    bool held() const { return lock_ >= 0; }
    // Removes the folder with everything in it, and lets go of its lock.
    void remove();

private:
    friend std::vector<HeldFolder> TakeAbandonedFolders(const std::string&, const std::string&);
    HeldFolder(std::string path, int lock) : path_(std::move(path)), lock_(lock) {}

    std::string path_;
    int lock_ = -1;
};

// The folders in parent named prefix..., of this user, that no run holds: each is held by this
// run from now on, so that two runs starting at once never both take one. Folders of runs
// still going, and one being made, are left alone.
std::vector<HeldFolder> TakeAbandonedFolders(const std::string& parent, const std::string& prefix);

} // namespace zyn
