#include "archive/archiveindex.h"

#include "base/bytes.h"
#include "base/itemheader.h"
#include "base/safewriter.h"

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

namespace zyn {

namespace {

Status damaged(const std::string& path, const std::string& what) {
    return Status::failure(ErrorKind::Damaged, "The archive " + path + " is damaged: " + what);
}

// An archive's bytes with its item count checked against the file's length.
struct ArchiveFile {
    std::string bytes;
    std::int32_t lastItem = -1;
};

Result<ArchiveFile> readArchiveFile(FileSystem& fs, const std::string& path) {
    auto file = fs.readFile(path, MaxArchiveSize);
    if (!file)
        return file.status();
    const std::int32_t lastItem = LastItemFromFirstSlot(readI32(*file, 0));
    const std::int64_t items = static_cast<std::int64_t>(lastItem) + 1;
    if (items > ArchiveIndex::MaxItems)
        return damaged(path, "its table claims " + std::to_string(items) + " items (at most " +
                                 std::to_string(ArchiveIndex::MaxItems) + " are possible).");
    if (static_cast<std::uint64_t>(items) * 4 > file->size())
        return damaged(path, "its table of " + std::to_string(items) +
                                 " items runs past the end of the file.");
    return ArchiveFile{std::move(*file), lastItem};
}

struct ItemRead {
    std::int32_t offset = 0;
    bool blank = true;
    std::uint8_t mode = 0;
    std::string_view data; // into the file's bytes
};

// Items that share an offset are held once per item. This caps what such copies may add to the
// file's own length, so that a table pointing thousands of items at one large item is refused
// instead of filling the memory.
constexpr std::uint64_t MaxSharedBytes = 64u * 1024 * 1024;

// The item whose slot is at table position item; its header and data must lie inside the file.
Result<ItemRead> readItem(std::string_view file, const std::string& path, std::int32_t item) {
    ItemRead read;
    read.offset = readI32(file, 4 * static_cast<std::size_t>(item));
    const std::int64_t length = static_cast<std::int64_t>(file.size());
    if (read.offset <= 0 || read.offset == length)
        return read;
    const std::int64_t offset = read.offset;
    const std::string number = std::to_string(item);
    if (offset + static_cast<std::int64_t>(ItemHeaderSize) > length)
        return damaged(path, "item " + number + " starts past the end of the file.");
    const std::int64_t stored = readI32(file, static_cast<std::size_t>(offset) + 4);
    if (stored < 0 || offset + static_cast<std::int64_t>(ItemHeaderSize) + stored > length)
        return damaged(path, "item " + number + " claims " + std::to_string(stored) +
                                 " bytes, more than the file holds after it.");
    read.blank = false;
    read.mode = byteAt(file, static_cast<std::size_t>(offset) + 8);
    read.data = file.substr(static_cast<std::size_t>(offset),
                            ItemHeaderSize + static_cast<std::size_t>(stored));
    return read;
}

} // namespace

std::int32_t LastItemFromFirstSlot(std::int32_t firstSlot) {
    if (firstSlot < 4)
        return -1;
    return static_cast<std::int32_t>(std::nearbyint(firstSlot / 4.0 - 2.0));
}

Status ReadArchiveIndex(FileSystem& fs, const std::string& path, ArchiveIndex& index) {
    auto archive = readArchiveFile(fs, path);
    if (!archive)
        return archive.status();

    std::vector<ItemRead> items;
    items.reserve(static_cast<std::size_t>(archive->lastItem + 1));
    std::uint64_t held = 0;
    for (std::int32_t i = 0; i <= archive->lastItem; ++i) {
        auto item = readItem(archive->bytes, path, i);
        if (!item)
            return item.status();
        held += item->data.size();
        items.push_back(*item);
    }
    if (held > archive->bytes.size() + MaxSharedBytes)
        return damaged(path, "its items share their bytes so often that they would take " +
                                 std::to_string(held) + " bytes in memory.");

    ArchiveIndex fresh;
    fresh.LastItem = archive->lastItem;
    const auto count = static_cast<std::size_t>(fresh.itemCount());
    fresh.ItemOffset.resize(count);
    fresh.ItemMode.resize(count);
    fresh.ItemData.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        fresh.ItemOffset[k] = items[k].offset;
        fresh.ItemData[k] = std::string(items[k].data);
        if (!items[k].blank)
            fresh.ItemMode[k] = items[k].mode;
    }
    index = std::move(fresh);
    return {};
}

Status ExtractItem(FileSystem& fs, const std::string& path, const std::string& targetPath,
                   int itemNumber, ArchiveIndex& index) {
    auto archive = readArchiveFile(fs, path);
    if (!archive)
        return archive.status();
    const std::int32_t k = itemNumber - 1;
    if (k < 0 || k > archive->lastItem)
        return Status::failure(ErrorKind::Damaged, "The archive " + path + " has no item " +
                                                       std::to_string(k) + " (it has " +
                                                       std::to_string(archive->lastItem + 1) +
                                                       " items).");
    auto item = readItem(archive->bytes, path, k);
    if (!item)
        return item.status();
    if (Status written = WriteFileSafely(fs, targetPath, item->data); !written)
        return written;

    index.LastItem = archive->lastItem;
    const auto count = static_cast<std::size_t>(index.itemCount());
    if (index.ItemOffset.size() < count)
        index.ItemOffset.resize(count);
    if (index.ItemMode.size() < count)
        index.ItemMode.resize(count);
    if (index.ItemData.size() < count)
        index.ItemData.resize(count);
    const auto slot = static_cast<std::size_t>(k);
    index.ItemOffset[slot] = item->offset;
    index.ItemData[slot] = std::string(item->data);
    if (!item->blank)
        index.ItemMode[slot] = item->mode;
    return {};
}

} // namespace zyn
