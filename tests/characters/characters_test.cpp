#include "characters/keyboardgroups.h"
#include "characters/remapping.h"
#include "document/textwriter.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <set>

namespace zyn {
namespace {

using G = KeyboardGroup;

// FNV-1a over the whole table, taken when each table was checked entry by entry against the
// group lists: any later edit of an entry shows here.
TEST(KeyboardGroupTable, EveryGroupsTableIsUnchanged) {
    const G groups[] = {G::West, G::SweNor, G::SloCze, G::Greek, G::Hebrew, G::RusUkr};
    const std::uint32_t fingerprints[] = {0xc94a9073, 0x414af99b, 0x041a6269,
                                          0x1fac174e, 0x728d3ee1, 0x5e7214c5};
    for (std::size_t i = 0; i < std::size(groups); ++i) {
        std::uint32_t hash = 2166136261u;
        for (const std::uint8_t game : KeyboardGroupTable(groups[i]))
            hash = (hash ^ game) * 16777619u;
        EXPECT_EQ(hash, fingerprints[i]) << "group " << static_cast<int>(groups[i]);
    }
}

TEST(TranslateKey, GoesThroughTheGroupThenTheRemappingTable) {
    CharacterTables tables;
    EXPECT_EQ(TranslateKey(tables, 233), 233);
    SelectKeyboardGroup(tables, G::West);
    EXPECT_EQ(TranslateKey(tables, 233), 130);
    EXPECT_EQ(TranslateKey(tables, 130), 63);

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
    test::TempDir dir;
    const std::string tail(44, '\x07');
    CharacterTables cmp, set;
    ASSERT_TRUE(LoadRemapping(cmp, realFileSystem(),
                              dir.write("a.cmp", descendingBytes(256) + tail), false));
    ASSERT_TRUE(LoadRemapping(set, realFileSystem(),
                              dir.write("a.set", descendingBytes(255) + tail), true));
    EXPECT_TRUE(cmp.RemapLoaded && set.RemapLoaded);
    EXPECT_EQ(set.RemapTable[0], 0);
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
    EXPECT_FALSE(UnmapText(tables, display).missing);

    CharacterTables merged = tables;
    merged.RemapTable[0x41] = 0x40; // 0xBE is no slot's code any more
    const UnmappedText refused = UnmapText(merged, display);
    EXPECT_EQ(refused.missing, 0xBE);
    EXPECT_EQ(refused.text, "");
}

TEST(ConvertToDisplayForm, RewritesEveryEntryStillInGameCodesOnce) {
    std::string bytes(256, '?');
    bytes['A'] = 'X';
    bytes['B'] = 'Y';
    bytes['D'] = 'Z';
    TextDocument doc;
    doc.SlotCount = 3; // two entries and the end slot
    doc.EntryText = {"AB", "D", "A", "A"};
    ConvertToDisplayForm(doc, DisplayCodeMap(loadedWith(bytes)));
    EXPECT_EQ(std::vector(doc.EntryText.begin(), doc.EntryText.begin() + 4),
              (std::vector<std::string>{"XY", "Z", "X", "A"}));
    EXPECT_FALSE(doc.Modified);

    // Converting again leaves display codes alone: X would otherwise become "?".
    doc.EntryText[1] = "A";
    doc.DisplayForm[1] = false;
    ConvertToDisplayForm(doc, DisplayCodeMap(loadedWith(bytes)));
    EXPECT_EQ(doc.EntryText[0], "XY");
    EXPECT_EQ(doc.EntryText[1], "X");
}

} // namespace
} // namespace zyn
