#include "characters/remapping.h"
#include "document/ordinals.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/filesave.h"
#include "flows/opendocument.h"
#include "flows/programstate.h"
#include "support/faultyfilesystem.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zyn::test {
namespace {

using namespace std::string_literals;

Result<LoadedText> parse(std::string_view bytes, bool version2,
                         CompressedFiles compressed = CompressedFiles::Expand) {
    return ReadTextBytes(realFileSystem(), "t.zyt", bytes, version2, {compressed, {}, {}});
}

TEST(TextReader, AHeaderCountsOnlyWhenItsStoredSizeMatchesTheFile) {
    const std::string tail = TextFileBuilder(1).entry("X").data();
    for (const bool found : {false, true}) {
        // As text data, these ten bytes are a two-slot table (4, 10) and one entry made of the
        // stored-size field and the mode's low byte: 1 where there is no header, which is then
        // text and no compression, and 0 in a header, whose high byte 0x41 does not count.
        const auto stored = static_cast<std::uint32_t>(tail.size() + (found ? 0 : 1));
        const std::string file = itemHeader(0x000A0004, stored, found ? 0x4100 : 1) + tail;
        for (const auto compressed : {CompressedFiles::Expand, CompressedFiles::Refuse}) {
            const auto read = parse(file, false, compressed);
            ASSERT_TRUE(read) << read.message();
            EXPECT_EQ(read->header.found, found);
            EXPECT_EQ(read->text.EntryText[0], found ? "X" : file.substr(4, 5));
        }
    }
}

TEST(TextReader, LineBreaksAreEncodedAndDecodedRuleByRuleInOrder) {
    const std::string cases[][3] = {
        // In memory, stored, read back.
        {"A\r\nB", "A @ B", "A\r\nB"},
        {"end\r\n", "end @", "end\r\n"},
        {"mail@home and\r\nalone", "mail@home and @ alone", "mail@home and\r\nalone"},
        {"A\r\n\0B"s, "A @\0B"s, "A\r\n\0B"s},
        {"A\r\n@ B", "A @ @ B", "A\r\n@ B"}, // left to right, without overlap
        {" @\r\n", " @ @", " @\r\n"},
        {"A\r\n\r\n", "A @  @", "A\r\n\r\n"},
        {"typed @", "typed @", "typed\r\n"}, // the user's own " @" comes back as a line break
    };
    for (const auto& [memory, stored, readBack] : cases) {
        EXPECT_EQ(EncodeLineBreaks(memory), stored) << stored;
        const auto read = parse(TextFileBuilder(1).entry(stored).data(), false);
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read->text.EntryText[0], readBack) << stored;
    }
}

// The command line refuses compressed files; File Open expands them, and the expanded copy is a
// by-product: failing to write it does not fail the open.
TEST(TextReader, CompressedFilesAreRefusedFromTheCommandLineOrExpanded) {
    TempDir dir;
    const std::string data = TextFileBuilder(2).entry("Packed @ text", 9).data();
    const std::string path = dir.write("packed.dia", CompressedItem(data, 1));
    const auto refused =
        ReadTextFile(realFileSystem(), path, true, {CompressedFiles::Refuse, {}, {}});
    EXPECT_EQ(refused.kind(), ErrorKind::Unsupported);
    EXPECT_EQ(refused.message(), "Sorry, no compression supported in this version.\r\nCompression "
                                 "used: LZSS/LZW compression (01)");
    FaultyFileSystem faulty;
    faulty.failOn(FaultyFileSystem::Op::Write);
    const auto read =
        ReadTextFile(faulty, path, true, {CompressedFiles::Expand, {}, path + ".TMP"});
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->text.EntryText[0], "Packed\r\ntext");
    EXPECT_FALSE(fileExists(path + ".TMP"));
    ASSERT_TRUE(
        ReadTextFile(realFileSystem(), path, true, {CompressedFiles::Expand, {}, path + ".TMP"}));
    EXPECT_EQ(readBytes(path + ".TMP"), data);
}

// Little-endian 16-bit values (offset table slots or ordinals), padded with "x" to size.
std::string words(const std::vector<unsigned>& values, std::size_t size = 0) {
    std::string data;
    for (const unsigned value : values)
        data += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    data.resize(std::max(size, data.size()), 'x');
    return data;
}

TEST(TextReader, DamagedAndUnsupportedFilesAreRefusedWithAMessage) {
    const struct {
        std::string file;
        bool version2;
        std::string damage; // empty: refused as unsupported
    } cases[] = {
        {"", false, "it is too short to hold an offset table"},
        {words({0, 0}, 4), false, "its offset table is empty"},
        // Half of an odd slot 0 is rounded to even: 9 gives 4 slots.
        {words({9, 8}, 4), false, "its offset table of 4 slots ends past the end of the file"},
        {words({4, 0x8000}, 8), false, "slot 1 of its offset table holds 32768, more than 32 767"},
        {words({6, 10, 8}, 12), false, "entry 2 is too short to hold its terminator"},
        {words({4, 5}, 5), true, "entry 1 is too short to hold its type byte and terminator"},
        {words({4, 9}, 6), false, "entry 1 ends past the end of the file"},
        {itemHeader(4, 4, 3) + words({4, 4}, 4), false, ""},
        {itemHeader(4, 4, 255) + words({4, 4}, 4), false, ""},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string path = dir.write("bad.zyt", c.file);
        const auto read = ReadTextFile(realFileSystem(), path, c.version2);
        EXPECT_EQ(read.kind(), c.damage.empty() ? ErrorKind::Unsupported : ErrorKind::Damaged);
        EXPECT_EQ(read.message(),
                  c.damage.empty()
                      ? "Sorry, that particular comrpession type is not supported in this "
                        "version.\r\nCompression used: Maybe MSCF/MSZIP compression (03)"
                      : "The file " + path + " is damaged: " + c.damage + ".");
    }
    EXPECT_EQ(ReadTextFile(realFileSystem(), dir.file("missing.zyt"), false).kind(), ErrorKind::Io);
}

TEST(BuildTextData, WritesOneSlotAtLeastAndAt32767BytesAtMost) {
    TextDocument doc;
    doc.SlotCount = 1;
    EXPECT_EQ(*BuildTextData(doc), "\x02\x00"s);

    doc.SlotCount = 2;
    doc.EntryText[0] = std::string(32767 - 5, 'a'); // the table takes 4, the terminator 1
    const auto fits = BuildTextData(doc);
    ASSERT_TRUE(fits) << fits.message();
    EXPECT_EQ(fits->size(), 32767u);
    doc.EntryText[0].push_back('a');
    const auto tooLong = BuildTextData(doc);
    EXPECT_EQ(tooLong.kind(), ErrorKind::Damaged);
    EXPECT_EQ(tooLong.message(), "The texts are too long to save: they need 32768 bytes, but a "
                                 "text file holds at most 32 767. Please, shorten some entries.");
}

TEST(BuildTextData, MapsOnlyTextsInDisplayFormBackToTheLowestGameCodeKeepingLineBreaks) {
    CharacterTables tables;
    for (int k = 0; k < 256; ++k)
        tables.RemapTable[k] = static_cast<std::uint8_t>(k);
    tables.RemapTable['A'] = 'x';
    tables.RemapTable['x'] = 'A';
    tables.RemapTable[250] = 'A'; // shows as "A" too, but the lower game code "x" wins
    tables.RemapTable[200] = 201; // nothing shows as 200
    // The codes of a line break and of its "@" move: the break is still " @" in game codes.
    for (const auto& [a, b] : {std::pair{'\r', '#'}, {'\n', '$'}, {'@', '%'}}) {
        tables.RemapTable[static_cast<std::uint8_t>(a)] = static_cast<std::uint8_t>(b);
        tables.RemapTable[static_cast<std::uint8_t>(b)] = static_cast<std::uint8_t>(a);
    }
    tables.RemapLoaded = true;
    TextDocument doc;
    doc.IsVersion2 = true;
    doc.SlotCount = 3;
    doc.EntryType[0] = 17;
    doc.EntryText[0] = "xA\xc9\r\n";
    doc.DisplayForm[0] = true;
    doc.EntryText[1] = "xA"; // still the game codes read from the file
    EXPECT_EQ(*BuildTextData(doc, GameCodeMap(tables)),
              "\x06\x00\x0d\x00\x11\x00\x11"s + "Ax\xc8 @\x00\x00xA\x00"s);

    // A character no slot holds is refused, not written as code 0 (which ends the entry).
    doc.EntryText[1] = "ok\xc8";
    doc.DisplayForm[1] = true;
    for (const CharacterSet* shown :
         {static_cast<const CharacterSet*>(nullptr), &CharacterSets[WesternCharacterSetIndex]}) {
        tables.ShownCharacterSet = shown;
        const auto refused = BuildTextData(doc, GameCodeMap(tables));
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.message().find("entry 2 holds the character "s +
                                         (shown ? "\"\u255A\" (code 200)" : "U+00C8")),
                  std::string::npos)
            << refused.message();
    }
}

TEST(TextFile, AnUnchangedDocumentIsSavedOnlyOnceSaveAsWasUsedAndAReadOnlyOneNever) {
    TempDir dir;
    ProgramState state;
    OpenDocument open;
    TextDocument& doc = open.Document;
    const auto save = [&] {
        return SaveDocument(state, open, false, {}).outcome;
    };
    doc.EntryText[5] = "stale"; // an open replaces the whole document
    const std::string path = dir.write("same.zyt", TextFileBuilder(1).entry("same").bytes());
    auto read = ReadTextFile(state.files(), path, false);
    ASSERT_TRUE(read) << read.message();
    AdoptText(doc, std::move(*read), LooseFileOrigin(path));
    EXPECT_EQ(doc.EntryText[5], "");
    dir.write("same.zyt", "changed on disk");
    EXPECT_EQ(save(), SaveOutcome::NothingToSave);
    EXPECT_EQ(readBytes(path), "changed on disk");

    const std::string work = state.Work.path();
    for (const char* name : {"TEXTTMP", "TEXTTMP.1", "OTHER"})
        std::ofstream(work + name) << "x";
    doc.ForceSave = true; // as Save As leaves it
    doc.EntryText[0] = "same @";
    ASSERT_EQ(WriteDocument(state, doc, SaveAsOrigin(doc.Origin, path), open.Archive, {}).outcome,
              SaveOutcome::Saved);
    EXPECT_FALSE(fileExists(work + "TEXTTMP") || fileExists(work + "TEXTTMP.1"));
    EXPECT_TRUE(fileExists(work + "OTHER"));

    dir.write("same.zyt", "changed again");
    EXPECT_EQ(save(), SaveOutcome::Saved) << "ForceSave stays on";
    EXPECT_EQ(readBytes(path), TextFileBuilder(1).entry("same @").bytes());
    doc.Origin.FileTitle.clear();
    EXPECT_EQ(save(), SaveOutcome::NothingToSave);

    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const SaveResult result = SaveDocument(state, open, true, {});
    EXPECT_EQ(result.outcome, SaveOutcome::NeedsSaveAs);
    EXPECT_EQ(result.message,
              "The file " + path + " is Read-Only, Hidden, or System. Please, specify a new file.");
    std::filesystem::create_directory(dir.file("folder.zyt"));
    doc.Origin = LooseFileOrigin(dir.file("folder.zyt"));
    EXPECT_EQ(save(), SaveOutcome::NeedsSaveAs);
}

TEST(OrdinalFile, FillsOneSlotPerGroupAndOneMoreOrNothingAtAll) {
    const std::string payload = words({10, 20, 30, 10, 20, 30, 10, 20, 30});
    const std::vector<std::int16_t> expanded = {10, 20, 30, 10, 20, 30, 10, 20, 30, 0};
    std::vector<std::int16_t> largest(1023, 1);
    largest.push_back(2);
    const struct {
        std::string file;
        std::vector<std::int16_t> slots; // empty: refused
    } cases[] = {
        {words({1, 300, 32767, 0x0102}), {1, 300, 32767, 0x0102, 0}},
        {"\x05\x00\x09"s, {5, 9}}, // an odd length ends in half a group
        {itemHeader(18, 18, 0) + payload, expanded},
        {CompressedItem(payload, 1), expanded},
        {CompressedItem(payload, 2), expanded},
        {words(std::vector<unsigned>(1023, 1)) + "\x02"s, largest},
        {words(std::vector<unsigned>(1024, 1)), {}}, // 1025 slots
        {words({1, 2, 32768, 4}), {}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        OrdinalArray ordinals;
        ordinals.fill(-7);
        OrdinalArray expected = ordinals;
        std::copy(c.slots.begin(), c.slots.end(), expected.begin());
        EXPECT_EQ(LoadOrdinalFile(realFileSystem(), dir.write("EN_000.ORD", c.file), ordinals),
                  !c.slots.empty())
            << c.file.size() << " bytes";
        EXPECT_EQ(ordinals, expected) << c.file.size() << " bytes";
    }
    OrdinalArray ordinals{};
    EXPECT_FALSE(LoadOrdinalFile(realFileSystem(), dir.file("missing.ord"), ordinals));
}

} // namespace
} // namespace zyn::test
