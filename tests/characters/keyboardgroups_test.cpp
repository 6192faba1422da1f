#include "characters/keyboardgroups.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using G = KeyboardGroup;

TEST(KeyboardGroupTable, ExampleCodes) {
    struct Case {
        G group;
        int typed;
        int game;
    };
    const Case cases[] = {
        {G::West, 233, 130},  {G::West, 138, 83},    {G::West, 215, 42},    {G::West, 247, 47},
        {G::West, 130, 63},   {G::SweNor, 248, 152}, {G::SweNor, 255, 152}, {G::SloCze, 200, 128},
        {G::SloCze, 255, 39}, {G::Greek, 193, 128},  {G::Greek, 209, 144},  {G::Greek, 220, 84},
        {G::Greek, 255, 199}, {G::Greek, 191, 182},  {G::Greek, 187, 63},   {G::Hebrew, 218, 154},
        {G::Hebrew, 219, 63}, {G::RusUkr, 192, 128}, {G::RusUkr, 255, 191}, {G::RusUkr, 168, 63},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyboardGroupTable(c.group)[c.typed], c.game)
            << "group " << static_cast<int>(c.group) << ", typed " << c.typed;
}

TEST(KeyboardGroupTable, EachGroupNamesItsEntriesAndPassesAscii) {
    struct Case {
        G group;
        int entries; // codes from 128 up that do not give "?"
    };
    for (const Case c : {Case{G::West, 74}, Case{G::SweNor, 74}, Case{G::SloCze, 77},
                         Case{G::Greek, 71}, Case{G::Hebrew, 27}, Case{G::RusUkr, 64}}) {
        const auto table = KeyboardGroupTable(c.group);
        int entries = 0;
        for (int typed = 0; typed < 256; ++typed) {
            if (typed < 128) {
                EXPECT_EQ(table[typed], typed) << "group " << static_cast<int>(c.group);
            } else if (table[typed] != 63) {
                ++entries;
            }
        }
        EXPECT_EQ(entries, c.entries) << "group " << static_cast<int>(c.group);
    }
    const auto west = KeyboardGroupTable(G::West);
    const auto sweNor = KeyboardGroupTable(G::SweNor);
    for (int typed = 0; typed < 256; ++typed) {
        const bool scandinavian = typed == 197 || typed == 216 || typed == 229 || typed == 248;
        EXPECT_EQ(west[typed] != sweNor[typed], scandinavian) << "typed " << typed;
    }
}

// FNV-1a over the whole table, taken when each table was checked entry by entry against the
// group lists: any later edit of an entry shows here.
TEST(KeyboardGroupTable, TablesAreUnchanged) {
    struct Case {
        G group;
        std::uint32_t fingerprint;
    };
    for (const Case c :
         {Case{G::West, 0xc94a9073}, Case{G::SweNor, 0x414af99b}, Case{G::SloCze, 0x041a6269},
          Case{G::Greek, 0x1fac174e}, Case{G::Hebrew, 0x728d3ee1}, Case{G::RusUkr, 0x5e7214c5}}) {
        std::uint32_t hash = 2166136261u;
        for (std::uint8_t game : KeyboardGroupTable(c.group))
            hash = (hash ^ game) * 16777619u;
        EXPECT_EQ(hash, c.fingerprint) << "group " << static_cast<int>(c.group);
    }
}

TEST(TranslateKey, GroupComesFirstThenTheRemappingTable) {
    CharacterTables tables;
    for (int typed : {8, 13, 65, 233})
        EXPECT_EQ(TranslateKey(tables, typed), typed);
    SelectKeyboardGroup(tables, G::West);
    EXPECT_TRUE(tables.KeybActive);
    EXPECT_EQ(TranslateKey(tables, 233), 130);

    for (int k = 0; k < 256; ++k)
        tables.RemapTable[k] = static_cast<std::uint8_t>(k);
    tables.RemapTable[130] = 200; // é's game code shows as 200
    tables.RemapTable[8] = 127;   // backspace becomes another key
    tables.RemapTable['q'] = 0;   // and q is swallowed
    tables.RemapLoaded = true;
    EXPECT_EQ(TranslateKey(tables, 233), 200);
    EXPECT_EQ(TranslateKey(tables, 8), 127);
    EXPECT_EQ(TranslateKey(tables, 'q'), 0);

    SelectKeyboardGroup(tables, G::None);
    EXPECT_FALSE(tables.KeybActive);
    EXPECT_EQ(TranslateKey(tables, 130), 200);
    EXPECT_EQ(TranslateKey(tables, 233), 233);
}

} // namespace
} // namespace zyn
