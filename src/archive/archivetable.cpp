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
    for (std::size_t i = 0; i < table.items.size(); ++i) {
        TableItem& item = table.items[i];
        item.slot = readI32(*slots, 4 * i);
        const std::int64_t offset = item.slot;
        if (offset <= 0 || static_cast<std::uint64_t>(offset) == length)
            continue;
        const std::string number = std::to_string(i);
        if (static_cast<std::uint64_t>(offset) + ItemHeaderSize > length)
            return ArchiveDamaged(file.path,
                                  "item " + number + " starts past the end of the file.");
        auto header = readExactly(fs, file, static_cast<std::uint64_t>(offset), ItemHeaderSize);
        if (!header)
            return header.status();
        const std::int64_t stored = readI32(*header, 4);
        if (stored < 0 || static_cast<std::uint64_t>(offset) + ItemHeaderSize +
                                  static_cast<std::uint64_t>(stored) >
                              length)
            return ArchiveDamaged(file.path, "item " + number + " claims " +
                                                 std::to_string(stored) +
                                                 " bytes, more than the file holds after it.");
        item.blank = false;
        item.size = ItemHeaderSize + static_cast<std::uint64_t>(stored);
        item.header = std::move(*header);
    }
    return table;
}

Result<std::string> ReadTableItem(FileSystem& fs, OpenFile& file, const TableItem& item) {
    if (item.blank)
        return std::string();
    return readExactly(fs, file, static_cast<std::uint64_t>(item.slot),
                       static_cast<std::size_t>(item.size));
}

} // namespace zyn
