#pragma once

// File Save without its windows: the loose file's branch and the archive's.

#include <string>

namespace zyn {

struct ProgramState;

enum class SaveOutcome {
    Saved,
    NothingToSave, // neither Modified nor ForceSave, or no file title
    NeedsSaveAs,   // the target is read-only or not a plain file: ask for another name
    Failed,        // the message says why; the old file and Modified are unchanged
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    std::string message;
};

// File Save without its windows: a loose document replaces FilePath through the temporary
// file; a document from an archive replaces its item and rebuilds the archive. On success
// Modified is cleared and the texts are normalised.
SaveResult SaveDocument(ProgramState& state);

} // namespace zyn
