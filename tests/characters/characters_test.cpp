#include "characters/keyboardgroups.h"
#include "characters/remapping.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace zyn::test {
namespace {

using G = KeyboardGroup;

// The game code each group gives for the typed codes 128 to 255; typed codes below 128 pass
// unchanged in every group.
TEST(KeyboardGroupTable, EveryGroupGivesTheListedGameCodes) {
    const char* west = "be3f3f3f3f3f3f3f3f3f533fb53f3f3f3f3f3f3f3f3f3f3f3fbf733fb43f3f3f"
                       "3fad3f3f3f3f3f3f3fbd3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3ff83f3f3f3fa8"
                       "b6b5b4c78e419280459045454949494944a54f4f4fb8992a4f5555559a5954e1"
                       "85a083c6846191878a8288898da18c8d64a495a293e4942f6f97a39681797498";
    // Swedish and Norwegian give their ring and slashed letters codes of their own.
    const std::map<int, int> sweNor = {{0xC5, 0x8F}, {0xD8, 0x9B}, {0xE5, 0x86}, {0xF8, 0x98}};
    const struct {
        G group;
        const char* name;
        const char* codes; // two hex digits a code, 32 codes a line
        // Without a list, the letters from first to last keep their order from game code 128 on,
        // and any other code is "?".
        int first = 0, last = 0;
    } tables[] = {
        {G::West, "West", west},
        {G::SweNor, "SweNor", west},
        {G::SloCze, "SloCze",
         "be3f3f3f3f3f3f3f3f3f9b3f5386925a3f3f3f3f3f3f3f3f3fbfa83f739f917a"
         "3f3f3f3f3f3f3f3f3fbd3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f"
         "ab8f41418e8ab74380904545898b4949b84ea595a74f992a9ea697559a9d54e1"
         "aaa06161848db0638782656588a16969b16ea4a2936f942fa996a37581987427"},
        {G::Greek, "Greek",
         "3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f"
         "3f3fb03f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3f3fb1b2b33fb43fb5b6"
         "8b808182838485868788898a8b8c8d8e8f90c691929394959697c0c154555657"
         "b798999a9b9c9d9e9fa0a1a2a3a4a5a6a7a8c5a9aaabacadaeafc2c3bcbdbec7"},
        {G::Hebrew, "Hebrew", nullptr, 0xC0, 0xDA},
        {G::RusUkr, "RusUkr", nullptr, 0xC0, 0xFF},
    };
    for (const auto& t : tables) {
        const auto table = KeyboardGroupTable(t.group);
        for (int typed = 0; typed < 256; ++typed) {
            int game = typed;
            if (typed >= 128 && t.codes)
                game = std::stoi(std::string(t.codes + 2 * (typed - 128), 2), nullptr, 16);
            else if (typed >= 128)
                game = typed >= t.first && typed <= t.last ? typed - t.first + 128 : '?';
            if (t.group == G::SweNor && sweNor.contains(typed))
                game = sweNor.at(typed);
            EXPECT_EQ(table[static_cast<std::size_t>(typed)], game)
                << t.name << ": typed code " << typed;
        }
    }
}

// Byte i is 255 - i: every slot differs from its neighbours and from its own code.
std::string descendingBytes(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>(255 - (i & 0xFF)));
    return bytes;
}

CharacterTables loadedWith(std::string bytes) {
    CharacterTables tables;
    tables.RemapTable = ParseRemapping(bytes, false).value();
    tables.RemapLoaded = true;
    return tables;
}

TEST(LoadRemapping, ASetFileStartsOneCodeLaterThanACmpFileAndARefusedOneChangesNothing) {
    TempDir dir;
    const std::string tail(44, '\x07');
    CharacterTables cmp, set;
    ASSERT_TRUE(LoadRemapping(cmp, realFileSystem(),
                              dir.write("a.cmp", descendingBytes(256) + tail), false));
    ASSERT_TRUE(LoadRemapping(set, realFileSystem(),
                              dir.write("a.set", descendingBytes(255) + tail), true));
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(cmp.RemapTable[k], 255 - k) << "slot " << k;
        EXPECT_EQ(set.RemapTable[k], k == 0 ? 0 : 256 - k) << "slot " << k;
    }
    for (const char* path : {"/tables/readme.set", "READ.SeT", "/tables/reset"})
        EXPECT_TRUE(IsSetFileName(path)) << path;
    for (const char* path : {"table.cmp", "table.set.cmp", "/a.set/table", "et"})
        EXPECT_FALSE(IsSetFileName(path)) << path;

    // A refused file leaves the tables as they were.
    const struct {
        std::string path;
        bool setFormat;
        ErrorKind kind;
    } cases[] = {
        {dir.file("missing.cmp"), false, ErrorKind::Io},
        {dir.path(), false, ErrorKind::Io},
        {dir.write("short.cmp", descendingBytes(255)), false, ErrorKind::Damaged},
        {dir.write("short.set", descendingBytes(254)), true, ErrorKind::Damaged},
    };
    for (const auto& c : cases) {
        for (const CharacterTables& before :
             {CharacterTables{}, loadedWith(descendingBytes(256))}) {
            CharacterTables tables = before;
            const Status status = LoadRemapping(tables, realFileSystem(), c.path, c.setFormat);
            EXPECT_EQ(status.kind(), c.kind) << c.path;
            EXPECT_NE(status.message().find(c.path), std::string::npos) << status.message();
            EXPECT_EQ(tables.RemapLoaded, before.RemapLoaded) << c.path;
            EXPECT_EQ(tables.RemapTable, before.RemapTable) << c.path;
        }
    }
}

TEST(RemapText, MapsEveryCodeButLineBreaksOnceATableIsLoadedAndUnmapTextTurnsItBack) {
    const std::string text = std::string("A\r\nb") + '\0' + "\xE9\n\r";
    EXPECT_EQ(RemapText(CharacterTables{}, text), text);
    const CharacterTables tables = loadedWith(descendingBytes(256));
    const std::string display = RemapText(tables, text);
    EXPECT_EQ(display, "\xBE\r\n\x9D\xFF\x16\xF5\xF2");
    EXPECT_EQ(UnmapText(tables, display).text, text);

    CharacterTables merged = tables;
    merged.RemapTable[0x41] = 0x40; // 0xBE is no slot's code any more
    EXPECT_EQ(UnmapText(merged, display).missing, 0xBE);
}

} // namespace
} // namespace zyn::test
