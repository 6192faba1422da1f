#include "archive/archivetable.h"

#include "archive/archiveindex.h"
#include "base/bytes.h"
#include "base/itemheader.h"

#include <algorithm>

namespace zyn {

namespace {

// The bytes at offset, all of them or a failure.
Result<std::string> readExactly(FileSystem& fs, OpenFile& file, std::uint64_t offset,
                                std::size_t size) {
    std::string bytes(size, '\0');
    auto read = fs.readAt(file, offset, bytes.data(), size);
    if (!read)
        return read.status();
    if (*read != size)
        return Status::failure(ErrorKind::Io, "Cannot read " + file.path +
                                                  ": it became shorter while it was read.");
    return bytes;
}

// Items lie after the table, whose length slot 0 gives, and each in bytes of its own: items
// that share bytes share all of them (one offset). A rebuild copies every item, so ranges that
// only overlap would multiply the archive's bytes.
Status checkApart(const ArchiveTable& table, std::uint64_t tableLength) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        if (table.items[i].blank)
            continue;
        if (static_cast<std::uint64_t>(table.items[i].slot) < tableLength)
            return Status::failure(ErrorKind::Damaged,
                                   "item " + std::to_string(i) + " starts inside the table (at " +
                                       std::to_string(table.items[i].slot) + "; the table takes " +
                                       std::to_string(tableLength) + " bytes).");
        order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return table.items[a].slot < table.items[b].slot;
    });
    for (std::size_t k = 1; k < order.size(); ++k) {
        const TableItem &before = table.items[order[k - 1]], &after = table.items[order[k]];
        const auto start = static_cast<std::uint64_t>(before.slot);
        if (after.slot != before.slot &&
            start + before.size > static_cast<std::uint64_t>(after.slot))
            return Status::failure(
                ErrorKind::Damaged,
                "items " + std::to_string(order[k - 1]) + " and " + std::to_string(order[k]) +
                    " overlap: item " + std::to_string(order[k - 1]) + " takes the bytes " +
                    std::to_string(start) + " to " + std::to_string(start + before.size - 1) +
                    " and item " + std::to_string(order[k]) + " starts at " +
                    std::to_string(after.slot) + ".");
    }
    return {};
}

} // namespace

Status ArchiveDamaged(const std::string& path, const std::string& what) {
    return Status::failure(ErrorKind::Damaged, "The archive " + path + " is damaged: " + what);
}

Result<ArchiveTable> ReadArchiveTable(FileSystem& fs, OpenFile& file) {
    ArchiveTable table;
    const std::uint64_t length = file.size;
    // A file shorter than a slot gives what bytes it has (a missing byte counts 0).
    auto first =
        readExactly(fs, file, 0, static_cast<std::size_t>(std::min<std::uint64_t>(length, 4)));
    if (!first)
        return first.status();
    table.lastItem = LastItemFromFirstSlot(readI32(*first, 0));
    const std::int64_t count = static_cast<std::int64_t>(table.lastItem) + 1;
    if (count > ArchiveIndex::MaxItems)
        return ArchiveDamaged(file.path,
                              "its table claims " + std::to_string(count) + " items (at most " +
                                  std::to_string(ArchiveIndex::MaxItems) + " are possible).");
    if (static_cast<std::uint64_t>(count) * 4 > length)
        return ArchiveDamaged(file.path, "its table of " + std::to_string(count) +
                                             " items runs past the end of the file.");
    auto slots = readExactly(fs, file, 0, static_cast<std::size_t>(count) * 4);
    if (!slots)
        return slots.status();

    table.items.resize(static_cast<std::size_t>(count));
    std::vector<std::uint64_t> headerOffsets;
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        TableItem& item = table.items[i];
        item.slot = readI32(*slots, 4 * i);
        const std::int64_t offset = item.slot;
        if (offset <= 0 || static_cast<std::uint64_t>(offset) == length)
            continue;
        if (static_cast<std::uint64_t>(offset) + ItemHeaderSize > length)
            return ArchiveDamaged(file.path, "item " + std::to_string(i) +
                                                 " starts past the end of the file.");
        item.blank = false;
        headerOffsets.push_back(static_cast<std::uint64_t>(offset));
    }
    auto headers = fs.readParts(file, headerOffsets, ItemHeaderSize);
    if (!headers)
        return headers.status();
    std::size_t next = 0;
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        TableItem& item = table.items[i];
        if (item.blank)
            continue;
        item.header = headers->substr(ItemHeaderSize * next++, ItemHeaderSize);
        const std::int64_t stored = readI32(item.header, 4);
        if (stored < 0 || static_cast<std::uint64_t>(item.slot) + ItemHeaderSize +
                                  static_cast<std::uint64_t>(stored) >
                              length)
            return ArchiveDamaged(file.path, "item " + std::to_string(i) + " claims " +
                                                 std::to_string(stored) +
                                                 " bytes, more than the file holds after it.");
        item.size = ItemHeaderSize + static_cast<std::uint64_t>(stored);
    }
    if (Status apart = checkApart(table, static_cast<std::uint64_t>(readI32(*first, 0))); !apart)
        return ArchiveDamaged(file.path, apart.message());
    return table;
}

Result<std::string> ReadTableItem(FileSystem& fs, OpenFile& file, const TableItem& item) {
    if (item.blank)
        return std::string();
    return readExactly(fs, file, static_cast<std::uint64_t>(item.slot),
                       static_cast<std::size_t>(item.size));
}

} // namespace zyn
