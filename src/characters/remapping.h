#pragma once

// Remapping files and the routines that apply the table.
//
// ".cmp": 256 bytes, byte k is the display code of game code k.
// ".set": 255 bytes read one position earlier, byte k - 1 is the display code of game code k;
//         game code 0 always shows as 0.

#include "base/bytes.h"
#include "base/filesystem.h"
#include "base/result.h"
#include "characters/charactertables.h"

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
// holding it), line breaks kept. Stops at the first character that no slot holds, or that slot
// 0 holds along with others, which a save must refuse rather than write as code 0: that ends
// the entry in the game and cuts off the rest (a table of zeros would turn every text into
// such codes). A character that slot 0 alone holds gives back the code 0 it showed.
struct UnmappedText {
    std::string text;
    std::optional<std::uint8_t> missing;
    bool toZero = false; // missing is held by slot 0 and others
};
// Why a save refuses unmapped.missing: ", which no slot of the character remapping table
// holds" or ", which the character remapping table maps back to code 0 (the end of an
// entry)".
std::string UnmappableReason(const UnmappedText& unmapped);
UnmappedText UnmapText(const CharacterTables& tables, std::string_view display);

// A display code for messages: its letter in tables.ShownCharacterSet and its number, or U+00nn
// when no set is chosen.
std::string DescribeDisplayCode(const CharacterTables& tables, std::uint8_t code);

// The game code for a display character: with reverse on, the lowest slot holding it (0 when
// none does); with reverse off, the character's own code.
std::uint8_t UnmapChar(const CharacterTables& tables, std::uint8_t display, bool reverse);

// The lowest index whose slot equals c; 0 when none does.
std::uint8_t FindInTable(const RemapSlots& table, std::uint8_t c);

// RemapText for every code at once: game code -> display code.
ByteMap DisplayCodeMap(const CharacterTables& tables);

// How a save maps texts in display form back to game codes: UnmapText, refusing a character
// that no slot holds with a message naming the entry and the character. None while no table is
// loaded, when texts are stored as they are.
TextMapper GameCodeMap(const CharacterTables& tables);

} // namespace zyn
