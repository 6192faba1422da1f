#include "base/workingfolder.h"

#include "base/interruptcleanup.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {

namespace {

constexpr const char* NamePrefix = "zyntext-";

std::string temporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

constexpr const char* ThroughFolder = "/proc/self/fd/";

// A path that reaches the open folder itself, not whatever bears its name; where the system
// offers none, its name.
std::string pathThrough(const HeldFolder& folder, const std::string& location) {
    const std::string self = ThroughFolder + std::to_string(folder.self);
    struct stat st {};
    if (::stat(self.c_str(), &st) == 0 && st.st_dev == folder.device && st.st_ino == folder.inode)
        return self + "/";
    return location + "/";
}

} // namespace

WorkingFolder::~WorkingFolder() {
    if (!folder_.held())
        return;
    InterruptGuard guard;
    const HeldFolder held = folder_.folder();
    folder_.remove();
    KeepFolderOnInterrupt(held);
}

const std::string& WorkingFolder::path() {
    if (!path_.empty())
        return path_;
    InterruptGuard guard;
    Result<LockedFolder> made = LockedFolder::make(temporaryFolder(), NamePrefix);
    if (!made) {
        failure_ = made.message() + "; TMPDIR names the folder used";
        return path_;
    }
    folder_ = std::move(*made);
    std::string location = folder_.path();
    location.pop_back();
    path_ = pathThrough(folder_.folder(), location);
    RemoveFolderOnInterrupt(folder_.folder());
    return path_;
}

std::string WorkingFolder::fileFor(const std::string& name) {
    std::string safe;
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        const bool allowed =
            code >= 128 || (code > 32 && c != '/' && c != ':' && c != '\\' && c != '<' &&
                            c != '>' && c != '*' && c != '?' && c != '"' && c != '|');
        safe.push_back(allowed || c == ' ' ? c : '_');
    }
    if (safe.empty() || safe == "." || safe == "..")
        safe = "item";
    return path() + safe;
}

std::string ShownPath(const std::string& path) {
    const std::size_t start = std::strlen(ThroughFolder);
    const std::size_t slash = path.find('/', start);
    if (path.rfind(ThroughFolder, 0) != 0 || slash == std::string::npos)
        return path;
    char folder[PATH_MAX];
    const ssize_t n = ::readlink(path.substr(0, slash).c_str(), folder, sizeof folder);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof folder)
        return path;
    return std::string(folder, static_cast<std::size_t>(n)) + path.substr(slash);
}

void RemoveAbandonedWorkingFolders() {
    for (LockedFolder& folder : TakeAbandonedFolders(temporaryFolder(), NamePrefix))
        folder.remove();
}

} // namespace zyn
