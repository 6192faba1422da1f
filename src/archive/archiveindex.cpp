#include "archive/archiveindex.h"

#include "archive/archivetable.h"
#include "base/bytes.h"
#include "base/safewriter.h"

#include <cmath>
#include <unordered_set>
#include <utility>

namespace zyn {

namespace {

// Items that share an offset are held once per item. This caps what such copies may add to the
// archive's own bytes, so that a table pointing thousands of items at one large item is refused
// instead of filling the memory.
constexpr std::uint64_t MaxSharedCopies = 128u * 1024 * 1024;

// Opens the archive at path into file (which the caller closes) and reads its table; with
// maxSize, a larger archive is refused first.
Result<ArchiveTable> openArchive(FileSystem& fs, const std::string& path, OpenFile& file,
                                 std::uint64_t maxSize = UINT64_MAX) {
    auto opened = fs.open(path, false);
    if (!opened)
        return opened.status();
    file = std::move(*opened);
    if (file.size > maxSize)
        return Result<ArchiveTable>::failure(ErrorKind::Damaged,
                                             "The file " + path + " is too large (" +
                                                 std::to_string(file.size) + " bytes; at most " +
                                                 std::to_string(maxSize) + " are accepted).");
    return ReadArchiveTable(fs, file);
}

} // namespace

std::int32_t LastItemFromFirstSlot(std::int32_t firstSlot) {
    if (firstSlot < 4)
        return -1;
    return static_cast<std::int32_t>(std::nearbyint(firstSlot / 4.0 - 2.0));
}

Status ReadArchiveIndex(FileSystem& fs, const std::string& path, ArchiveIndex& index) {
    OpenFile file;
    FileCloser closer(fs, file);
    // Every item is held in memory, so the archive must fit it.
    auto table = openArchive(fs, path, file, MaxArchiveSize);
    if (!table)
        return table.status();
    // Shared bytes are the archive's once; only their copies count against the cap.
    std::uint64_t copies = 0;
    std::unordered_set<std::int32_t> seen;
    for (const TableItem& item : table->items)
        if (!item.blank && !seen.insert(item.slot).second)
            copies += item.size;
    if (copies > MaxSharedCopies)
        return Status::failure(
            ErrorKind::Unsupported,
            "The archive " + path + " lets so many items share their bytes that holding each " +
                "item would take " + std::to_string(copies) + " bytes more in memory; at most " +
                std::to_string(MaxSharedCopies) + " are held.");

    ArchiveIndex fresh;
    fresh.LastItem = table->lastItem;
    const auto count = table->items.size();
    fresh.ItemOffset.resize(count);
    fresh.ItemMode.resize(count);
    fresh.ItemData.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        const TableItem& item = table->items[k];
        auto data = ReadTableItem(fs, file, item);
        if (!data)
            return data.status();
        fresh.ItemOffset[k] = item.slot;
        fresh.ItemData[k] = std::move(*data);
        if (!item.blank)
            fresh.ItemMode[k] = byteAt(item.header, 8);
    }
    index = std::move(fresh);
    return {};
}

std::optional<std::string> ItemAsKnown(const ArchiveIndex& index, int item) {
    if (item < 0 || item > index.LastItem ||
        static_cast<std::size_t>(item) >= index.ItemData.size())
        return std::nullopt;
    return index.ItemData[static_cast<std::size_t>(item)];
}

void RememberItem(ArchiveIndex& index, int item, std::string bytes) {
    const auto slot = static_cast<std::size_t>(item);
    if (item < 0 || item > index.LastItem || slot >= index.ItemData.size() ||
        slot >= index.ItemMode.size())
        return;
    index.ItemMode[slot] = bytes.size() > 8 ? byteAt(bytes, 8) : 0;
    index.ItemData[slot] = std::move(bytes);
}

namespace {

// An item as it is on disk now, with the table it was read with.
struct FreshItem {
    std::int32_t lastItem = -1;
    TableItem item;
    std::string data;
};

Result<FreshItem> readFresh(FileSystem& fs, const std::string& path, int itemNumber) {
    OpenFile file;
    FileCloser closer(fs, file);
    auto table = openArchive(fs, path, file);
    if (!table)
        return table.status();
    const std::int32_t k = itemNumber - 1;
    if (k < 0 || k > table->lastItem)
        return Status::failure(ErrorKind::Damaged,
                               "The archive " + path + " has no item " + std::to_string(k) +
                                   " (it has " + std::to_string(table->lastItem + 1) + " items).");
    FreshItem fresh{table->lastItem, table->items[static_cast<std::size_t>(k)], {}};
    auto data = ReadTableItem(fs, file, fresh.item);
    if (!data)
        return data.status();
    fresh.data = std::move(*data);
    return fresh;
}

void remember(ArchiveIndex& index, int itemNumber, FreshItem&& fresh) {
    index.LastItem = fresh.lastItem;
    const auto count = static_cast<std::size_t>(index.itemCount());
    if (index.ItemOffset.size() < count)
        index.ItemOffset.resize(count);
    if (index.ItemMode.size() < count)
        index.ItemMode.resize(count);
    if (index.ItemData.size() < count)
        index.ItemData.resize(count);
    const auto slot = static_cast<std::size_t>(itemNumber - 1);
    index.ItemOffset[slot] = fresh.item.slot;
    index.ItemData[slot] = std::move(fresh.data);
    if (!fresh.item.blank)
        index.ItemMode[slot] = byteAt(fresh.item.header, 8);
}

} // namespace

Status ReadItemAgain(FileSystem& fs, const std::string& path, int itemNumber, ArchiveIndex& index) {
    auto fresh = readFresh(fs, path, itemNumber);
    if (!fresh)
        return fresh.status();
    remember(index, itemNumber, std::move(*fresh));
    return {};
}

Status ExtractItem(FileSystem& fs, const std::string& path, const std::string& targetPath,
                   int itemNumber, ArchiveIndex& index) {
    auto fresh = readFresh(fs, path, itemNumber);
    if (!fresh)
        return fresh.status();
    if (Status written = WriteFileSafely(fs, targetPath, fresh->data); !written)
        return written;
    remember(index, itemNumber, std::move(*fresh));
    return {};
}

} // namespace zyn
