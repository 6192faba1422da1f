#include "flows/archivesearch.h"

#include "document/textdocument.h"
#include "flows/archiveitemflow.h"

#include <algorithm>
#include <memory>

namespace zyn {

std::vector<ArchiveHit> FindInArchive(FileSystem& fs, const std::string& archivePath,
                                      const ArchiveIndex& index, const ArchiveFlow& flow,
                                      int itemCount, const std::string& needle,
                                      const SearchLetters& letters, const OpenItemText& open) {
    std::vector<ArchiveHit> hits;
    if (needle.empty())
        return hits;
    const auto search = [&](int item, const std::string& name, const std::string& text, int entry) {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(start, end - start);
            if (FindText(line, needle, {}, letters) != std::string::npos)
                hits.push_back({item, name, entry, std::move(line)});
            start = end + 2;
        }
    };
    auto doc = std::make_unique<TextDocument>();
    for (int item = 1; item < std::min(itemCount, index.itemCount()); item += 2) {
        const std::string name = ArchiveItemName(flow, item);
        if (item == open.item) {
            for (std::size_t entry = 0; entry < open.entries.size(); ++entry)
                search(item, name, open.entries[entry], static_cast<int>(entry));
            continue;
        }
        if (index.ItemData[static_cast<std::size_t>(item)].empty())
            continue;
        auto loaded = ReadIndexedItem(fs, archivePath, index, item, name, flow.ArchiveIsVersion2);
        if (!loaded)
            continue;
        *doc = TextDocument{};
        AdoptText(*doc, std::move(*loaded));
        for (int entry = 0; entry < doc->entryCount(); ++entry)
            search(item, name, doc->EntryText[static_cast<std::size_t>(entry)], entry);
    }
    return hits;
}

} // namespace zyn
