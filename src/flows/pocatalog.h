#pragma once

// Texts for translators as gettext PO: writing a catalogue of a document's entries against a
// translation, and taking a catalogue's translations back into a document. Reading the PO
// syntax is left to a parser behind PoEntry (the tool uses gettext's own library), so this part
// needs nothing beyond the standard library.

#include "base/result.h"
#include "characters/charactertables.h"
#include "characters/substitutions.h"
#include "document/textdocument.h"
#include "document/translationmemory.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    // Its "#:" references as written: "text.hqr:39:12", "fr.dia:12", or naming the file alone
    // as msgcat --add-location=file writes them ("text.hqr:39", "fr.dia").
    std::vector<std::string> references;
    // Its translator comments ("# " lines) and extracted comments ("#." lines) as the parser
    // gives them: each line without its mark and one blank after it, ended by '\n'.
    std::string comments, extractedComments;
};

// A PO file as a parser reads it: what its header records and its messages.
struct PoCatalogue {
    std::string source; // "X-Source": what it was exported from, as given; "" when not said
    std::string target; // "X-Target": the translation it was exported against, when one was
    // "X-Project": the translation project whose states and notes it holds; "" for none.
    std::string project;
    std::vector<PoEntry> entries;
};

// What a translation project says of an entry beyond its texts, as a catalogue writes it.
struct PoMarks {
    bool kept = false;     // msgstr is the translation also where it equals the source
    bool fuzzy = false;    // needs review: "#, fuzzy"
    bool reviewed = false; // "#. reviewed"
    std::string note;      // translator comments, a "# " line for each of its lines
};

// One bank in a catalogue: the entries of source, each against the same entry of target.
struct PoBank {
    const TextDocument* source = nullptr;
    const TextDocument* target = nullptr; // none: every entry untranslated
    int item = -1;                        // the item contexts name in a whole-archive catalogue
    std::string reference;                // the name references give: "text.hqr:41", a path
    // Each entry's marks, by entry; none: the texts alone say what a message is.
    const std::vector<PoMarks>* marks = nullptr;
};

// What a catalogue's header says besides its texts.
struct PoHeader {
    std::string language;  // "fr"; "" for none
    std::string date;      // POT-Creation-Date and PO-Revision-Date, as PoDate writes them
    std::string generator; // the program and its version
    std::string source;    // X-Source: what msgids were taken from, as the user named it
    std::string target;    // X-Target: what msgstrs were taken from; "" for none
    std::string project;   // X-Project: the project the marks come from; "" for none
};

// The language code of the catalogue for a language block of the text archive (0 EN .. 5 PO),
// "" outside them.
std::string PoLanguageCode(int languageBlock);
// The prefix of the items of a language block ("EN" .. "PO"), as --from and --to take it.
std::string PoLanguagePrefix(int languageBlock);
// The language block of a code as users write it ("FR", "fr"), -1 for none.
int PoLanguageBlock(const std::string& name);

// A date as gettext's tools write it in a header: "2025-03-01 14:05+0100", the time when (in
// seconds since 1970, UTC) in a zone offsetMinutes east of UTC.
std::string PoDate(std::int64_t when, int offsetMinutes);

// The context of entry (counted from 0) of a bank: "12" (as the editor numbers it, from 1),
// "41:12" with the archive's item.
std::string PoContext(int item, int entry);

// A catalogue as written, and the entries left out of it.
struct PoCatalogueText {
    std::string text;
    int emptySources = 0; // entries whose source is empty: they have no message
};

// The whole PO text: a header (UTF-8, and what header says) and one message per entry of each
// bank's source that holds text, texts in the letters of tables.ShownCharacterSet (display
// form through a loaded remapping table), ZYN 2 types by code and name ("#. type 33: Radio").
// An entry whose source is empty is left out (and import leaves it as it is): gettext's tools
// and lconvert take every message with an empty msgid for the header. An entry whose
// translation has a line break at one end where the source has none (or the reverse) is marked
// fuzzy with a comment saying why, since gettext's checks refuse such a pair. With a memory, an
// untranslated entry whose text the memory holds takes its first translation, marked fuzzy with
// a comment naming where it came from (MemoryComment).
PoCatalogueText WritePoCatalogue(const std::vector<PoBank>& banks, const CharacterTables& tables,
                                 const PoHeader& header, const TranslationMemory* memory = nullptr);

// "# From the translation memory: FR_000.DIA, entry 7; the memory holds 1 other translation of
// this text.": where the first of translations came from.
std::string MemoryComment(const std::vector<Suggestion>& translations);

// The extracted comment of a reviewed entry: "#. reviewed".
inline constexpr std::string_view PoReviewedComment = "reviewed";

// A message's note: its translator comments, lines joined by '\n', without the lines export
// writes itself (why it marked a message fuzzy, where the memory's translation came from).
std::string PoNoteOf(const PoEntry& entry);
// Whether the message says its entry is reviewed ("#. reviewed").
bool PoSaysReviewed(const PoEntry& entry);
// Whether the message is fuzzy by a person's or a tool's word, not only by export's own mark of
// a line break at one end.
bool PoFuzzyBySomeone(const PoEntry& entry);

// What a reference or a text named to the tool is matched by: the file name without its
// folders, and the item ("/game/text.hqr:39" and "text.hqr:39" give "text.hqr:39"), so that a
// copied folder still matches.
std::string PoReferenceKey(std::string_view name);

// A PO string literal: quotes, escapes, and one line per line break when it holds several.
std::string PoQuoted(const std::string& keyword, const std::string& text);

// Where a catalogue's translations go.
struct PoTarget {
    TextDocument* document = nullptr;
    int item = -1; // the item contexts name, -1 for a single file
    // The text msgids were taken from: a message that would change an entry must have that
    // entry's text as msgid. None: not checked.
    const TextDocument* source = nullptr;
    // The PoReferenceKey of each name a message's references may give; none: not checked.
    std::vector<std::string> references;
};

// What an import made of one message.
enum class PoOutcome {
    Changed,      // its translation is now the entry's text
    Unchanged,    // the entry held its translation already
    Untranslated, // msgstr is empty
    FuzzySkipped, // fuzzy, and fuzzy messages were not taken
    EmptySource,  // msgid is empty: the entry stays as it is
};

// A message refused, or a check --force wrote past.
struct PoProblem {
    std::string context; // the message's; "" for the catalogue as a whole
    std::size_t line = 0;
    std::string reason;
    bool overridable = false; // --force writes it anyway
};

struct PoApplyOptions {
    bool takeFuzzy = false; // fuzzy messages are written too
    bool force = false;     // overridable problems are written past instead of refused
    // Stand-ins for characters the character set lacks; none: such a character is refused.
    const Substitutions* substitutions = nullptr;
};

// Where a message went, beside its outcome.
struct PoPlace {
    int item = -1;      // the item of its target, as PoTarget names it
    int entry = -1;     // counted from 0
    bool holds = false; // the entry holds the message's translation after the import
};

struct PoApplied {
    std::vector<PoOutcome> outcomes;   // what became of each message, in the order of entries
    std::vector<PoPlace> places;       // beside outcomes
    std::vector<PoProblem> refused;    // when any, no target was changed
    std::vector<PoProblem> overridden; // the checks force wrote past
    // Each message written with stand-ins, the reason naming them: "œ → oe, ’ → '".
    std::vector<PoProblem> substituted;
};

// Writes the non-empty translations of entries into the targets (fuzzy ones only when
// takeFuzzy), after checking every message. Texts are compared and written in their composed
// form (NFC), so a catalogue in decomposed letters imports as its composed form does, and an
// entry whose text is already the translation's keeps its bytes. A message whose msgid is empty
// is not written: an entry without a source has no message. Refused outright: a context naming
// no entry of a target, two messages naming one entry, a plural message, a translation (fuzzy or
// not) that holds a PO header's fields or a conflict block of msgcat (FindToolLeftover), a
// character the character set or remapping table cannot write, and a bank whose text data would
// pass the file limit. Refused unless forced: a message taken whose references name none of its
// target's names (a reference naming the file alone matches the target's file; the entry then
// comes from the context alone), a
// translation with a line break at one end where its msgid has none (or the reverse), as
// gettext's checks refuse it, and a message that would change an entry whose source text is no
// longer its msgid. Every problem is listed; when any is refused no target is changed.
PoApplied ApplyPoEntries(const std::vector<PoEntry>& entries, std::vector<PoTarget>& targets,
                         const CharacterTables& tables, const PoApplyOptions& options);

// The lines that list problems for a person, at most limit of them and then a line counting
// the rest: "context "12", line 40: the source changed since the export; export again and
// merge". Characters that show nothing are named (VisibleText).
std::vector<std::string> PoProblemLines(const std::vector<PoProblem>& problems, std::size_t limit);

} // namespace zyn
