#include "windows/archiveitemopen.h"

#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "windows/frmdecomp.h"

#include <memory>

namespace zyn {

namespace {

// Whether the item will be expanded on its way in, judged from the index as read, so that the
// progress window is up before the work starts.
bool isCompressed(const ArchiveIndex& index, int item) {
    if (item < 0 || item > index.LastItem)
        return false;
    const ItemHeader header = TestHeader(index.ItemData[static_cast<std::size_t>(item)]);
    return header.found && (header.mode == 1 || header.mode == 2);
}

} // namespace

Result<LoadedText> ReadArchiveItemShowingProgress(DocumentSession& session, QWidget* parent,
                                                  const std::string& archivePath,
                                                  ArchiveIndex& index, int item,
                                                  const ArchiveFlow& flow) {
    const std::string name = ArchiveItemName(flow, item);
    std::unique_ptr<frmDecomp> progress;
    if (isCompressed(index, item)) {
        progress = std::make_unique<frmDecomp>(parent);
        progress->start(name + " in " + archivePath);
    }
    return LoadArchiveItem(session.files(), archivePath, index, item, name, flow.ArchiveIsVersion2,
                           progress ? progress->progress() : ProgressFn{});
}

Status OpenArchiveItem(DocumentSession& session, QWidget* parent, const std::string& archivePath,
                       ArchiveIndex& index, int item, const ArchiveFlow& flow) {
    auto loaded = ReadArchiveItemShowingProgress(session, parent, archivePath, index, item, flow);
    if (!loaded)
        return loaded.status();
    session.openArchiveItem(std::move(*loaded),
                            ArchiveItemOrigin(archivePath, item, ArchiveItemName(flow, item)),
                            std::move(index), flow);
    return {};
}

} // namespace zyn
