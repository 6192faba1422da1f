#include "characters/keyboardgroups.h"

#include <cstddef>

namespace zyn {

namespace {

using KeyTable = std::array<std::uint8_t, 256>;

struct KeyEntry {
    std::uint8_t typed;
    std::uint8_t game;
};

// Typed codes are in windows-1252; the games' font keeps its own codes for the letters.
constexpr KeyEntry WestEntries[] = {
    {128, 190}, {138, 83},  {140, 181}, {153, 191}, {154, 115}, {156, 180}, {161, 173}, {169, 189},
    {186, 248}, {191, 168}, {192, 182}, {193, 181}, {194, 180}, {195, 199}, {196, 142}, {197, 65},
    {198, 146}, {199, 128}, {200, 69},  {201, 144}, {202, 69},  {203, 69},  {204, 73},  {205, 73},
    {206, 73},  {207, 73},  {208, 68},  {209, 165}, {210, 79},  {211, 79},  {212, 79},  {213, 184},
    {214, 153}, {215, 42},  {216, 79},  {217, 85},  {218, 85},  {219, 85},  {220, 154}, {221, 89},
    {222, 84},  {223, 225}, {224, 133}, {225, 160}, {226, 131}, {227, 198}, {228, 132}, {229, 97},
    {230, 145}, {231, 135}, {232, 138}, {233, 130}, {234, 136}, {235, 137}, {236, 141}, {237, 161},
    {238, 140}, {239, 141}, {240, 100}, {241, 164}, {242, 149}, {243, 162}, {244, 147}, {245, 228},
    {246, 148}, {247, 47},  {248, 111}, {249, 151}, {250, 163}, {251, 150}, {252, 129}, {253, 121},
    {254, 116}, {255, 152},
};

// The Western table with the Scandinavian letters given codes of their own.
constexpr KeyEntry SweNorChanges[] = {
    {197, 143},
    {216, 155},
    {229, 134},
    {248, 152},
};

// Typed codes are in windows-1250.
constexpr KeyEntry SloCzeEntries[] = {
    {128, 190}, {138, 155}, {140, 83},  {141, 134}, {142, 146}, {143, 90},  {153, 191}, {154, 168},
    {156, 115}, {157, 159}, {158, 145}, {159, 122}, {169, 189}, {192, 171}, {193, 143}, {194, 65},
    {195, 65},  {196, 142}, {197, 138}, {198, 183}, {199, 67},  {200, 128}, {201, 144}, {202, 69},
    {203, 69},  {204, 137}, {205, 139}, {206, 73},  {207, 73},  {208, 184}, {209, 78},  {210, 165},
    {211, 149}, {212, 167}, {213, 79},  {214, 153}, {215, 42},  {216, 158}, {217, 166}, {218, 151},
    {219, 85},  {220, 154}, {221, 157}, {222, 84},  {223, 225}, {224, 170}, {225, 160}, {226, 97},
    {227, 97},  {228, 132}, {229, 141}, {230, 176}, {231, 99},  {232, 135}, {233, 130}, {234, 101},
    {235, 101}, {236, 136}, {237, 161}, {238, 105}, {239, 105}, {240, 177}, {241, 110}, {242, 164},
    {243, 162}, {244, 147}, {245, 111}, {246, 148}, {247, 47},  {248, 169}, {249, 150}, {250, 163},
    {251, 117}, {252, 129}, {253, 152}, {254, 116}, {255, 39},
};

// Typed codes are in windows-1253.
constexpr KeyEntry GreekSingles[] = {
    {162, 176}, {184, 177}, {185, 178}, {186, 179}, {188, 180}, {190, 181}, {191, 182},
    {192, 139}, {210, 198}, {218, 192}, {219, 193}, {224, 183}, {242, 197}, {255, 199},
};

// Typed codes first to last become typed code minus offset.
struct KeyRange {
    std::uint8_t first;
    std::uint8_t last;
    std::uint8_t offset;
};

constexpr KeyRange GreekRanges[] = {
    {193, 209, 65}, {211, 217, 66}, {220, 223, 136}, {225, 241, 73},
    {243, 249, 74}, {250, 251, 56}, {252, 254, 64},
};

// Hebrew (windows-1255) and Cyrillic (windows-1251) letters keep their order.
constexpr KeyRange HebrewRanges[] = {{192, 218, 64}};
constexpr KeyRange RusUkrRanges[] = {{192, 255, 64}};

constexpr std::uint8_t Unknown = 63; // "?"

KeyTable identityTable() {
    KeyTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>(i);
    return table;
}

// ASCII and control codes pass; every code from 128 up is unknown until the group names it.
KeyTable baseTable() {
    KeyTable table = identityTable();
    for (std::size_t i = 128; i < table.size(); ++i)
        table[i] = Unknown;
    return table;
}

template <std::size_t N> void apply(KeyTable& table, const KeyEntry (&entries)[N]) {
    for (const KeyEntry& e : entries)
        table[e.typed] = e.game;
}

template <std::size_t N> void apply(KeyTable& table, const KeyRange (&ranges)[N]) {
    for (const KeyRange& r : ranges)
        for (int t = r.first; t <= r.last; ++t)
            table[static_cast<std::size_t>(t)] = static_cast<std::uint8_t>(t - r.offset);
}

} // namespace

std::array<std::uint8_t, 256> KeyboardGroupTable(KeyboardGroup group) {
    if (group == KeyboardGroup::None || group == KeyboardGroup::Letters)
        return identityTable();
    KeyTable table = baseTable();
    switch (group) {
    case KeyboardGroup::None:
    case KeyboardGroup::Letters:
        break;
    case KeyboardGroup::West:
        apply(table, WestEntries);
        break;
    case KeyboardGroup::SweNor:
        apply(table, WestEntries);
        apply(table, SweNorChanges);
        break;
    case KeyboardGroup::SloCze:
        apply(table, SloCzeEntries);
        break;
    case KeyboardGroup::Greek:
        apply(table, GreekSingles);
        apply(table, GreekRanges);
        break;
    case KeyboardGroup::Hebrew:
        apply(table, HebrewRanges);
        break;
    case KeyboardGroup::RusUkr:
        apply(table, RusUkrRanges);
        break;
    }
    return table;
}

const char* KeyboardGroupName(KeyboardGroup group) {
    // Every group has a case, so a new one cannot be left without a name.
    switch (group) {
    case KeyboardGroup::None:
        return "none";
    case KeyboardGroup::West:
        return "west";
    case KeyboardGroup::SloCze:
        return "slo-cze";
    case KeyboardGroup::Greek:
        return "greek";
    case KeyboardGroup::Hebrew:
        return "hebrew";
    case KeyboardGroup::RusUkr:
        return "rus-ukr";
    case KeyboardGroup::SweNor:
        return "swe-nor";
    case KeyboardGroup::Letters:
        return "letters";
    }
    return nullptr;
}

std::optional<KeyboardGroup> FindKeyboardGroup(std::string_view name) {
    // The groups are numbered from 0 without gaps.
    for (int i = 0;; ++i) {
        const auto group = static_cast<KeyboardGroup>(i);
        const char* known = KeyboardGroupName(group);
        if (!known)
            return std::nullopt;
        if (name == known)
            return group;
    }
}

void SelectKeyboardGroup(CharacterTables& tables, KeyboardGroup group) {
    tables.KeybTable = KeyboardGroupTable(group);
    tables.KeybActive = group != KeyboardGroup::None && group != KeyboardGroup::Letters;
}

std::uint8_t TranslateKey(const CharacterTables& tables, std::uint8_t typed) {
    const std::uint8_t k = tables.KeybActive ? tables.KeybTable[typed] : typed;
    if (tables.RemapLoaded && tables.RemapTable[k])
        return *tables.RemapTable[k];
    return k;
}

} // namespace zyn
