#pragma once

// Builds archive files for tests: items stored, compressed, blank or sharing an earlier item's
// bytes, laid out after a table of item offsets whose last slot is the archive's length.

#include "base/itemheader.h"
#include "support/lzssencoder.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zyn::test {

class ArchiveBuilder {
public:
    // A stored item: header with both sizes = data length, mode 0.
    ArchiveBuilder& stored(std::string_view data) { return raw(StoredItem(data)); }
    // A compressed item (mode 1 or 2) made by the test encoder from its expanded data.
    ArchiveBuilder& compressed(std::string_view expanded, int mode) {
        return raw(CompressedItem(expanded, mode));
    }
    // An item given whole, header included.
    ArchiveBuilder& raw(std::string_view item) { return add({std::string(item), 0, -1}); }
    // A blank item: no bytes, and slot value slot (0 or negative).
    ArchiveBuilder& blank(std::int32_t slot = 0) { return add({{}, slot, -1}); }
    // An item whose slot holds the offset of the earlier item number item.
    ArchiveBuilder& sharedWith(int item) { return add({{}, 0, item}); }

    // The archive. Items are laid out in item order, each distinct item once.
    std::string build() const;
    // The item bytes (header included) item number item has in build(); empty for a blank item.
    std::string itemBytes(int item) const;

private:
    struct Item {
        std::string bytes;
        std::int32_t blankSlot = 0;
        int sharedWith = -1;
    };
    ArchiveBuilder& add(Item item) {
        items_.push_back(std::move(item));
        return *this;
    }

    std::vector<Item> items_;
};

// A text archive whose first slot is 4 * (items + 1), as the games' archives have (140 items:
// 564; 150: 604; 180: 724), every item a stored item holding text, padded to at least minLength
// bytes.
std::string TextArchive(int items, std::size_t minLength = 0);

// A ZYN 2 text archive of 180 items, each a bank of one entry "bank N", but for the English
// bank 1 and the French bank 31, which hold the text data given.
std::string BankArchive(const std::string& english, const std::string& french);

// A ZYN 2 text archive of 180 items: those given a bank of their entries (no entries: a blank
// item), every other one a bank of one entry "bank N".
std::string BanksArchive(const std::map<int, std::vector<std::string>>& banks);

// A ZYN 2 text archive of 180 stored items: those given their bytes, every other one "item N".
std::string ItemsArchive(const std::map<int, std::string>& items);

} // namespace zyn::test
