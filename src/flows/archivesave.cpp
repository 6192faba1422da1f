#include "flows/archivesave.h"

#include "archive/archiverewrite.h"
#include "characters/remapping.h"
#include "document/textwriter.h"

#include <utility>

namespace zyn {

Status SaveIntoArchive(const TextDocument& doc, const CharacterTables& tables, FileSystem& fs,
                       const std::string& archivePath, ArchiveIndex& index, int item) {
    if (item < 0 || item > index.LastItem)
        return Status::failure(ErrorKind::Damaged,
                               "Cannot save into item " + std::to_string(item) +
                                   " of the archive " + archivePath + ": it has " +
                                   std::to_string(index.itemCount()) + " items.");
    auto data = BuildTextData(doc, GameCodeMap(tables));
    if (!data)
        return data.status();

    const auto slot = static_cast<std::size_t>(item);
    std::string oldData = std::move(index.ItemData[slot]);
    const std::uint8_t oldMode = index.ItemMode[slot];
    ReplaceItem(index, item, *data);
    Status rebuilt = RewriteArchive(fs, index, archivePath);
    if (!rebuilt) {
        index.ItemData[slot] = std::move(oldData);
        index.ItemMode[slot] = oldMode;
    }
    return rebuilt;
}

} // namespace zyn
