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

// The read-only notice: "The file <path> is Read-Only, Hidden, or System. Please, specify a new
// file."
std::string ReadOnlyMessage(const std::string& path);

// Where Save As to the chosen path writes a document from current: a loose file, with the item
// header the document was read with, but none for a name ending in "DIA" or "ZYT".
DocumentOrigin SaveAsOrigin(const DocumentOrigin& current, const std::string& chosenPath);

// ZYN 2 -> ZYN 1 (types 0) or ZYN 1 -> ZYN 2 (types 1), flipping IsVersion2. Texts are
// untouched.
void ConvertVersion(TextDocument& doc);

// "&Convert...": every entry of the document (end slot included) that still holds game codes is
// rewritten into its display form through toDisplayCodes and marked DisplayForm.
void ConvertToDisplayForm(TextDocument& doc, const ByteMap& toDisplayCodes);

} // namespace zyn
