#include "document/textreader.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::TextFileBuilder;

Result<LoadedText> readBytes(std::string_view bytes, bool version2, ReadOptions options = {}) {
    options.writeExpandedCopy = false;
    return ReadTextBytes(realFileSystem(), "t.zyt", bytes, version2, options);
}

struct GameCase {
    int game;
    bool header;
};

class ReadBothGames : public ::testing::TestWithParam<GameCase> {};

TEST_P(ReadBothGames, ReadsEntriesTypesAndOffsets) {
    const auto [game, header] = GetParam();
    const std::string file = TextFileBuilder(game)
                                 .entry("Hello", 3)
                                 .entry("", 17)
                                 .entry("two @ lines @", 129)
                                 .withHeader(header)
                                 .bytes();
    auto read = readBytes(file, game == 2);
    ASSERT_TRUE(read) << read.message();
    const TextData& text = read->text;
    EXPECT_EQ(read->header.found, header);
    EXPECT_EQ(text.SlotCount, 4);
    EXPECT_EQ(text.EntryText, (std::vector<std::string>{"Hello", "", "two\r\nlines\r\n", ""}));
    const std::vector<std::uint8_t> types =
        game == 2 ? std::vector<std::uint8_t>{3, 17, 129} : std::vector<std::uint8_t>{0, 0, 0};
    EXPECT_EQ(text.EntryType, types);
    const int end = 26 + 3 * game; // the type byte and terminator count as text data
    EXPECT_EQ(std::vector<int>(text.Offsets.begin(), text.Offsets.end()),
              (std::vector<int>{8, 13 + game, 13 + 2 * game, end, end}));

    TextDocument doc;
    doc.Modified = true;
    doc.CurrentEntry = 2;
    doc.EntryText[7] = "stale";
    AdoptText(doc, std::move(*read));
    EXPECT_EQ(doc.SlotCount, 4);
    EXPECT_EQ(doc.IsVersion2, game == 2);
    EXPECT_EQ(doc.KeepHeader, header);
    EXPECT_EQ(doc.EntryText[2], "two\r\nlines\r\n");
    EXPECT_EQ(doc.EntryText[7], "");
    EXPECT_FALSE(doc.Modified);
}

INSTANTIATE_TEST_SUITE_P(Games, ReadBothGames,
                         ::testing::Values(GameCase{1, false}, GameCase{1, true},
                                           GameCase{2, false}, GameCase{2, true}));

TEST(TextReader, HeaderCountsOnlyWhenItsStoredSizeMatchesTheFile) {
    // As text data, these ten bytes are a two-slot table (4, 10) and one entry made of the
    // stored-size field and the mode byte.
    const std::string looksLikeHeader = test::itemHeader(0x000A0004, 0, 0x4100);
    const std::string tail = TextFileBuilder(1).entry("X").data();
    const auto size = static_cast<std::uint32_t>(tail.size());

    std::string offByOne = looksLikeHeader;
    offByOne.replace(4, 4, test::itemHeader(size + 1, 0, 0).substr(0, 4));
    const auto plain = readBytes(offByOne + tail, false);
    ASSERT_TRUE(plain) << plain.message();
    EXPECT_FALSE(plain->header.found);
    EXPECT_EQ(plain->text.EntryText[0], offByOne.substr(4, 5));

    std::string matching = looksLikeHeader;
    matching.replace(4, 4, test::itemHeader(size, 0, 0).substr(0, 4));
    const auto withHeader = readBytes(matching + tail, false);
    ASSERT_TRUE(withHeader) << withHeader.message();
    EXPECT_TRUE(withHeader->header.found);
    EXPECT_EQ(withHeader->header.mode, 0); // only the low byte of the mode counts
    EXPECT_EQ(withHeader->text.EntryText[0], "X");
}

TEST(TextReader, SlotCountIsHalfOfSlotZeroRoundedToEven) {
    const std::pair<unsigned, int> cases[] = {{2, 1}, {3, 2}, {4, 2}, {5, 2},
                                              {7, 4}, {9, 4}, {11, 6}};
    for (const auto& [slot0, expected] : cases) {
        // Every entry empty: slot i = slot 0 + i.
        std::string data;
        for (int i = 0; i < expected; ++i) {
            const unsigned offset = slot0 + static_cast<unsigned>(i);
            data += {static_cast<char>(offset), '\0'};
        }
        data.resize(std::max<std::size_t>(data.size(), slot0 + expected - 1), '\0');
        const auto read = readBytes(data, false);
        ASSERT_TRUE(read) << "slot 0 = " << slot0 << ": " << read.message();
        EXPECT_EQ(read->text.SlotCount, expected) << "slot 0 = " << slot0;
    }
}

TEST(TextReader, LineBreaksDecodeInOrderAndEncodeBack) {
    struct Case {
        std::string stored, memory, storedAgain;
    };
    const Case cases[] = {
        {"A @ B", "A\r\nB", "A @ B"},
        {"end @", "end\r\n", "end @"},
        {"mail@home and @ alone", "mail@home and\r\nalone", "mail@home and @ alone"},
        {std::string("A @\0B", 5), std::string("A\r\n\0B", 5), std::string("A @\0B", 5)},
        {"A @ @ B", "A\r\n@ B", "A @ @ B"}, // left to right, without overlap
        {" @ @", " @\r\n", " @ @"},
        {"A @  @", "A\r\n\r\n", "A @  @"},
    };
    for (const auto& c : cases) {
        const auto read = readBytes(TextFileBuilder(1).entry(c.stored).data(), false);
        ASSERT_TRUE(read) << read.message();
        EXPECT_EQ(read->text.EntryText[0], c.memory) << c.stored;
        EXPECT_EQ(EncodeLineBreaks(c.memory), c.storedAgain) << c.stored;
    }
}

TEST(TextReader, Zyn2FileReadAsZyn1KeepsTypeBytesInTheText) {
    const std::string file = TextFileBuilder(2).entry("Hi", 5).entry("", 33).bytes();
    const auto read = readBytes(file, false);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->text.EntryText[0], "\x05Hi");
    EXPECT_EQ(read->text.EntryText[1], "\x21");
    EXPECT_EQ(read->text.EntryType, (std::vector<std::uint8_t>{0, 0}));
}

TEST(TextReader, CompressedFilesAreExpandedOrRefused) {
    const std::string data = TextFileBuilder(2).entry("Packed text @ here", 9).data();
    test::TempDir dir;
    for (const std::uint16_t mode : {1, 2}) {
        const std::string path = dir.write("packed.dia", test::literalCompressedItem(data, mode));
        std::size_t progressCalls = 0;
        ReadOptions options;
        options.progress = [&](std::size_t, std::size_t) {
            ++progressCalls;
        };
        const auto read = ReadTextFile(realFileSystem(), path, true, options);
        ASSERT_TRUE(read) << read.message();
        EXPECT_TRUE(read->expanded);
        EXPECT_TRUE(read->header.found);
        EXPECT_EQ(read->text.EntryText[0], "Packed text\r\nhere");
        EXPECT_EQ(read->text.EntryType[0], 9);
        EXPECT_GT(progressCalls, 0u);
        EXPECT_EQ(test::readBytes(path + ".TMP"), data);

        const auto refused =
            ReadTextFile(realFileSystem(), path, true, {CompressedFiles::Refuse, {}, false});
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.kind(), ErrorKind::Unsupported);
        EXPECT_EQ(refused.message(), "Sorry, no compression supported in this version.\r\n"
                                     "Compression used: " +
                                         std::string(mode == 1 ? "LZSS/LZW compression (01)"
                                                               : "KWAJ/MSPAK compression (02)"));
    }

    const std::string quiet = dir.write("quiet.dia", test::literalCompressedItem(data, 1));
    ASSERT_TRUE(ReadTextFile(realFileSystem(), quiet, true, {CompressedFiles::Expand, {}, false}));
    EXPECT_FALSE(test::fileExists(quiet + ".TMP"));

    // The expanded copy is a by-product: failing to write it does not fail the open.
    test::FaultyFileSystem faulty;
    faulty.failOn(test::FaultyFileSystem::Op::Write, 1, "No space left on device");
    const auto read = ReadTextFile(faulty, quiet, true);
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->text.EntryText[0], "Packed text\r\nhere");
    EXPECT_FALSE(test::fileExists(quiet + ".TMP"));
}

TEST(TextReader, ModeByteWithoutHeaderIsJustData) {
    // Four slots put the first text byte at offset 8, where a header keeps its mode.
    const std::string data = TextFileBuilder(1).entry("\x01").entry("b").entry("c").data();
    ASSERT_EQ(data[8], '\x01');
    for (const auto compressed : {CompressedFiles::Expand, CompressedFiles::Refuse}) {
        const auto read = readBytes(data, false, {compressed, {}, false});
        ASSERT_TRUE(read) << read.message();
        EXPECT_FALSE(read->expanded);
        EXPECT_EQ(read->text.EntryText[0], "\x01");
    }
}

struct Refusal {
    const char* name;
    std::string file;
    bool version2;
    ErrorKind kind;
    std::string message; // a part of the message
};

std::string table(std::initializer_list<unsigned> slots, std::size_t size) {
    std::string data;
    for (const unsigned slot : slots)
        data += {static_cast<char>(slot & 0xFF), static_cast<char>(slot >> 8)};
    data.resize(std::max(size, data.size()), 'x');
    return data;
}

TEST(TextReader, RefusedFilesLeaveTheDocumentAsItWas) {
    const std::string stored = test::itemHeader(4, 4, 0);
    const Refusal refusals[] = {
        {"empty file", "", false, ErrorKind::Damaged, "too short"},
        {"one byte", "\x04", false, ErrorKind::Damaged, "too short"},
        {"empty table", table({0, 0}, 4), false, ErrorKind::Damaged, "offset table is empty"},
        {"1024 slots", table({2048}, 2048), false, ErrorKind::Damaged, "more than 1023"},
        {"1023 slots but short", table({2046}, 100), false, ErrorKind::Damaged,
         "ends past the end of the file"},
        {"offset above 32767", table({4, 0x8000}, 8), false, ErrorKind::Damaged,
         "slot 1 of its offset table holds 32768"},
        {"data above 32767", table({4, 6}, 32768), false, ErrorKind::Damaged, "32768 bytes"},
        {"table past the end", table({8, 8}, 4), false, ErrorKind::Damaged,
         "offset table of 4 slots ends past the end"},
        {"offsets going back", table({6, 10, 8}, 12), false, ErrorKind::Damaged,
         "entry 2 is too short to hold its terminator"},
        {"ZYN 2 entry of one byte", table({4, 5}, 5), true, ErrorKind::Damaged,
         "entry 1 is too short to hold its type byte and terminator"},
        {"entry past the end", table({4, 9}, 6), false, ErrorKind::Damaged,
         "entry 1 ends past the end of the file"},
        {"mode 3", test::itemHeader(4, 4, 3) + table({4, 4}, 4), false, ErrorKind::Unsupported,
         "Sorry, that particular comrpession type is not supported in this version.\r\n"
         "Compression used: Maybe MSCF/MSZIP compression (03)"},
        {"mode 255", test::itemHeader(4, 4, 255) + table({4, 4}, 4), false, ErrorKind::Unsupported,
         "Compression used: Maybe MSCF/MSZIP compression (03)"},
    };

    test::TempDir dir;
    TextDocument doc;
    AdoptText(doc, std::move(*readBytes(TextFileBuilder(2).entry("kept", 65).bytes(), true)));
    doc.FilePath = dir.file("kept.zyt");
    doc.Modified = true;
    const TextDocument before = doc;

    for (const auto& refusal : refusals) {
        const std::string path = dir.write("bad.zyt", refusal.file);
        auto read = ReadTextFile(realFileSystem(), path, refusal.version2);
        ASSERT_FALSE(read) << refusal.name;
        EXPECT_EQ(read.kind(), refusal.kind) << refusal.name;
        EXPECT_NE(read.message().find(refusal.message), std::string::npos)
            << refusal.name << ": " << read.message();
        if (refusal.kind == ErrorKind::Damaged) {
            EXPECT_EQ(read.message().rfind("The file " + path + " is damaged: ", 0), 0u)
                << read.message();
        }
    }
    const auto missing = ReadTextFile(realFileSystem(), dir.file("missing.zyt"), false);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.kind(), ErrorKind::Io);

    EXPECT_EQ(doc.EntryText, before.EntryText);
    EXPECT_EQ(doc.EntryType, before.EntryType);
    EXPECT_EQ(doc.SlotCount, before.SlotCount);
    EXPECT_TRUE(doc.Modified);
}

} // namespace
} // namespace zyn
