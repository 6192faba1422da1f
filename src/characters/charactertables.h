#pragma once

// The character remapping table (game code -> display code, loaded from a ".cmp" or ".set"
// file) and the keyboard group table (typed code -> game code). One of each for the program.

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
};

} // namespace zyn
