#pragma once

// The one way the document is written: to a loose file or into an item of an archive, as its
// origin says. File Save, Save As, Save to HQR and the tool's build all go through it.

#include "archive/archiveindex.h"
#include "document/textdocument.h"

#include <functional>
#include <string>

namespace zyn {

struct OpenDocument;
struct ProgramState;

enum class SaveOutcome {
    Saved,
    NothingToSave, // neither modified nor ForceSave, or no file title
    NeedsSaveAs,   // the target is read-only or not a plain file: ask for another name
    Failed,        // the message says why; the old file and the document are unchanged
    Declined,      // the item was changed on disk and the user kept it: nothing was written
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    std::string message;
    ErrorKind kind = ErrorKind::Io; // of a failure: Busy when another program held the archive

    bool saved() const { return outcome == SaveOutcome::Saved; }
};

// Asked before an archive item that another program changed since it was read is replaced;
// question says which. True replaces it.
using OverwriteQuestion = std::function<bool(const std::string& question)>;

// Writes doc to target, through the program's file system, character tables and lock wait: a loose
// file replaced through a temporary file (with the item header when KeepHeader), or an archive item
// replaced in the archive as it is on disk now. index is that archive's index as last read: the
// item must still hold what it says, or askOverwrite is asked (again if the item changes once more
// meanwhile). Without askOverwrite the item is replaced whatever it holds (the tool, which reads
// nothing ahead). On success the document's origin is target, ForceSave is kept, the texts read as
// they were stored and index records the item as written; otherwise nothing changes.
SaveResult WriteDocument(ProgramState& program, TextDocument& doc, const DocumentOrigin& target,
                         ArchiveIndex& index, const OverwriteQuestion& askOverwrite);

// File Save: a read-only target asks for Save As; nothing is written while the document is not
// modified and no Save As was made; then WriteDocument to where the document came from, with
// the open document's archive index.
SaveResult SaveDocument(ProgramState& program, OpenDocument& open, bool modified,
                        const OverwriteQuestion& askOverwrite);

} // namespace zyn
