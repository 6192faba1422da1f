#include "flows/archiveitemflow.h"

#include "archive/itemnames.h"
#include "document/textreader.h"

namespace zyn {

std::string ArchiveItemName(const ArchiveFlow& flow, int item) {
    if (item >= 0 && item + 1 < static_cast<int>(flow.ItemNames.size()) &&
        !flow.ItemNames[static_cast<std::size_t>(item + 1)].empty())
        return flow.ItemNames[static_cast<std::size_t>(item + 1)];
    return "item " + std::to_string(item);
}

Result<LoadedText> ReadIndexedItem(FileSystem& fs, const std::string& archivePath,
                                   const ArchiveIndex& index, int item, const std::string& name,
                                   bool isVersion2, const ProgressFn& progress) {
    const auto bytes = ItemAsKnown(index, item);
    if (!bytes)
        return Status::failure(ErrorKind::Damaged, "The archive " + archivePath + " has no item " +
                                                       std::to_string(item) + " (it has " +
                                                       std::to_string(index.itemCount()) +
                                                       " items).");
    if (bytes->empty())
        return Status::failure(ErrorKind::Damaged, "Item " + std::to_string(item) + " (" + name +
                                                       ") of the archive " + archivePath +
                                                       " is blank: it holds no text.");
    ReadOptions options;
    options.progress = progress;
    return ReadTextBytes(fs, name, *bytes, isVersion2, options);
}

Result<LoadedText> LoadArchiveItem(FileSystem& fs, const std::string& archivePath,
                                   ArchiveIndex& index, int item, const std::string& name,
                                   bool isVersion2, const ProgressFn& progress) {
    if (Status read = ReadItemAgain(fs, archivePath, item + 1, index); !read)
        return read;
    return ReadIndexedItem(fs, archivePath, index, item, name, isVersion2, progress);
}

Status NameArchiveItems(FileSystem& fs, const std::string& archivePath, const ArchiveIndex& index,
                        ArchiveFlow& flow) {
    ArchiveFlow named = flow;
    const std::int32_t firstSlot = index.itemCount() > 0 ? index.ItemOffset[0] : 0;
    if (!RecogniseTextArchive(named, firstSlot, fs.info(archivePath).size))
        return Status::failure(ErrorKind::Unsupported,
                               "This is not a text archive: " + archivePath);
    NameTextArchiveItems(named, named.ArchiveIsVersion2, named.ArchiveIsDemo);
    flow = std::move(named);
    return {};
}

Result<LoadedText> ReadTextAt(FileSystem& fs, const DocumentOrigin& origin, bool isVersion2) {
    if (!origin.FromArchive)
        return ReadTextFile(fs, origin.FilePath, isVersion2);
    ArchiveIndex index;
    if (Status read = ReadArchiveIndex(fs, origin.ArchivePath(), index); !read)
        return read;
    return ReadIndexedItem(fs, origin.ArchivePath(), index, origin.ArchiveItem, origin.ItemName,
                           isVersion2);
}

} // namespace zyn
