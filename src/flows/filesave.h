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
    // The document's archive item was changed on disk since it was loaded: nothing was written;
    // message is the question to ask before overwriting it.
    ItemChanged,
};

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Failed;
    std::string message;
    std::string found; // ItemChanged: what the item holds now
};

// File Save without its windows: a loose document replaces FilePath through the temporary
// file; a document from an archive replaces its item in the archive as it is on disk now. Its
// item must still hold what it held when loaded (or last saved), or itemOnDisk when given:
// what an ItemChanged result found there and the user agreed to overwrite. On success
// Modified is cleared and the texts are normalised.
SaveResult SaveDocument(ProgramState& state, const std::string* itemOnDisk = nullptr);

} // namespace zyn
