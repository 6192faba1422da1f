#include "document/recentfiles.h"

#include <algorithm>

namespace zyn {

void RememberRecentFile(std::vector<DocumentOrigin>& recent, const DocumentOrigin& opened) {
    if (opened.FilePath.empty())
        return;
    std::erase_if(recent, [&opened](const DocumentOrigin& known) {
        return known.FilePath == opened.FilePath && known.FromArchive == opened.FromArchive &&
               (!known.FromArchive || known.ArchiveItem == opened.ArchiveItem);
    });
    recent.insert(recent.begin(), opened);
    if (recent.size() > MaxRecentFiles)
        recent.resize(MaxRecentFiles);
}

std::string RecentFileLabel(const DocumentOrigin& origin) {
    return origin.FromArchive ? origin.ItemName + " in " + origin.FileTitle : origin.FileTitle;
}

} // namespace zyn
