#include "characters/remapping.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <string>

namespace zyn {
namespace {

// Byte i is 255 - i: every slot differs from its neighbours and from its own code.
std::string descendingBytes(std::size_t count) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>(255 - (i & 0xFF)));
    return bytes;
}

CharacterTables loadedWith(std::string_view cmpBytes) {
    CharacterTables tables;
    tables.RemapTable = ParseRemapping(cmpBytes, false).value();
    tables.RemapLoaded = true;
    return tables;
}

TEST(LoadRemapping, SetFilesStartOneCodeLaterAndIgnoreExtraBytes) {
    test::TempDir dir;
    const std::string tail(44, '\x07');
    CharacterTables cmp, set;
    ASSERT_TRUE(LoadRemapping(cmp, realFileSystem(),
                              dir.write("a.cmp", descendingBytes(256) + tail), false));
    ASSERT_TRUE(LoadRemapping(set, realFileSystem(),
                              dir.write("a.set", descendingBytes(255) + tail), true));
    EXPECT_TRUE(cmp.RemapLoaded && set.RemapLoaded);
    EXPECT_EQ(cmp.RemapTable[0], 255);
    EXPECT_EQ(set.RemapTable[0], 0);
    for (int k = 1; k < 256; ++k) {
        EXPECT_EQ(cmp.RemapTable[k], 255 - k) << "slot " << k;
        EXPECT_EQ(set.RemapTable[k], 256 - k) << "slot " << k;
    }
}

TEST(LoadRemapping, RefusedFileLeavesTheTablesAsTheyWere) {
    test::TempDir dir;
    struct Case {
        std::string path;
        bool setFormat;
        ErrorKind kind;
    };
    const Case cases[] = {
        {dir.file("missing.cmp"), false, ErrorKind::Io},
        {dir.path(), false, ErrorKind::Io},
        {dir.write("short.cmp", descendingBytes(255)), false, ErrorKind::Damaged},
        {dir.write("short.set", descendingBytes(254)), true, ErrorKind::Damaged},
        {dir.write("huge.cmp", std::string(1024 * 1024 + 1, 'x')), false, ErrorKind::Damaged},
    };
    for (const Case& c : cases) {
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

TEST(IsSetFileName, ComparesTheLastThreeLettersUpperCased) {
    for (const char* path : {"/tables/readme.set", "READ.SeT", "/tables/reset"})
        EXPECT_TRUE(IsSetFileName(path)) << path;
    for (const char* path : {"table.cmp", "table.set.cmp", "/a.set/table", "et", ""})
        EXPECT_FALSE(IsSetFileName(path)) << path;
}

TEST(RemapText, MapsEveryCodeOnceATableIsLoaded) {
    const std::string text = std::string("A\r\nb") + '\0' + '\xE9';
    EXPECT_EQ(RemapText(CharacterTables{}, text), text);
    EXPECT_EQ(RemapText(loadedWith(descendingBytes(256)), text), "\xBE\xF2\xF5\x9D\xFF\x16");
}

TEST(UnmapChar, LowestGameCodeWinsAndUnknownCharactersGiveZero) {
    std::string bytes;
    for (int k = 0; k < 256; ++k)
        bytes.push_back(static_cast<char>(k));
    bytes[200] = 'A'; // 65 and 200 both show as "A"; nothing shows as 200
    const CharacterTables tables = loadedWith(bytes);
    EXPECT_EQ(UnmapChar(tables, 'A', true), 'A');
    EXPECT_EQ(UnmapChar(tables, 200, true), 0);
    EXPECT_EQ(UnmapChar(tables, 200, false), 200);
}

TEST(ConvertToDisplayForm, RewritesEveryEntryAndTheEndSlotOnly) {
    std::string bytes(256, '?');
    bytes['A'] = 'X';
    bytes['B'] = 'Y';
    bytes['D'] = 'Z';
    TextDocument doc;
    doc.SlotCount = 3; // two entries and the end slot
    doc.EntryText = {"AB", "D", "A", "A"};
    ConvertToDisplayForm(doc, loadedWith(bytes));
    EXPECT_EQ(doc.EntryText[0], "XY");
    EXPECT_EQ(doc.EntryText[1], "Z");
    EXPECT_EQ(doc.EntryText[2], "X");
    EXPECT_EQ(doc.EntryText[3], "A");
    EXPECT_FALSE(doc.Modified);
    EXPECT_TRUE(doc.DisplayForm[0] && doc.DisplayForm[2]);

    // Converting again leaves display codes alone: X would otherwise become "?".
    doc.EntryText[1] = "A";
    doc.DisplayForm[1] = false;
    ConvertToDisplayForm(doc, loadedWith(bytes));
    EXPECT_EQ(doc.EntryText[0], "XY");
    EXPECT_EQ(doc.EntryText[1], "X");

    // Without a table no character may be dropped.
    doc.DisplayForm.fill(false);
    ConvertToDisplayForm(doc, CharacterTables{});
    EXPECT_EQ(doc.EntryText[0], "XY");
}

TEST(ValueStrings, AreLittleEndianWithOneCharacterBelow256) {
    struct Case {
        std::string text;
        int value;
    };
    for (const Case& c : {Case{"\x07", 7}, Case{"\xFF", 255}, Case{std::string("\0\1", 2), 256},
                          Case{"\x34\x12", 0x1234}, Case{"\xFF\xFF", 65535}}) {
        EXPECT_EQ(chr2sval(c.text), c.value);
        EXPECT_EQ(sval2chr(c.value), c.text);
    }
    EXPECT_EQ(chr2sval(""), 0);
    EXPECT_EQ(chr2sval("\x34xy\x12"), 0x1234); // the middle is not part of the number
    EXPECT_EQ(sval2chr(65536 + 7), "\x07");
    EXPECT_EQ(sval2chr(-1), "\xFF\xFF");
}

} // namespace
} // namespace zyn
