#pragma once

// Texts for translators as gettext PO: writing a catalogue of a document's entries against a
// translation, and taking a catalogue's translations back into a document. Reading the PO
// syntax is left to a parser behind PoEntry (the tool uses gettext's own library), so this part
// needs nothing beyond the standard library.

#include "base/result.h"
#include "characters/charactertables.h"
#include "document/textdocument.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zyn {

// One message of a PO file as a parser reads it; the header and obsolete messages excluded.
struct PoEntry {
    std::string context;     // msgctxt
    std::string source;      // msgid
    std::string translation; // msgstr; empty when untranslated
    bool fuzzy = false;
    bool plural = false;
    std::size_t line = 0; // where the message begins in its file, 0 when unknown
};

// One bank in a catalogue: the entries of source, each against the same entry of target.
struct PoBank {
    const TextDocument* source = nullptr;
    const TextDocument* target = nullptr; // none: every entry untranslated
    int item = -1;                        // the item contexts name in a whole-archive catalogue
    std::string reference;                // the name references give: "text.hqr:41", a path
};

// The language code of the catalogue for a language block of the text archive (0 EN .. 5 PO),
// "" outside them.
std::string PoLanguageCode(int languageBlock);
// The language block of a code as users write it ("FR", "fr"), -1 for none.
int PoLanguageBlock(const std::string& name);

// The context of entry (counted from 0) of a bank: "12" (as the editor numbers it, from 1),
// "41:12" with the archive's item.
std::string PoContext(int item, int entry);

// The whole PO text: a header (UTF-8, the language, generator) and one message per entry of
// each bank's source, texts in the letters of tables.ShownCharacterSet (display form through a
// loaded remapping table). An entry whose translation differs from its source only in having a
// line break at one end where the source has none (or the reverse) is marked fuzzy with a
// comment saying why, since gettext's checks refuse such a pair.
std::string WritePoCatalogue(const std::vector<PoBank>& banks, const CharacterTables& tables,
                             const std::string& language, const std::string& generator);

// A PO string literal: quotes, escapes, and one line per line break when it holds several.
std::string PoQuoted(const std::string& keyword, const std::string& text);

// Where a catalogue's translations go.
struct PoTarget {
    TextDocument* document = nullptr;
    int item = -1; // the item contexts name, -1 for a single file
};

// What an import made of one message.
enum class PoOutcome {
    Changed,      // its translation is now the entry's text
    Unchanged,    // the entry held its translation already
    Untranslated, // msgstr is empty
    FuzzySkipped, // fuzzy, and fuzzy messages were not taken
};

// Writes the non-empty translations of entries into the targets (fuzzy ones only when
// takeFuzzy). Every entry is checked first: a context naming no entry of a target, two
// messages naming one entry, a plural message, a character the character set or remapping
// table cannot write, and a bank whose text data would pass the file limit are refused with a
// message naming the context (and poName with the line when known); then no target is
// changed. Gives what became of each message, in the order of entries.
Result<std::vector<PoOutcome>> ApplyPoEntries(const std::vector<PoEntry>& entries,
                                              std::vector<PoTarget>& targets,
                                              const CharacterTables& tables, bool takeFuzzy,
                                              const std::string& poName);

} // namespace zyn
