#include "flows/archivesave.h"

#include "archive/archiverewrite.h"
#include "base/itemheader.h"

#include <utility>

namespace zyn {

ArchiveSaveResult SaveIntoArchive(FileSystem& fs, const std::string& archivePath, int item,
                                  const std::string& data,
                                  const std::optional<std::string>& expected,
                                  const LockWait& wait) {
    ArchiveSaveResult result;
    ItemChange change{item, StoredItem(data), expected};
    auto rebuilt = RebuildArchive(fs, archivePath, {change}, wait);
    if (!rebuilt) {
        result.status = rebuilt.status();
    } else if (!rebuilt->empty()) {
        result.itemChanged = true;
        result.found = std::move(rebuilt->front().found);
    } else {
        result.written = std::move(change.bytes);
    }
    return result;
}

std::string ItemChangedQuestion(const std::string& archivePath, const std::string& name) {
    return "The item " + name + " of the archive " + archivePath +
           " was changed by another program since it was read.\r\nDo you want to replace it "
           "with this document?";
}

} // namespace zyn
