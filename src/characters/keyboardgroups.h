#pragma once

// Keyboard groups: fixed translations from a typed 8-bit code (in the typing code page) to the
// games' font codes, chosen in the main window's "&KeybGroups" menu.

#include "characters/charactertables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zyn {

// Letters types each character as the code the chosen character set shows it as; the table
// passes every code, as None's does. The others read a typed code of their code page.
enum class KeyboardGroup { None, West, SloCze, Greek, Hebrew, RusUkr, SweNor, Letters };

// The group's name where it is remembered between runs ("west"); null for no group.
const char* KeyboardGroupName(KeyboardGroup group);
// The group of that name, or none.
std::optional<KeyboardGroup> FindKeyboardGroup(std::string_view name);

// The group's whole table: codes 0 to 127 pass, codes from 128 up give 63 ("?") unless the group
// names them. None is the identity.
std::array<std::uint8_t, 256> KeyboardGroupTable(KeyboardGroup group);

// Fills KeybTable and sets KeybActive (false for None and Letters).
void SelectKeyboardGroup(CharacterTables& tables, KeyboardGroup group);

// A typed code through the active group, then through the remapping table when one is loaded.
// 0 means the key is discarded.
std::uint8_t TranslateKey(const CharacterTables& tables, std::uint8_t typed);

} // namespace zyn
