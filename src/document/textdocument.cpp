#include "document/textdocument.h"

#include <cctype>

namespace zyn {

void SetFileName(TextDocument& doc, const std::string& path) {
    doc.FilePath = path;
    const auto slash = path.rfind('/');
    doc.FileDir = slash == std::string::npos ? path : path.substr(0, slash);
    if (doc.FileDir.empty() || doc.FileDir.back() != '/')
        doc.FileDir.push_back('/');
    // A path without "/" has a FileDir one longer than itself, so no title is left over.
    doc.FileTitle = doc.FileDir.size() <= path.size() ? path.substr(doc.FileDir.size()) : "";
}

std::string WindowTitle(const TextDocument& doc) {
    if (doc.FilePath.empty())
        return doc.BaseCaption;
    return doc.BaseCaption + " - (" + doc.FilePath + ")" +
           (doc.IsVersion2 ? " - ZYN 2" : " - ZYN 1");
}

std::string LastThreeUpper(const std::string& name) {
    std::string tail = name.size() > 3 ? name.substr(name.size() - 3) : name;
    for (char& c : tail)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail;
}

} // namespace zyn
