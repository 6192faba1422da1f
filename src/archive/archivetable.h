#pragma once

// The table of an archive with the header of every item, read from the open file without the
// items' data: what the index reads items by, and what a rebuild copies them by, so that
// neither needs the whole archive in memory.

#include "base/filesystem.h"
#include "base/result.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

struct TableItem {
    std::int32_t slot = 0;  // the value in the table
    bool blank = true;      // slot 0, negative or the archive's length: no bytes
    std::uint64_t size = 0; // header and stored data
    std::string header;     // its 10 bytes
};

struct ArchiveTable {
    std::int32_t lastItem = -1;
    std::vector<TableItem> items;
};

// Reads and checks the table (at most 20 001 items, the table inside the file) and each
// item's header (inside the file, its stored size too); items start after the table and do
// not overlap, though items with one offset share all their bytes. A damaged archive is
// refused with a message that names it.
Result<ArchiveTable> ReadArchiveTable(FileSystem& fs, OpenFile& file);

// The bytes of an item of the table, header included; empty for a blank item.
Result<std::string> ReadTableItem(FileSystem& fs, OpenFile& file, const TableItem& item);

// "The archive PATH is damaged: " + what.
Status ArchiveDamaged(const std::string& path, const std::string& what);

} // namespace zyn
