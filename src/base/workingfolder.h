#pragma once

// A private folder for the program's working files (extracted archive items and their expanded
// copies), made on first use and removed with everything in it when the program ends.

#include <string>

namespace zyn {

class WorkingFolder {
public:
    WorkingFolder() = default;
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // The folder's path ending in "/", or "" when no folder could be made.
    const std::string& path();
    // A path inside the folder for a working file called name; characters that may not stand
    // in a file name (such as "/" and ":") are replaced, so any item name is safe.
    std::string fileFor(const std::string& name);

private:
    std::string path_;
};

} // namespace zyn
