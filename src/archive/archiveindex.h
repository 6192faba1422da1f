#pragma once

// HQR archives: a table of 32-bit item offsets (slot 0 is the table's own length, the last slot
// the archive's length) followed by the items, each a 10-byte header and its data. The index
// holds every item's bytes in memory, as the item dialog lists and loads them.

#include "base/expanddata.h"
#include "base/filesystem.h"
#include "base/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zyn {

struct ArchiveIndex {
    static constexpr int MaxItems = 20001;

    std::int32_t LastItem = -1;           // number of the last item (item count - 1)
    std::vector<std::int32_t> ItemOffset; // slot value of each item as read
    std::vector<std::uint8_t> ItemMode;   // low byte of each item's mode
    std::vector<std::string> ItemData;    // header and stored data; empty for a blank item

    int itemCount() const { return LastItem + 1; }
};

// The index holds a whole archive; the games' archives are a few megabytes, so anything beyond
// this is refused before it is read into memory.
constexpr std::uint64_t MaxArchiveSize = 1024u * 1024 * 1024;

// LastItem as the table's first slot gives it: slot 0 / 4 - 2, halves rounded to even, and -1
// for a first slot below 4 (no items).
std::int32_t LastItemFromFirstSlot(std::int32_t firstSlot);

// Reads the table and every item of the archive at path. An item whose slot is 0, negative or
// the archive's length is blank (empty ItemData). The archive is checked against its own length
// (table, item headers and stored sizes inside the file, at most MaxItems items); on any
// failure index is left exactly as it was.
Status ReadArchiveIndex(FileSystem& fs, const std::string& path, ArchiveIndex& index);

// Reads the table of the archive at path again and the bytes of item itemNumber - 1
// (itemNumber counts from 1), and refreshes LastItem and that item's entry with them: the item
// as it is on disk now, held in memory only. A number outside the archive or a damaged archive
// leaves the index unchanged.
Status ReadItemAgain(FileSystem& fs, const std::string& path, int itemNumber, ArchiveIndex& index);

// ReadItemAgain, and the item's bytes, header included, written to targetPath (a blank item
// gives an empty file). A failed write leaves the index unchanged too.
Status ExtractItem(FileSystem& fs, const std::string& path, const std::string& targetPath,
                   int itemNumber, ArchiveIndex& index);

// What the index knows item `item` to hold (header and data; empty when blank), or nothing when
// it has no such item.
std::optional<std::string> ItemAsKnown(const ArchiveIndex& index, int item);
// Records bytes as what item `item` holds now (after it was written).
void RememberItem(ArchiveIndex& index, int item, std::string bytes);

} // namespace zyn
