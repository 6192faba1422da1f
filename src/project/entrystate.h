#pragma once

// The rules of an entry's state, as pure functions of its texts and its record, so that the
// entry list, the check, the PO export and the counts all give an entry the same state.
//
// A record whose source has changed since (its hash differs) is left as it is: it reads as
// needs review, and its hash stays that of the old source until the translator takes the entry
// again. The project holds no source text, only its hash, so the old source can be shown when
// a text of that hash is at hand (the memory's sources, an older archive, a PO file's msgids):
// `FindSourceByHash`. Keeping every source in the project would make it a second copy of the
// archive.

#include "document/untranslated.h"
#include "project/translationproject.h"

#include <optional>
#include <string_view>
#include <vector>

namespace zyn {

// The state an entry shows. Without a record, or with one saying untranslated (one kept for its
// note), the texts decide; an empty target is untranslated whatever the record says; otherwise
// the record's state, read as needs review when the source is no longer the one it was given
// for.
EntryState StateOf(std::string_view source, std::string_view target, const EntryRecord* record);

// Whether the record was given for another source text than source.
bool SourceChanged(const EntryRecord& record, std::string_view source);

// What each step of the translator makes of the record (nullptr: none yet). Each gives the
// record the current source's hash and keeps its note; nothing means no record is needed.

// The text taken as it is (Ctrl+Enter): translated, even when it equals the source.
EntryRecord KeptAsTranslated(const EntryRecord* record, std::string_view source);
// A text put in from the memory, by hand or by Fill from memory: needs review.
EntryRecord PutFromMemory(const EntryRecord* record, std::string_view source);
// Reviewed, or back to translated when it was reviewed.
EntryRecord ToggledReviewed(const EntryRecord* record, std::string_view source,
                            std::string_view target);
// The text edited by hand: a reviewed text is no longer reviewed; an emptied one untranslated.
std::optional<EntryRecord> AfterEdit(const EntryRecord* record, std::string_view source,
                                     std::string_view target);
// The note set ("" removes it). A record that says no more than the texts do is not kept.
std::optional<EntryRecord> WithNote(const EntryRecord* record, std::string_view source,
                                    std::string_view target, std::string note);

// The first of candidates whose hash is hash: the old source of a record, when one is at hand.
std::optional<std::string_view> FindSourceByHash(std::uint32_t hash,
                                                 const std::vector<std::string_view>& candidates);

} // namespace zyn
