#pragma once

// The entry types of ZYN 2 texts: the Type menu item, caption, background picture and text
// colour of each known type code. Plain data, so that the tool names types as the editor does.

#include <array>
#include <cstdint>
#include <string>

namespace zyn {

struct EntryTypeInfo {
    std::uint8_t code;
    const char* menuName; // object name of the Type menu item
    const char* caption;
    int picture;         // background picture shown behind entries of this type
    std::uint32_t color; // red + 256 x green + 65536 x blue
};

// In the order of the Type menu.
inline constexpr std::array<EntryTypeInfo, 9> EntryTypes{{
    {1, "mnuTypeNormal", "00&1: Normal", 5000, 13149284},
    {3, "mnuTypeBigFrame", "00&3: Big Frame", 1000, 13107364},
    {5, "mnuTypeNoBig", "00&5: No Frame, Big Picture", 6000, 42084},
    {9, "mnuTypeNoFrame", "00&9: No Frame", 5000, 13107200},
    {17, "mnuTypeHolomap", "01&7: Holomap Locations", 3000, 51200},
    {33, "mnuTypeRadio", "&033: Radio", 5000, 200},
    {35, "mnuTypeRadioBig", "035: &Radio, Big Frame", 1000, 12583112},
    {65, "mnuTypeInventory", "0&65: Inventory Description", 1000, 25764},
    {129, "mnuTypeDemo", "1&29: Demo Text", 4000, 16777215},
}};

// Grey, for type codes the games do not define.
inline constexpr std::uint32_t UnknownTypeColor = 10790052;

// The table row of a type code, or nullptr when the code is not one of the nine.
const EntryTypeInfo* findEntryType(std::uint8_t code);

// The text colour of an entry type.
std::uint32_t GetForeColorA(std::uint8_t type);

// The name of a type as its menu item reads without code and access key ("Radio, Big Frame"
// for 35); "" for a code that is not one of the nine.
std::string EntryTypeName(std::uint8_t code);

} // namespace zyn
