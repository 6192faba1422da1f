#include "flows/filesave.h"

#include "base/itemheader.h"
#include "base/safewriter.h"
#include "characters/remapping.h"
#include "document/textwriter.h"
#include "flows/archivesave.h"
#include "flows/opendocument.h"
#include "flows/programstate.h"

#include <optional>

namespace zyn {

namespace {

bool refusesWriting(FileSystem& fs, const DocumentOrigin& target) {
    if (target.FromArchive || target.FilePath.empty())
        return false;
    const FileInfo info = fs.info(target.FilePath);
    return info.exists && (info.readOnly || !info.isRegular);
}

} // namespace

SaveResult WriteDocument(ProgramState& program, TextDocument& doc, const DocumentOrigin& target,
                         ArchiveIndex& index, const OverwriteQuestion& askOverwrite) {
    FileSystem& fs = program.files();
    if (refusesWriting(fs, target))
        return {SaveOutcome::NeedsSaveAs, ReadOnlyMessage(target.FilePath)};
    auto data = BuildTextData(doc, GameCodeMap(program.Characters));
    if (!data)
        return {SaveOutcome::Failed, data.message()};

    if (target.FromArchive) {
        const int item = target.ArchiveItem;
        std::optional<std::string> expected;
        if (askOverwrite)
            expected = ItemAsKnown(index, item);
        ArchiveSaveResult saved;
        for (;;) {
            saved = SaveIntoArchive(fs, target.ArchivePath(), item, *data, expected,
                                    program.ArchiveWait);
            if (!saved.status)
                return {SaveOutcome::Failed, saved.status.message(), saved.status.kind()};
            if (!saved.itemChanged)
                break;
            if (!askOverwrite ||
                !askOverwrite(ItemChangedQuestion(target.ArchivePath(), target.ItemName)))
                return {SaveOutcome::Declined, {}};
            expected = std::move(saved.found);
        }
        RememberItem(index, item, std::move(saved.written));
    } else {
        const std::string bytes = target.KeepHeader ? StoredItem(*data) : *data;
        if (Status status = WriteFileSafely(fs, target.FilePath, bytes); !status)
            return {SaveOutcome::Failed, status.message(), status.kind()};
    }

    NormaliseAfterSave(doc);
    doc.Origin = target;
    if (const std::string& work = program.Work.path(); !work.empty())
        fs.removeMatching(work, "TEXTTMP");
    return {SaveOutcome::Saved, {}};
}

SaveResult SaveDocument(ProgramState& program, OpenDocument& open, bool modified,
                        const OverwriteQuestion& askOverwrite) {
    const TextDocument& doc = open.Document;
    if (refusesWriting(program.files(), doc.Origin))
        return {SaveOutcome::NeedsSaveAs, ReadOnlyMessage(doc.Origin.FilePath)};
    if ((!doc.ForceSave && !modified) || doc.Origin.FileTitle.empty())
        return {SaveOutcome::NothingToSave, {}};
    // A copy: the write sets the document's origin from it.
    const DocumentOrigin target = doc.Origin;
    return WriteDocument(program, open.Document, target, open.Archive, askOverwrite);
}

} // namespace zyn
