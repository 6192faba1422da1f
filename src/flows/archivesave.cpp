#include "flows/archivesave.h"

#include "archive/archiverewrite.h"
#include "characters/remapping.h"
#include "document/textwriter.h"
#include "flows/programstate.h"

#include <utility>

namespace zyn {

Status SaveIntoArchive(ProgramState& state) {
    const int item = state.ArchiveItem;
    if (item < 0 || item > state.LastItem)
        return Status::failure(ErrorKind::Damaged,
                               "Cannot save into item " + std::to_string(item) +
                                   " of the archive " + state.ArchivePath + ": it has " +
                                   std::to_string(state.itemCount()) + " items.");
    auto data = BuildTextData(state, GameCodeMap(state));
    if (!data)
        return data.status();

    const auto slot = static_cast<std::size_t>(item);
    std::string oldData = std::move(state.ItemData[slot]);
    const std::uint8_t oldMode = state.ItemMode[slot];
    ReplaceItem(state, item, *data);
    Status rebuilt = RewriteArchive(state.files(), state, state.ArchivePath);
    if (!rebuilt) {
        state.ItemData[slot] = std::move(oldData);
        state.ItemMode[slot] = oldMode;
    }
    return rebuilt;
}

} // namespace zyn
