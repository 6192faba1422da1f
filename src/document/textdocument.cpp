#include "document/textdocument.h"

#include <cctype>

namespace zyn {

DocumentOrigin LooseFileOrigin(const std::string& path) {
    DocumentOrigin origin;
    origin.FilePath = path;
    const auto slash = path.rfind('/');
    origin.FileDir = slash == std::string::npos ? path : path.substr(0, slash);
    if (origin.FileDir.empty() || origin.FileDir.back() != '/')
        origin.FileDir.push_back('/');
    // A path without "/" has a FileDir one longer than itself, so no title is left over.
    origin.FileTitle =
        origin.FileDir.size() <= path.size() ? path.substr(origin.FileDir.size()) : "";
    return origin;
}

DocumentOrigin ArchiveItemOrigin(const std::string& archivePath, int item,
                                 const std::string& name) {
    DocumentOrigin origin = LooseFileOrigin(archivePath);
    origin.FromArchive = true;
    origin.ArchiveItem = static_cast<std::int16_t>(item);
    origin.ItemName = name;
    return origin;
}

std::string WindowTitle(const std::string& baseCaption, const TextDocument& doc) {
    const DocumentOrigin& origin = doc.Origin;
    if (origin.FilePath.empty())
        return baseCaption;
    return baseCaption + " - (" + origin.FilePath +
           (origin.FromArchive ? "; " + origin.ItemName : std::string()) + ")" +
           (doc.IsVersion2 ? " - ZYN 2" : " - ZYN 1");
}

std::string LastThreeUpper(const std::string& name) {
    std::string tail = name.size() > 3 ? name.substr(name.size() - 3) : name;
    for (char& c : tail)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail;
}

} // namespace zyn
