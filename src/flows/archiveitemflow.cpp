#include "flows/archiveitemflow.h"

#include "archive/itemexpansion.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "document/textreader.h"

#include <utility>

namespace zyn {

namespace {

// Removes the working files of one load when the load ends, however it ends.
class WorkingFiles {
public:
    WorkingFiles(FileSystem& fs, std::string item) : fs_(fs), item_(std::move(item)) {}
    ~WorkingFiles() {
        fs_.remove(item_ + ExpandedSuffix);
        fs_.remove(item_);
    }
    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;

private:
    FileSystem& fs_;
    std::string item_;
};

// The text data of the extracted item: after its header, or its expanded copy when compressed.
Result<LoadedText> readExtractedItem(FileSystem& fs, const std::string& itemPath,
                                     const std::string& name, bool isVersion2,
                                     const ProgressFn& progress) {
    auto file = LoadTextFileBytes(fs, itemPath);
    if (!file)
        return file.status();

    LoadedText loaded;
    loaded.isVersion2 = isVersion2;
    loaded.header = TestHeader(*file);
    std::string data;
    if (loaded.header.found && loaded.header.mode >= 3)
        return Result<LoadedText>::failure(ErrorKind::Unsupported, UnsupportedCompressionMessage());
    if (loaded.header.found && loaded.header.mode != 0) {
        // Not ExpandFile: it takes the source and the header flag from the document, which must
        // not change before the load has succeeded.
        auto expansion = ExpandItemFile(fs, itemPath, itemPath + ExpandedSuffix, true, progress,
                                        ExpandedTextLimit);
        if (!expansion)
            return expansion.status();
        if (expansion->written) {
            auto expanded = LoadTextFileBytes(fs, itemPath + ExpandedSuffix);
            if (!expanded)
                return expanded.status();
            data = std::move(*expanded);
        }
    } else {
        data = file->substr(loaded.header.found ? ItemHeaderSize : 0);
    }
    auto text = ParseTextData(data, loaded.isVersion2, name);
    if (!text)
        return text.status();
    loaded.text = std::move(*text);
    return loaded;
}

} // namespace

std::string ArchiveItemName(const ArchiveFlow& flow, int item) {
    if (item >= 0 && item + 1 < static_cast<int>(flow.ItemNames.size()) &&
        !flow.ItemNames[static_cast<std::size_t>(item + 1)].empty())
        return flow.ItemNames[static_cast<std::size_t>(item + 1)];
    return "item " + std::to_string(item);
}

Result<LoadedText> LoadArchiveItem(FileSystem& fs, WorkingFolder& work,
                                   const std::string& archivePath, ArchiveIndex& index, int item,
                                   const std::string& name, bool isVersion2,
                                   const ProgressFn& progress) {
    if (work.path().empty())
        return Status::failure(ErrorKind::Io, "Cannot make a working folder for " + name + ": " +
                                                  work.failure() + ".");
    const std::string itemPath = work.fileFor(name);
    WorkingFiles cleanup(fs, itemPath);

    if (Status extracted = ExtractItem(fs, archivePath, itemPath, item + 1, index); !extracted)
        return extracted;
    if (index.ItemData[static_cast<std::size_t>(item)].empty())
        return Status::failure(ErrorKind::Damaged, "Item " + std::to_string(item) + " (" + name +
                                                       ") of the archive " + archivePath +
                                                       " is blank: it holds no text.");
    return readExtractedItem(fs, itemPath, name, isVersion2, progress);
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

Result<LoadedText> ReadTextAt(FileSystem& fs, WorkingFolder& work, const DocumentOrigin& origin,
                              bool isVersion2) {
    if (!origin.FromArchive)
        return ReadTextFile(fs, origin.FilePath, isVersion2);
    ArchiveIndex index;
    if (Status read = ReadArchiveIndex(fs, origin.ArchivePath(), index); !read)
        return read;
    return LoadArchiveItem(fs, work, origin.ArchivePath(), index, origin.ArchiveItem,
                           origin.ItemName, isVersion2);
}

} // namespace zyn
