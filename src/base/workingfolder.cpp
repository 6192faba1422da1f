#include "base/workingfolder.h"

#include "base/interruptcleanup.h"

#include <cstdlib>

namespace zyn {

namespace {

constexpr const char* NamePrefix = "zyntext-";

std::string temporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    return std::string(base && *base ? base : "/tmp") + "/";
}

} // namespace

WorkingFolder::~WorkingFolder() {
    if (folder_.path().empty())
        return;
    InterruptGuard guard;
    const std::string path = folder_.path();
    folder_.remove();
    KeepFolderOnInterrupt(path);
}

const std::string& WorkingFolder::path() {
    if (!folder_.path().empty())
        return folder_.path();
    InterruptGuard guard;
    Result<HeldFolder> made = HeldFolder::make(temporaryFolder(), NamePrefix);
    if (!made) {
        failure_ = made.message() + "; TMPDIR names the folder used";
        return folder_.path();
    }
    folder_ = std::move(*made);
    RemoveFolderOnInterrupt(folder_.path());
    return folder_.path();
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

void RemoveAbandonedWorkingFolders() {
    for (HeldFolder& folder : TakeAbandonedFolders(temporaryFolder(), NamePrefix))
        folder.remove();
}

} // namespace zyn
