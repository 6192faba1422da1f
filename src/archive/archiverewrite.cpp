#include "archive/archiverewrite.h"

#include "base/bytes.h"
#include "base/itemheader.h"
#include "base/safewriter.h"

#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace zyn {

namespace {

constexpr const char* BackupSuffix = ".~$R";

const std::string& itemData(const ArchiveIndex& index, std::size_t i) {
    static const std::string none;
    return i < index.ItemData.size() ? index.ItemData[i] : none;
}

std::int32_t itemOffset(const ArchiveIndex& index, std::size_t i) {
    return i < index.ItemOffset.size() ? index.ItemOffset[i] : 0;
}

// A stored item gets a fresh header; anything else (modes 1 and 2, and modes this program cannot
// expand) keeps its own header and bytes unchanged.
bool isStored(const ArchiveIndex& index, std::size_t i) {
    const std::uint8_t mode = i < index.ItemMode.size() ? index.ItemMode[i] : 0;
    return mode == 0 && readU16(itemData(index, i), 8) == 0;
}

Status failure(const std::string& path, const Status& cause) {
    return Status::failure(cause.kind(),
                           "Cannot rebuild the archive " + path + ": " + cause.message());
}

} // namespace

std::string BackupName(const std::string& path) {
    const auto dot = path.find('.', folderOf(path).size());
    return (dot == std::string::npos ? path : path.substr(0, dot)) + BackupSuffix;
}

void ReplaceItem(ArchiveIndex& index, int k, std::string_view content) {
    const auto slot = static_cast<std::size_t>(k);
    if (index.ItemMode.size() <= slot)
        index.ItemMode.resize(slot + 1);
    if (index.ItemData.size() <= slot)
        index.ItemData.resize(slot + 1);
    if (index.ItemOffset.size() <= slot)
        index.ItemOffset.resize(slot + 1);
    index.ItemMode[slot] = 0;
    std::string& data = index.ItemData[slot];
    data.assign(ItemHeaderSize, '\0');
    data.append(content);
}

Result<std::string> BuildArchive(const ArchiveIndex& index) {
    const std::size_t count = index.LastItem < 0 ? 0 : static_cast<std::size_t>(index.LastItem) + 1;
    const std::size_t tableSize = 4 * (count + 1);

    std::size_t total = tableSize;
    for (std::size_t i = 0; i < count; ++i)
        total += itemData(index, i).size();
    std::string out;
    out.reserve(total);
    out.assign(tableSize, '\0');

    std::vector<std::uint32_t> newOffset(count, 0);
    // Items written so far, by the offset they had in the old archive.
    std::unordered_map<std::int32_t, std::vector<std::size_t>> written;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& data = itemData(index, i);
        if (data.empty())
            continue; // blank: slot 0, no bytes
        auto& sameOffset = written[itemOffset(index, i)];
        bool shared = false;
        for (const std::size_t j : sameOffset) {
            // Equal bytes too: an item replaced since it was read no longer shares the old ones.
            if (itemData(index, j) == data) {
                newOffset[i] = newOffset[j];
                shared = true;
                break;
            }
        }
        if (!shared) {
            if (out.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
                break;
            sameOffset.push_back(i);
            newOffset[i] = static_cast<std::uint32_t>(out.size());
            if (isStored(index, i)) {
                const std::string_view payload =
                    std::string_view(data).substr(std::min(data.size(), ItemHeaderSize));
                appendU32(out, static_cast<std::uint32_t>(payload.size()));
                appendU32(out, static_cast<std::uint32_t>(payload.size()));
                appendU16(out, 0);
                out.append(payload);
            } else {
                out.append(data);
            }
        }
        putU32(out, 4 * i, newOffset[i]);
    }
    if (out.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        return Result<std::string>::failure(
            ErrorKind::Damaged, "the rebuilt archive would be larger than 2 GB, which its "
                                "32-bit offsets cannot address.");
    putU32(out, tableSize - 4, static_cast<std::uint32_t>(out.size()));
    return out;
}

Status RewriteArchive(FileSystem& fs, const ArchiveIndex& index, const std::string& path) {
    // A link is followed: the archive it leads to is rebuilt and backed up beside itself.
    auto file = fs.resolveLinks(path);
    if (!file)
        return failure(path, file.status());
    const std::string backup = BackupName(*file);
    if (backup == *file)
        return Status::failure(ErrorKind::Io, "Cannot rebuild the archive " + path +
                                                  ": its backup would have its own name.");
    // Refused before the backup is made: a read-only archive is left entirely alone.
    if (Status writable = CheckWritable(fs, *file); !writable)
        return failure(path, writable);
    auto archive = BuildArchive(index);
    if (!archive)
        return failure(path, archive.status());
    if (Status kept = KeepBackup(fs, *file, backup); !kept)
        return failure(path, kept);
    if (Status replaced = WriteFileSafely(fs, *file, *archive); !replaced)
        return failure(path, replaced);
    return {};
}

} // namespace zyn
