#pragma once

// An entry as the user sees and edits it: the document's texts joined with the remapping table.

#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <string>

namespace zyn {

// Entry i as the user sees and edits it: in display form while a table is loaded.
std::string ShownText(const TextDocument& doc, const CharacterTables& tables, int i);

} // namespace zyn
