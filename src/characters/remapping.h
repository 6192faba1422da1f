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

// The display form: each code k replaced by slot k where that slot is filled.
std::string RemapText(const CharacterTables& tables, std::string_view text);

// The game code for a display character: with reverse on, the lowest slot holding it (0 when
// none does); with reverse off, the character's own code.
std::uint8_t UnmapChar(const CharacterTables& tables, std::uint8_t display, bool reverse);

// The lowest index whose slot equals c; 0 when none does.
std::uint8_t FindInTable(const RemapSlots& table, std::uint8_t c);

// RemapText for every code at once: game code -> display code.
ByteMap DisplayCodeMap(const CharacterTables& tables);

// UnmapChar with reverse on for every code: display code -> the game code a save stores. None
// while no table is loaded, when texts are stored as they are.
std::optional<ByteMap> GameCodeMap(const CharacterTables& tables);

} // namespace zyn
