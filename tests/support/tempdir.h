#pragma once

// A fresh folder for one test, removed with its contents afterwards.

#include <string>
#include <string_view>

namespace zyn::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending in "/".
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + std::string(name); }

    // Writes bytes to name inside the folder and returns its full path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::string path_;
};

// The whole content of a file; fails the test when it cannot be read.
std::string readBytes(const std::string& path);
bool fileExists(const std::string& path);
// Whether a working folder holds no working file: nothing but the lock of its run.
bool holdsNoWorkingFile(const std::string& folder);

} // namespace zyn::test
