#include "flows/filesave.h"

#include "base/itemheader.h"
#include "base/safewriter.h"
#include "characters/remapping.h"
#include "document/textwriter.h"
#include "flows/archiveitemflow.h"
#include "flows/archivesave.h"
#include "flows/programstate.h"

namespace zyn {

SaveResult SaveDocument(ProgramState& state, const std::string* itemOnDisk) {
    TextDocument& doc = state.Document;
    FileSystem& fs = state.files();
    if (!doc.FilePath.empty()) {
        const FileInfo target = fs.info(doc.FilePath);
        if (target.exists && (target.readOnly || !target.isRegular))
            return {SaveOutcome::NeedsSaveAs, ReadOnlyMessage(doc), {}};
    }
    if ((!doc.ForceSave && !doc.Modified) || doc.FileTitle.empty())
        return {SaveOutcome::NothingToSave, {}, {}};

    auto data = BuildTextData(doc, GameCodeMap(state.Characters));
    if (!data)
        return {SaveOutcome::Failed, data.message(), {}};

    if (doc.FromArchive) {
        std::optional<std::string> expected = ItemAsKnown(state.Archive, doc.ArchiveItem);
        if (itemOnDisk)
            expected = *itemOnDisk;
        ArchiveSaveResult saved = SaveIntoArchive(fs, doc.ArchivePath, doc.ArchiveItem, *data,
                                                  expected, state.ArchiveWait);
        if (!saved.status)
            return {SaveOutcome::Failed, saved.status.message(), {}};
        if (saved.itemChanged)
            return {
                SaveOutcome::ItemChanged,
                ItemChangedQuestion(doc.ArchivePath, ArchiveItemName(state.Flow, doc.ArchiveItem)),
                std::move(saved.found)};
        RememberItem(state.Archive, doc.ArchiveItem, std::move(saved.written));
    } else {
        const std::string bytes = doc.KeepHeader ? StoredItem(*data) : *data;
        if (Status status = WriteFileSafely(fs, doc.FilePath, bytes); !status)
            return {SaveOutcome::Failed, status.message(), {}};
    }

    NormaliseAfterSave(doc);
    doc.Modified = false;
    if (const std::string& work = state.Work.path(); !work.empty())
        fs.removeMatching(work, "TEXTTMP");
    return {SaveOutcome::Saved, {}, {}};
}

} // namespace zyn
