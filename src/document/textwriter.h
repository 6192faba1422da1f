#pragma once

// Writing the document back in the games' layout, and the document-side rules of File Save,
// File Save As and the version conversion.

#include "base/filesystem.h"
#include "base/result.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <string>

namespace zyn {

struct ProgramState;

// The temporary file every save writes first, in the document's folder.
inline constexpr const char* SaveTempName = "TEMP$$$$.$$$";

// The text data (offset table and entries, no header) of the document: line breaks encoded,
// texts mapped back to game codes through the remapping table when one is loaded, a type byte
// before each ZYN 2 entry. Fails, with a message, when the data would exceed the 32 767 bytes
// the games' offsets can address (the reader would refuse the file).
Result<std::string> BuildTextData(const TextDocument& doc, const CharacterTables& tables);

// What a save leaves in memory: each text decoded after being encoded, as it would read back.
void NormaliseAfterSave(TextDocument& doc);

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

// The read-only notice: "The file <FilePath> is Read-Only, Hidden, or System. Please, specify a
// new file."
std::string ReadOnlyMessage(const TextDocument& doc);

// File Save without its windows: a loose document replaces FilePath through the temporary
// file; a document from an archive replaces its item and rebuilds the archive. On success
// Modified is cleared and the texts are normalised.
SaveResult SaveDocument(ProgramState& state);

// The document side of Save As for the chosen path: ChosenExt, no header for "DIA"/"ZYT",
// FromArchive false, the file name, ForceSave. The caller then runs SaveDocument.
void PrepareSaveAs(TextDocument& doc, const std::string& chosenPath);

// ZYN 2 -> ZYN 1 (types 0) or ZYN 1 -> ZYN 2 (types 1), flipping IsVersion2 and setting
// Modified. Texts are untouched.
void ConvertVersion(TextDocument& doc);

} // namespace zyn
