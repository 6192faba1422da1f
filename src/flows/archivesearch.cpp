#include "flows/archivesearch.h"

#include "archive/itemnames.h"
#include "base/textlines.h"
#include "document/textdocument.h"
#include "flows/archiveitemflow.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <optional>

namespace zyn {

namespace {

// The entries of the archive's items, each read once as it is first asked for.
class ItemTexts {
public:
    ItemTexts(FileSystem& fs, const std::string& archivePath, const ArchiveIndex& index,
              const ArchiveFlow& flow, const OpenItemText& open)
        : fs_(fs), archivePath_(archivePath), index_(index), flow_(flow), open_(open) {}

    // Null for an item that is blank or cannot be read as a text.
    const std::vector<std::string>* of(int item) {
        if (item == open_.item)
            return &open_.entries;
        if (item < 0 || item >= index_.itemCount())
            return nullptr;
        if (const auto known = read_.find(item); known != read_.end())
            return known->second ? &*known->second : nullptr;
        std::optional<std::vector<std::string>>& texts = read_[item];
        if (index_.ItemData[static_cast<std::size_t>(item)].empty())
            return nullptr;
        auto loaded = ReadIndexedItem(fs_, archivePath_, index_, item, ArchiveItemName(flow_, item),
                                      flow_.ArchiveIsVersion2);
        if (!loaded)
            return nullptr;
        TextDocument doc;
        AdoptText(doc, std::move(*loaded));
        texts.emplace(std::make_move_iterator(doc.EntryText.begin()),
                      std::make_move_iterator(doc.EntryText.begin() + doc.entryCount()));
        return &*texts;
    }

    // Items are searched once each in order: none is kept past its use.
    void forget(int item) {
        if (item != open_.item)
            read_.erase(item);
    }

private:
    FileSystem& fs_;
    const std::string& archivePath_;
    const ArchiveIndex& index_;
    const ArchiveFlow& flow_;
    const OpenItemText& open_;
    std::map<int, std::optional<std::vector<std::string>>> read_;
};

} // namespace

std::vector<ArchiveHit> FindInArchive(FileSystem& fs, const std::string& archivePath,
                                      const ArchiveIndex& index, const ArchiveFlow& flow,
                                      int itemCount, const std::string& needle,
                                      const SearchLetters& letters, const OpenItemText& open,
                                      const ArchiveSearchScope& scope) {
    std::vector<ArchiveHit> hits;
    if (needle.empty())
        return hits;
    const bool version2 = flow.ArchiveIsVersion2;
    const SearchOptions options{false, scope.wholeWords};
    ItemTexts texts(fs, archivePath, index, flow, open);
    const auto search = [&](int item, const std::string& name, const std::string& text, int entry) {
        for (const std::string_view line : TextLines(text))
            if (FindText(line, needle, options, letters) != std::string::npos)
                hits.push_back({item, name, entry, std::string(line), -1, {}});
    };
    const auto searched = [&](int item) {
        return scope.languages.empty() ||
               std::find(scope.languages.begin(), scope.languages.end(),
                         ItemLanguage(version2, item)) != scope.languages.end();
    };
    for (int item = 1; item < std::min(itemCount, index.itemCount()); item += 2) {
        if (!searched(item))
            continue;
        const std::size_t first = hits.size();
        if (const std::vector<std::string>* entries = texts.of(item))
            for (std::size_t entry = 0; entry < entries->size(); ++entry)
                search(item, ArchiveItemName(flow, item), (*entries)[entry],
                       static_cast<int>(entry));
        texts.forget(item);
        // The other side of each hit of this item.
        const int language = ItemLanguage(version2, item);
        const int beside = language == scope.source ? scope.target : scope.source;
        const int other =
            beside < 0 || beside == language ? -1 : SameBankInLanguage(version2, item, beside);
        if (other < 0 || first == hits.size())
            continue;
        const std::vector<std::string>* entries = texts.of(other);
        for (std::size_t i = first; i < hits.size(); ++i) {
            hits[i].otherItem = other;
            if (entries && hits[i].entry < static_cast<int>(entries->size()))
                hits[i].other = (*entries)[static_cast<std::size_t>(hits[i].entry)];
        }
        texts.forget(other);
    }
    return hits;
}

} // namespace zyn
