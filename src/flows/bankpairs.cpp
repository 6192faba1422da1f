#include "flows/bankpairs.h"

#include "archive/itemnames.h"
#include "document/textreader.h"
#include "flows/archiveitemflow.h"

#include <algorithm>

namespace zyn {

std::vector<BankPair> DialogueBanks(const ArchiveIndex& index, bool isVersion2, int from, int to) {
    std::vector<BankPair> pairs;
    for (int item = 1; item < std::min(TextArchiveItemCount(isVersion2), index.itemCount());
         item += 2) {
        if (ItemLanguage(isVersion2, item) != to || index.ItemData[std::size_t(item)].empty())
            continue;
        pairs.push_back({item, SameBankInLanguage(isVersion2, item, from)});
    }
    return pairs;
}

Result<std::unique_ptr<TextDocument>>
LoadIndexedDocument(FileSystem& files, const std::string& path, const ArchiveIndex& index,
                    const ArchiveFlow& names, int item, bool isVersion2) {
    auto loaded =
        ReadIndexedItem(files, path, index, item, ArchiveItemName(names, item), isVersion2);
    if (!loaded)
        return loaded.status();
    auto doc = std::make_unique<TextDocument>();
    AdoptText(*doc, std::move(*loaded));
    return doc;
}

Result<LoadedPair> LoadBankPair(FileSystem& files, const std::string& path,
                                const ArchiveIndex& index, const ArchiveFlow& names,
                                const BankPair& pair, bool isVersion2) {
    auto target = LoadIndexedDocument(files, path, index, names, pair.target, isVersion2);
    if (!target)
        return target.status();
    // A blank source bank has no entries: the count of entries tells.
    if (pair.source < 0 || pair.source >= index.itemCount() ||
        index.ItemData[std::size_t(pair.source)].empty())
        return LoadedPair{std::make_unique<TextDocument>(), std::move(*target)};
    auto source = LoadIndexedDocument(files, path, index, names, pair.source, isVersion2);
    if (!source)
        return source.status();
    return LoadedPair{std::move(*source), std::move(*target)};
}

} // namespace zyn
