#include "flows/filesave.h"

#include "base/itemheader.h"
#include "characters/remapping.h"
#include "document/textwriter.h"
#include "flows/archivesave.h"
#include "flows/programstate.h"

namespace zyn {

SaveResult SaveDocument(ProgramState& state) {
    FileSystem& fs = state.files();
    if (!state.FilePath.empty()) {
        const FileInfo target = fs.info(state.FilePath);
        if (target.exists && (target.readOnly || !target.isRegular))
            return {SaveOutcome::NeedsSaveAs, ReadOnlyMessage(state)};
    }
    if ((!state.ForceSave && !state.Modified) || state.FileTitle.empty())
        return {SaveOutcome::NothingToSave, {}};

    auto data = BuildTextData(state, GameCodeMap(state));
    if (!data)
        return {SaveOutcome::Failed, data.message()};

    if (state.FromArchive) {
        if (Status status = SaveIntoArchive(state); !status)
            return {SaveOutcome::Failed, status.message()};
    } else {
        std::string temp = state.FileDir + SaveTempName;
        // Never let the temporary file be the target itself: a failed write would destroy it.
        if (temp == state.FilePath)
            temp += ".new";
        const std::string bytes = state.KeepHeader ? StoredItem(*data) : *data;
        if (Status status = replaceFile(fs, state.FilePath, temp, bytes); !status)
            return {SaveOutcome::Failed, status.message()};
    }

    NormaliseAfterSave(state);
    state.Modified = false;
    if (const std::string& work = state.Work.path(); !work.empty())
        fs.removeMatching(work, "TEXTTMP");
    return {SaveOutcome::Saved, {}};
}

} // namespace zyn
