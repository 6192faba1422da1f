#pragma once

// An entry as the user sees and edits it, and the commit of an edited text: the document's texts
// joined with the remapping table.

#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <string>

namespace zyn {

// Entry i as the user sees and edits it: in display form while a table is loaded.
std::string ShownText(const TextDocument& doc, const CharacterTables& tables, int i);

// The commit of text handed back by the string editor into entry i. It is compared with the
// text the editor was opened on, never with the stored codes: with a table loaded the two are
// in different forms, and a table that shows two codes as one character would make an unchanged
// text look changed. True when the entry took the text.
bool CommitEditedText(TextDocument& doc, const CharacterTables& tables, int i,
                      const std::string& edited);

} // namespace zyn
