#include "flows/archiveitemflow.h"

#include "archive/itemexpansion.h"
#include "base/itemheader.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/archivesave.h"
#include "flows/programstate.h"

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
Result<LoadedText> readExtractedItem(ProgramState& state, const std::string& itemPath,
                                     const std::string& name, const ProgressFn& progress) {
    FileSystem& fs = state.files();
    auto file = LoadTextFileBytes(fs, itemPath);
    if (!file)
        return file.status();

    LoadedText loaded;
    loaded.isVersion2 = state.ArchiveIsVersion2;
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
        loaded.expanded = true;
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

std::string ArchiveItemName(const ProgramState& state, int item) {
    if (item >= 0 && item + 1 < static_cast<int>(state.ItemNames.size()) &&
        !state.ItemNames[static_cast<std::size_t>(item + 1)].empty())
        return state.ItemNames[static_cast<std::size_t>(item + 1)];
    return "item " + std::to_string(item);
}

Status LoadArchiveItem(ProgramState& state, const ProgressFn& progress) {
    const int item = state.ArchiveItem;
    const std::string name = ArchiveItemName(state, item);
    if (state.Work.path().empty())
        return Status::failure(ErrorKind::Io, "Cannot make a working folder for " + name + ".");
    const std::string itemPath = state.Work.fileFor(name);
    WorkingFiles cleanup(state.files(), itemPath);

    if (Status extracted = ExtractItem(state.files(), state.ArchivePath, itemPath, item + 1, state);
        !extracted)
        return extracted;
    if (state.ItemData[static_cast<std::size_t>(item)].empty())
        return Status::failure(ErrorKind::Damaged, "Item " + std::to_string(item) + " (" + name +
                                                       ") of the archive " + state.ArchivePath +
                                                       " is blank: it holds no text.");
    auto loaded = readExtractedItem(state, itemPath, name, progress);
    if (!loaded)
        return loaded.status();
    AdoptText(state, std::move(*loaded));
    state.FromArchive = true;
    return {};
}

std::string ArchiveWindowTitle(const ProgramState& state, const std::string& name) {
    return state.BaseCaption + " - (" + state.ArchivePath + "; " + name + ")" +
           (state.IsVersion2 ? " - ZYN 2" : " - ZYN 1");
}

Status SaveToArchiveItem(ProgramState& state) {
    if (Status saved = SaveIntoArchive(state); !saved)
        return saved;
    state.Modified = false;
    NormaliseAfterSave(state);
    state.FromArchive = true;
    state.files().removeMatching(state.Work.path(), "TEXTTMP");
    return {};
}

} // namespace zyn
