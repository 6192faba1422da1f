#pragma once

// The character remapping table (game code -> display code, loaded from a ".cmp" or ".set"
// file) and the keyboard group table (typed code -> game code). One of each for the program.

#include "characters/charactersets.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zyn {

using RemapSlots = std::array<std::optional<std::uint8_t>, 256>;

struct CharacterTables {
    // Slot k: the display code that shows game code k. All empty until a file is loaded, all
    // filled after; nothing empties them again.
    RemapSlots RemapTable{};
    bool RemapLoaded = false;

    std::array<std::uint8_t, 256> KeybTable{}; // consulted only while KeybActive
    bool KeybActive = false;

    // The character set texts are read in (the selector's choice, or the tool's --charset),
    // which names characters in messages; none: they are named by their code.
    const CharacterSet* ShownCharacterSet = nullptr;
};

} // namespace zyn
