#pragma once

// The JSON form of a text file, as "zyntext dump" prints it and "zyntext build" reads it:
//   {"game": 1|2, "header": bool, "mode": M, "slots": S,
//    "entries": [{"type": T, "text": "..."}, ...]}
// Each byte of a text is the Unicode character of the same number (U+0000 to U+00FF), so the
// form is lossless; line breaks are in memory form ("\r\n"). With a character set (--charset)
// the texts are that set's letters instead, line breaks "\n".

#include "base/result.h"
#include "characters/charactertables.h"
#include "characters/substitutions.h"
#include "document/textdocument.h"

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace zyn::cli {

// The dump of a document; texts in display form when the tables hold a remapping, in the letters
// of tables.ShownCharacterSet when there is one.
nlohmann::ordered_json DocumentToJson(const TextDocument& doc, const CharacterTables& tables);

// An entry's text as a JSON string, quotes included, in the dump's form: in display form when
// the tables hold a remapping, in the letters of tables.ShownCharacterSet when there is one,
// and without one with every character beyond ASCII escaped, so that none is invisible.
std::string EntryTextJson(const std::string& codes, const CharacterTables& tables);

// An entry's text as a string, in the dump's form.
std::string EntryText(const std::string& codes, const CharacterTables& tables);

// What check, diff and po import print with --json: one document
//   {"findings": [{"item": 31, "entry": 12, "kind": "...", "message": "..."}, ...],
//    "counts": {...}}
// item as the archive numbers it (from 0; null for a loose file), entry as the editor numbers
// it (from 1; null for what concerns a whole file), as ARCHIVE:N and the editor count them.
// entry is counted from 0 here, -1 (and item -1) for none.
nlohmann::ordered_json FindingJson(int item, int entry, const std::string& kind,
                                   const std::string& message);
std::string FindingsJson(nlohmann::ordered_json findings, nlohmann::ordered_json counts);

// Fills the entries, types, SlotCount and IsVersion2 of doc from JSON of the dump's form; only
// "game" and "entries" are read, and "type" defaults to 1 for ZYN 2. name stands for the JSON's
// source in messages; texts are read in the letters of set when there is one. A character the
// texts cannot hold is refused, naming the entry as the editor numbers it, unless (with a set)
// substitutions give it a stand-in the set has codes for; substituted then gets a line for each
// entry written with stand-ins ("entry 12: œ → oe"). On failure doc is left as it was.
Status JsonToDocument(std::string_view json, const std::string& name, TextDocument& doc,
                      const CharacterSet* set = nullptr,
                      const Substitutions* substitutions = nullptr,
                      std::vector<std::string>* substituted = nullptr);

// Bytes as UTF-8, each byte the character of the same number.
std::string BytesToUtf8(std::string_view bytes);

} // namespace zyn::cli
