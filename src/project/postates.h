#pragma once

// A project's states and notes carried through gettext PO: what an export writes of each entry
// beyond its texts, and what an import makes of each message's marks.
//
// Export: needs review is "#, fuzzy", the note translator comments ("# " lines), a text kept as
// translated where it equals its source msgstr = msgid, reviewed as translated with a
// "#. reviewed" comment; the header names the project ("X-Project"), so that an import knows
// the file speaks for the states and notes.
//
// Import of a catalogue that names a project: each message decides its entry's note (added,
// changed or removed in a PO editor) and its state:
//   - a translation taken (not fuzzy): translated; reviewed when the entry held that text
//     already and the message or the project says reviewed (msgmerge drops "#." comments, and
//     a PO editor cannot set them);
//   - a fuzzy translation, taken with --fuzzy or holding the entry's text already: needs
//     review; a fuzzy text not taken and not the entry's leaves the state as it was (a memory's
//     suggestion, a merge's guess), as does export's own fuzzy mark of a line break at one end;
//   - an empty msgstr: untranslated where the entry is empty or holds its source; an entry with
//     a translation keeps it and its state, since import never empties an entry.
// A catalogue that names no project (exported before, or without one) says nothing of notes
// and states: only an entry whose text the import changed takes a state, translated or (fuzzy)
// needs review. The record's source hash is the source's at the import, where a state is given.

#include "flows/pocatalog.h"
#include "project/translationproject.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// The marks of each entry of a bank, its texts as codes: PoBank::marks.
std::vector<PoMarks> PoMarksOf(const std::vector<std::string>& source,
                               const std::vector<std::string>& target, const BankRecords* records);

// What one imported message says of its entry.
struct ImportedMessage {
    PoOutcome outcome = PoOutcome::Untranslated;
    bool holds = false;    // the entry holds the message's translation after the import
    bool fuzzy = false;    // PoFuzzyBySomeone
    bool reviewed = false; // PoSaysReviewed
    std::string note;      // PoNoteOf
};

ImportedMessage ImportedMessageOf(const PoEntry& entry, PoOutcome outcome, const PoPlace& place);

// The entry's record after the message; source and target are its texts after the import.
// withProject: the catalogue names a project, so its notes and states are the file's.
std::optional<EntryRecord> ImportedRecord(const EntryRecord* record, std::string_view source,
                                          std::string_view target, const ImportedMessage& message,
                                          bool withProject);

} // namespace zyn
