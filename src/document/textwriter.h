#pragma once

// Writing the document back in the games' layout, and the document-side rules of File Save,
// File Save As and the version conversion.

#include "base/bytes.h"
#include "base/result.h"
#include "document/textdocument.h"

#include <optional>
#include <string>

namespace zyn {

// The text data (offset table and entries, no header) of the document: line breaks encoded,
// texts in display form mapped back to game codes through toGameCodes when there is one, a type
// byte before each ZYN 2 entry. Fails, with a message, when the data would exceed the 32 767 bytes
// the games' offsets can address (the reader would refuse the file).
Result<std::string> BuildTextData(const TextDocument& doc, const TextMapper& toGameCodes = {});

// What a save leaves in memory: each text decoded after being encoded, as it would read back.
void NormaliseAfterSave(TextDocument& doc);

// The read-only notice: "The file <FilePath> is Read-Only, Hidden, or System. Please, specify a
// new file."
std::string ReadOnlyMessage(const TextDocument& doc);

// The document side of Save As for the chosen path: no header for a name ending in "DIA" or "ZYT",
// FromArchive false, the file name, ForceSave. The caller then runs SaveDocument.
void PrepareSaveAs(TextDocument& doc, const std::string& chosenPath);

// ZYN 2 -> ZYN 1 (types 0) or ZYN 1 -> ZYN 2 (types 1), flipping IsVersion2 and setting
// Modified. Texts are untouched.
void ConvertVersion(TextDocument& doc);

// "&Convert...": every entry of the document (end slot included) that still holds game codes is
// rewritten into its display form through toDisplayCodes and marked DisplayForm. Modified is
// left alone.
void ConvertToDisplayForm(TextDocument& doc, const ByteMap& toDisplayCodes);

} // namespace zyn
