#include "base/workingfolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zyn {

WorkingFolder::~WorkingFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

const std::string& WorkingFolder::path() {
    if (path_.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/zyntext-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr)
            path_ = pattern + "/";
    }
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

} // namespace zyn
