#include "support/archivebuilder.h"

#include "base/bytes.h"
#include "support/textfilebuilder.h"

namespace zyn::test {

std::string ArchiveBuilder::itemBytes(int item) const {
    const Item& it = items_[static_cast<std::size_t>(item)];
    return it.sharedWith >= 0 ? itemBytes(it.sharedWith) : it.bytes;
}

std::string ArchiveBuilder::build() const {
    const std::size_t tableSize = 4 * (items_.size() + 1);
    std::string out(tableSize, '\0');
    std::vector<std::int32_t> offsets(items_.size(), 0);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Item& item = items_[i];
        if (item.sharedWith >= 0)
            offsets[i] = offsets[static_cast<std::size_t>(item.sharedWith)];
        else if (item.bytes.empty())
            offsets[i] = item.blankSlot;
        else {
            offsets[i] = static_cast<std::int32_t>(out.size());
            out += item.bytes;
        }
        putU32(out, 4 * i, static_cast<std::uint32_t>(offsets[i]));
    }
    putU32(out, tableSize - 4, static_cast<std::uint32_t>(out.size()));
    return out;
}

std::string TextArchive(int items, std::size_t minLength) {
    ArchiveBuilder builder;
    for (int i = 0; i < items; ++i) {
        std::string text = "item " + std::to_string(i) + " ";
        while (text.size() < minLength)
            text += "The quick brown fox jumps over the lazy dog. ";
        builder.stored(text);
    }
    return builder.build();
}

namespace {

// 180 stored items: those given their bytes, every other one filler(item).
std::string storedArchive(const std::map<int, std::string>& items,
                          std::string (*filler)(int item)) {
    ArchiveBuilder builder;
    for (int item = 0; item < 180; ++item) {
        const auto found = items.find(item);
        builder.stored(found != items.end() ? found->second : filler(item));
    }
    return builder.build();
}

std::string oneEntryBank(int item) {
    return TextFileBuilder(2).entry("bank " + std::to_string(item)).data();
}

} // namespace

std::string BankArchive(const std::string& english, const std::string& french) {
    return storedArchive({{1, english}, {31, french}}, oneEntryBank);
}

std::string BanksArchive(const std::map<int, std::vector<std::string>>& banks) {
    ArchiveBuilder builder;
    for (int item = 0; item < 180; ++item) {
        const auto found = banks.find(item);
        if (found == banks.end())
            builder.stored(oneEntryBank(item));
        else if (found->second.empty())
            builder.blank();
        else
            builder.stored(TextFileBuilder(2).entries(found->second).data());
    }
    return builder.build();
}

std::string ItemsArchive(const std::map<int, std::string>& items) {
    return storedArchive(items, [](int item) { return "item " + std::to_string(item); });
}

} // namespace zyn::test
