// Large and hostile inputs: the limits of archives and text files on both sides, and files
// whose tables, headers or sizes claim far more than they hold. Each is handled or refused with
// a message; none may make a reader allocate what the file claims.

#include "archive/archiveindex.h"
#include "archive/archiveitemflow.h"
#include "archive/archiverewrite.h"
#include "archive/itemexpansion.h"
#include "archive/itemheader.h"
#include "characters/remapping.h"
#include "cli/jsontext.h"
#include "document/bytes.h"
#include "document/ordinals.h"
#include "document/programstate.h"
#include "document/textreader.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace zyn::test {
namespace {

// An archive of items stored items of one byte each.
std::string archiveOf(int items) {
    ArchiveBuilder builder;
    for (int i = 0; i < items; ++i)
        builder.stored(std::string(1, static_cast<char>('a' + i % 26)));
    return builder.build();
}

TEST(HostileArchives, TwentyThousandAndOneItemsAreHandledOneMoreIsRefused) {
    TempDir dir;
    const std::string handled = dir.write("handled.hqr", archiveOf(ArchiveIndex::MaxItems));
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), handled, index).ok());
    ASSERT_EQ(index.itemCount(), 20001);
    const std::string last(1, static_cast<char>('a' + 20000 % 26));
    EXPECT_EQ(index.ItemData[20000].substr(10), last);

    // The last item can be taken out, replaced and written back.
    ASSERT_TRUE(ExtractItem(realFileSystem(), handled, dir.file("last"), 20001, index).ok());
    EXPECT_EQ(readBytes(dir.file("last")), itemHeader(1, 1, 0) + last);
    ReplaceItem(index, 20000, "replaced");
    ASSERT_TRUE(RewriteArchive(realFileSystem(), index, handled).ok());
    ArchiveIndex rebuilt;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), handled, rebuilt).ok());
    EXPECT_EQ(rebuilt.itemCount(), 20001);
    EXPECT_EQ(rebuilt.ItemData[20000].substr(10), "replaced");

    const std::string refused = dir.write("refused.hqr", archiveOf(ArchiveIndex::MaxItems + 1));
    const Status status = ReadArchiveIndex(realFileSystem(), refused, rebuilt);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("20002 items"), std::string::npos) << status.message();
    EXPECT_FALSE(ExtractItem(realFileSystem(), refused, dir.file("x"), 1, rebuilt).ok());
    EXPECT_EQ(rebuilt.itemCount(), 20001) << "a refused archive changes the index";
}

TEST(HostileArchives, ItemsSharingOneLargeItemCannotMultiplyIt) {
    // 20 001 slots pointing at one item of 4 MB would be 80 GB once every item holds its copy.
    const int items = ArchiveIndex::MaxItems;
    std::string bytes(4 * (static_cast<std::size_t>(items) + 1), '\0');
    const auto itemOffset = static_cast<std::uint32_t>(bytes.size());
    for (int i = 0; i < items; ++i)
        putU32(bytes, 4 * static_cast<std::size_t>(i), itemOffset);
    const std::string data(4 * 1024 * 1024, 'x');
    bytes += itemHeader(static_cast<std::uint32_t>(data.size()),
                        static_cast<std::uint32_t>(data.size()), 0) +
             data;
    putU32(bytes, 4 * static_cast<std::size_t>(items), static_cast<std::uint32_t>(bytes.size()));

    TempDir dir;
    ArchiveIndex index;
    const std::string shared = dir.write("shared.hqr", bytes);
    const Status status = ReadArchiveIndex(realFileSystem(), shared, index);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.kind(), ErrorKind::Damaged);
    EXPECT_NE(status.message().find("share their bytes"), std::string::npos) << status.message();
    EXPECT_EQ(index.itemCount(), 0);

    // Taking out one item copies it once.
    ASSERT_TRUE(ExtractItem(realFileSystem(), shared, dir.file("one"), items, index).ok());
    EXPECT_EQ(readBytes(dir.file("one")).size(), 10 + data.size());

    // A few items sharing a large one are what archives do, and are read as before.
    std::string few(4 * 5, '\0');
    for (std::size_t slot = 0; slot < 4; ++slot)
        putU32(few, 4 * slot, 4 * 5);
    few += itemHeader(static_cast<std::uint32_t>(data.size()),
                      static_cast<std::uint32_t>(data.size()), 0) +
           data;
    putU32(few, 16, static_cast<std::uint32_t>(few.size()));
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), dir.write("few.hqr", few), index).ok());
    ASSERT_EQ(index.itemCount(), 4);
    EXPECT_TRUE(index.ItemData[3] == few.substr(20)) << "shared items read the same bytes";
}

struct TextLimit {
    const char* name;
    int entries;
    std::size_t dataLength; // padded to this with the last entry's text
    bool header;
    bool compressed;
    bool readable;
};

// A ZYN 1 file of entries whose text data is exactly dataLength bytes long.
std::string textAtLength(const TextLimit& limit) {
    std::vector<std::string> texts(static_cast<std::size_t>(limit.entries), "");
    const std::size_t base = TextFileBuilder(1).entries(texts).data().size();
    texts.back().assign(limit.dataLength - base, 'x');
    const std::string data = TextFileBuilder(1).entries(texts).data();
    if (limit.compressed)
        return literalCompressedItem(data, 1);
    return limit.header ? TextFileBuilder(1).entries(texts).withHeader().bytes() : data;
}

TEST(HostileTexts, EachLimitIsReadAndOneMoreIsRefused) {
    const TextLimit limits[] = {
        {"1023 slots", 1022, 4000, false, false, true},
        {"1024 slots", 1023, 4000, false, false, false},
        {"32767 bytes", 3, 32767, false, false, true},
        {"32768 bytes", 3, 32768, false, false, false},
        {"32767 bytes behind a header", 3, 32767, true, false, true},
        {"32768 bytes behind a header", 3, 32768, true, false, false},
        {"32767 bytes expanded", 3, 32767, false, true, true},
        {"32768 bytes expanded", 3, 32768, false, true, false},
    };
    TempDir dir;
    for (const auto& limit : limits) {
        const std::string path = dir.write("limit.ztf", textAtLength(limit));
        std::filesystem::remove(path + ".TMP");
        const auto read = ReadTextFile(realFileSystem(), path, false);
        EXPECT_EQ(read.ok(), limit.readable) << limit.name << ": " << read.message();
        if (read) {
            EXPECT_EQ(read->text.SlotCount, limit.entries + 1) << limit.name;
            EXPECT_EQ(read->text.Offsets[static_cast<std::size_t>(limit.entries + 1)],
                      static_cast<std::int16_t>(limit.dataLength));
        } else {
            EXPECT_EQ(read.kind(), ErrorKind::Damaged) << limit.name;
            EXPECT_NE(read.message().find(limit.entries > 1000 ? "more than 1023" : "32 767"),
                      std::string::npos)
                << limit.name << ": " << read.message();
        }
        // The expanded copy is the file's data; a refused file leaves none cut short.
        EXPECT_EQ(fileExists(path + ".TMP"), limit.compressed && limit.readable) << limit.name;
    }
}

// Compressed data that expands about nine times: a literal, then back-references of 18 bytes.
std::string explosive(std::size_t inputBytes) {
    std::string data("\x01\x02", 2);
    while (data.size() < inputBytes)
        data +=
            std::string("\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00", 17);
    return data;
}

std::string itemClaiming(std::uint32_t expandedSize, std::uint16_t mode, const std::string& data) {
    return itemHeader(expandedSize, static_cast<std::uint32_t>(data.size()), mode) + data;
}

TEST(HostileTexts, CompressedDataClaimingGigabytesIsExpandedOnlyAsFarAsATextReaches) {
    const std::string file = itemClaiming(0xFFFFFFFFu, 2, explosive(8 * 1024 * 1024));
    EXPECT_EQ(ExpandItemBytes(file, {}, ExpandedTextLimit).size(), ExpandedTextLimit);

    TempDir dir;
    const std::string path = dir.write("bomb.ztf", file);
    const auto read = ReadTextFile(realFileSystem(), path, true);
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.message().find("more than 32 767"), std::string::npos) << read.message();
    EXPECT_FALSE(fileExists(path + ".TMP"));

    // The same item in an archive, loaded as Open from HQR loads it.
    auto state = std::make_unique<ProgramState>();
    state->ArchivePath = dir.write("text.hqr", ArchiveBuilder().raw(file).build());
    ASSERT_TRUE(ReadArchiveIndex(state->files(), state->ArchivePath, *state).ok());
    state->ArchiveItem = 0;
    const Status loaded = LoadArchiveItem(*state);
    EXPECT_FALSE(loaded.ok());
    EXPECT_NE(loaded.message().find("32 767"), std::string::npos) << loaded.message();
    EXPECT_TRUE(std::filesystem::is_empty(state->Work.path()));
    EXPECT_EQ(state->SlotCount, 0);
}

TEST(HostileFiles, ClaimedSizesStayBoundedByTheInput) {
    // An item file: its expansion can never outgrow what its data can make.
    TempDir dir;
    const std::string tiny =
        dir.write("tiny.dat", itemClaiming(0xFFFFFFFFu, 1, std::string("\x01Z\x00\x00", 4)));
    ASSERT_TRUE(ExpandItemFile(realFileSystem(), tiny, dir.file("tiny.out"), true).ok());
    EXPECT_EQ(readBytes(dir.file("tiny.out")), "ZZZ");

    // Ordinals: at most 1024 groups, whatever the header claims.
    OrdinalArray ordinals{};
    EXPECT_FALSE(LoadOrdinalFile(
        realFileSystem(), dir.write("bomb.ord", itemClaiming(0xFFFFFFFFu, 2, explosive(64 * 1024))),
        ordinals));
    EXPECT_EQ(ordinals, OrdinalArray{});
}

TEST(HostileFiles, FilesLargerThanAReaderTakesAreRefusedBeforeTheyAreRead) {
    // Sparse files: their size costs no disk space, and is all the readers may look at.
    TempDir dir;
    const auto sparse = [&](const char* name, std::uint64_t size) {
        const std::string path = dir.file(name);
        std::ofstream(path).close();
        std::filesystem::resize_file(path, size);
        return path;
    };
    const std::string text = sparse("huge.zyt", MaxTextFileSize + 1);
    const auto read = ReadTextFile(realFileSystem(), text, false);
    EXPECT_FALSE(read.ok());
    EXPECT_NE(read.message().find("too large"), std::string::npos) << read.message();

    ArchiveIndex index;
    const std::string archive = sparse("huge.hqr", MaxArchiveSize + 1);
    const Status status = ReadArchiveIndex(realFileSystem(), archive, index);
    EXPECT_NE(status.message().find("too large"), std::string::npos) << status.message();

    OrdinalArray ordinals{};
    EXPECT_FALSE(LoadOrdinalFile(realFileSystem(), sparse("huge.ord", 1u << 30), ordinals));
    CharacterTables tables;
    EXPECT_FALSE(LoadRemapping(tables, realFileSystem(), sparse("huge.cmp", 1u << 30), false).ok());
    EXPECT_FALSE(tables.RemapLoaded);
}

TEST(HostileFiles, JsonFarLargerThanATextFileIsRefusedWhileItIsParsed) {
    // Nested 200 000 deep, or 300 000 empty entries: a few megabytes that would take hundreds
    // of megabytes as a parsed tree.
    const std::size_t depth = 200000;
    const std::string deep = std::string(depth, '[') + std::string(depth, ']');
    std::string wide = R"({"game": 2, "entries": [{})";
    for (int i = 1; i < 300000; ++i)
        wide += ",{}";
    wide += "]}";
    const struct {
        const char* name;
        std::string json;
        const char* message;
    } cases[] = {
        {"deep", deep, "nest deeper than 32 levels"},
        {"deep entries", R"({"game": 2, "entries": [)" + deep + "]}", "nest deeper than 32 levels"},
        {"wide", wide, "more than 16384 values"},
    };
    auto doc = std::make_unique<TextDocument>();
    for (const auto& c : cases) {
        const Status status = cli::JsonToDocument(c.json, "big.json", *doc);
        EXPECT_FALSE(status.ok()) << c.name;
        EXPECT_NE(status.message().find(c.message), std::string::npos)
            << c.name << ": " << status.message();
        EXPECT_EQ(doc->SlotCount, 0) << c.name;
    }

    // A description of a full text file is well inside both limits.
    std::string full = R"({"game": 2, "entries": [)";
    for (int i = 0; i < 1022; ++i)
        full += std::string(i ? "," : "") + R"({"type": 33, "text": "entry"})";
    full += "]}";
    const Status accepted = cli::JsonToDocument(full, "full.json", *doc);
    EXPECT_TRUE(accepted.ok()) << accepted.message();
    EXPECT_EQ(doc->SlotCount, 1023);
}

} // namespace
} // namespace zyn::test
