#pragma once

// Remapping files and the routines that apply the table.
//
// ".cmp": 256 bytes, byte k is the display code of game code k.
// ".set": 255 bytes read one position earlier, byte k - 1 is the display code of game code k;
//         game code 0 always shows as 0.

#include "characters/charactertables.h"
#include "document/filesystem.h"
#include "document/result.h"
#include "document/textdocument.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zyn {

// A name whose last three letters, upper-cased, are "SET" is a ".set" file; any other is ".cmp".
bool IsSetFileName(const std::string& path);

// Loads the whole table from path and sets RemapLoaded. A missing, unreadable or too short file
// is refused with a message and leaves the tables exactly as they were.
Status LoadRemapping(CharacterTables& tables, FileSystem& fs, const std::string& path,
                     bool setFormat);

// The table from a file's bytes, or nullopt when they are too few.
std::optional<RemapSlots> ParseRemapping(std::string_view bytes, bool setFormat);

// The display form: each code k replaced by slot k where that slot is filled. A line break
// (CR LF) is no character of the table and stays a line break whatever the table does with
// codes 13 and 10.
std::string RemapText(const CharacterTables& tables, std::string_view text);

// The game codes of a text in display form: each character by reverse lookup (the lowest slot
// holding it), line breaks kept. Stops at the first character that no slot holds, which a
// save must refuse rather than write as code 0.
struct UnmappedText {
    std::string text;
    std::optional<std::uint8_t> missing;
};
UnmappedText UnmapText(const CharacterTables& tables, std::string_view display);

// A display code for messages: its letter in tables.ShownCharacterSet and its number, or U+00nn
// when no set is chosen.
std::string DescribeDisplayCode(const CharacterTables& tables, std::uint8_t code);

// The game code for a display character: with reverse on, the lowest slot holding it (0 when
// none does); with reverse off, the character's own code.
std::uint8_t UnmapChar(const CharacterTables& tables, std::uint8_t display, bool reverse);

// The lowest index whose slot equals c; 0 when none does.
std::uint8_t FindInTable(const RemapSlots& table, std::uint8_t c);

// Entry i as the user sees and edits it: in display form while a table is loaded.
std::string ShownText(const TextDocument& doc, const CharacterTables& tables, int i);

// The commit of text handed back by the string editor into entry i. It is compared with the
// text the editor was opened on, never with the stored codes: with a table loaded the two are
// in different forms, and a table that shows two codes as one character would make an unchanged
// text look changed. True when the entry took the text (the caller then sets Modified).
bool CommitEditedText(TextDocument& doc, const CharacterTables& tables, int i,
                      const std::string& edited);

// "&Convert...": every entry of the document (end slot included) that still holds game codes is
// rewritten into its display form and marked DisplayForm. Modified is left alone.
void ConvertToDisplayForm(TextDocument& doc, const CharacterTables& tables);

// A one- or two-character value string as a little-endian number (first character low byte).
int chr2sval(std::string_view value);
// The inverse for 0 to 65535: one character below 256, else low byte then high byte.
std::string sval2chr(int value);

} // namespace zyn
