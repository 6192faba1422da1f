// Large and hostile inputs: the limits of archives and text files on both sides, and files
// whose tables, headers or sizes claim far more than they hold. Each is handled or refused with
// a message; none may make a reader allocate what the file claims.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "archive/archivetable.h"
#include "archive/itemexpansion.h"
#include "base/itemheader.h"
#include "characters/remapping.h"
#include "cli/jsontext.h"
#include "document/ordinals.h"
#include "document/textreader.h"
#include "flows/archiveitemflow.h"
#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace zyn::test {
namespace {

TEST(HostileArchives, TwentyThousandAndOneItemsAreHandledOneMoreIsRefused) {
    TempDir dir;
    const std::string handled = dir.write("handled.hqr", TextArchive(20001));
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), handled, index).ok());
    ASSERT_EQ(index.itemCount(), 20001);

    // The last item can be taken out, replaced and written back.
    ASSERT_TRUE(ExtractItem(realFileSystem(), handled, dir.file("last"), 20001, index).ok());
    EXPECT_EQ(readBytes(dir.file("last")), itemHeader(11, 11, 0) + "item 20000 ");
    ASSERT_TRUE(
        RebuildArchive(realFileSystem(), handled, {{20000, StoredItem("replaced"), {}}}, {}).ok());
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), handled, index).ok());
    ASSERT_EQ(index.itemCount(), 20001);
    EXPECT_EQ(index.ItemData[20000].substr(10), "replaced");

    const std::string refused = dir.write("refused.hqr", TextArchive(20002));
    const Status status = ReadArchiveIndex(realFileSystem(), refused, index);
    EXPECT_NE(status.message().find("claims 20002 items"), std::string::npos) << status.message();
    EXPECT_EQ(index.ItemData[20000].substr(10), "replaced")
        << "a refused archive changes the index";
}

// Another program cutting the archive short while its item headers are read (through a mapping,
// whose lost pages raise SIGBUS) makes the read fail with a message instead of ending the run.
TEST(HostileArchives, AnArchiveCutShortWhileItIsReadIsRefused) {
    TempDir dir;
    const std::string path = dir.write("text.hqr", TextArchive(4000));
    FileSystem& fs = realFileSystem();
    auto file = fs.open(path, false);
    ASSERT_TRUE(file.ok()) << file.message();
    FileCloser closer(fs, *file);
    std::filesystem::resize_file(path, 4 * 4001); // the table stays, the items go
    const auto table = ReadArchiveTable(fs, *file);
    EXPECT_NE(table.message().find("became shorter while it was read"), std::string::npos)
        << table.message();
}

TEST(HostileArchives, ItemsSharingOneLargeItemCannotMultiplyIt) {
    const auto sharing = [&](int items, std::size_t size) {
        ArchiveBuilder builder;
        builder.stored(std::string(size, 'x'));
        for (int i = 1; i < items; ++i)
            builder.sharedWith(0);
        return builder.build();
    };
    // 20 001 items sharing 4 MB would be 80 GB once every item holds its copy.
    TempDir dir;
    ArchiveIndex index;
    const std::string shared = dir.write("shared.hqr", sharing(20001, 4 << 20));
    const Status status = ReadArchiveIndex(realFileSystem(), shared, index);
    EXPECT_EQ(status.kind(), ErrorKind::Unsupported);
    EXPECT_NE(status.message().find("share their bytes"), std::string::npos) << status.message();
    EXPECT_EQ(index.itemCount(), 0);
    // Taking out one item copies it once.
    ASSERT_TRUE(ExtractItem(realFileSystem(), shared, dir.file("one"), 20001, index).ok());
    EXPECT_EQ(readBytes(dir.file("one")).size(), 10u + (4 << 20));

    // Shared bytes count once: the 400 KB of 180 items sharing them are an archive of 400 KB.
    const Status few =
        ReadArchiveIndex(realFileSystem(), dir.write("few.hqr", sharing(180, 400000)), index);
    ASSERT_TRUE(few.ok()) << few.message();
    ASSERT_EQ(index.itemCount(), 180);
    EXPECT_TRUE(index.ItemData[179] == itemHeader(400000, 400000, 0) + std::string(400000, 'x'));
}

TEST(HostileTexts, EachLimitIsReadAndOneMoreIsRefused) {
    enum Form { Plain, BehindAHeader, Compressed };
    const std::tuple<int, std::size_t, Form> limits[] = {
        {1022, 4000, Plain},       {1023, 4000, Plain}, // slots
        {3, 32767, Plain},         {3, 32768, Plain},   // bytes
        {3, 32767, BehindAHeader}, {3, 32768, BehindAHeader},
        {3, 32767, Compressed},    {3, 32768, Compressed}, // expanded bytes
    };
    TempDir dir;
    for (const auto& [entries, length, form] : limits) {
        SCOPED_TRACE(testing::Message() << entries << " entries, " << length << " bytes, " << form);
        const bool readable = entries < 1023 && length < 32768;
        // Padded to length with the last entry's text.
        std::vector<std::string> texts(static_cast<std::size_t>(entries), "");
        texts.back().assign(length - TextFileBuilder(1).entries(texts).data().size(), 'x');
        TextFileBuilder builder = TextFileBuilder(1).entries(texts);
        const std::string path = dir.write(
            "limit.ztf", form == Compressed ? CompressedItem(builder.data(), 1)
                                            : builder.withHeader(form == BehindAHeader).bytes());
        std::filesystem::remove(path + ".TMP");

        const auto read = ReadTextFile(realFileSystem(), path, false,
                                       {CompressedFiles::Expand, {}, path + ".TMP"});
        EXPECT_EQ(read.ok(), readable) << read.message();
        if (read) {
            EXPECT_EQ(read->text.SlotCount, entries + 1);
            EXPECT_EQ(read->text.EntryText[static_cast<std::size_t>(entries - 1)], texts.back());
        } else {
            EXPECT_EQ(read.kind(), ErrorKind::Damaged);
            EXPECT_NE(read.message().find(entries > 1000 ? "more than 1023" : "32 767"),
                      std::string::npos)
                << read.message();
        }
        // The expanded copy is the file's data; a refused file leaves none cut short.
        EXPECT_EQ(fileExists(path + ".TMP"), form == Compressed && readable);
    }
}

TEST(HostileFiles, ClaimedExpandedSizesOfGigabytesStayBoundedByTheInputAndTheReader) {
    // Compressed data that expands about nine times: a literal, then back-references of 18 bytes.
    const auto explosive = [](std::size_t inputBytes) {
        std::string data("\x01\x02", 2);
        while (data.size() < inputBytes)
            data.append("\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00\x0F\x00", 17);
        return itemHeader(0xFFFFFFFFu, static_cast<std::uint32_t>(data.size()), 2) + data;
    };
    // A text is expanded only as far as a text can reach, loose or as an archive item: the
    // expansion's progress shows how far it was asked to go.
    std::size_t reach = 0;
    const ProgressFn follow = [&](std::size_t, std::size_t most) {
        reach = std::max(reach, most);
    };
    TempDir dir;
    const std::string path = dir.write("bomb.ztf", explosive(8 * 1024 * 1024));
    const auto read = ReadTextFile(realFileSystem(), path, true,
                                   {CompressedFiles::Expand, follow, path + ".TMP"});
    EXPECT_NE(read.message().find("more than 32 767"), std::string::npos) << read.message();
    EXPECT_EQ(reach, ExpandedTextLimit);
    EXPECT_FALSE(fileExists(path + ".TMP"));

    const std::string archive =
        dir.write("text.hqr", ArchiveBuilder().raw(readBytes(path)).build());
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), archive, index).ok());
    reach = 0;
    const auto loaded =
        LoadArchiveItem(realFileSystem(), archive, index, 0, "item 0", false, follow);
    EXPECT_NE(loaded.message().find("32 767"), std::string::npos) << loaded.message();
    EXPECT_EQ(reach, ExpandedTextLimit);

    // An item file expands to what its data makes, whatever its header claims.
    const std::string tiny =
        dir.write("tiny.dat", itemHeader(0xFFFFFFFFu, 4, 1) + std::string("\x01Z\x00\x00", 4));
    ASSERT_TRUE(ExpandItemFile(realFileSystem(), tiny, dir.file("tiny.out"), true).ok());
    EXPECT_EQ(readBytes(dir.file("tiny.out")), "ZZZ");

    // Ordinals: at most 1024 groups.
    OrdinalArray ordinals{};
    EXPECT_FALSE(
        LoadOrdinalFile(realFileSystem(), dir.write("bomb.ord", explosive(64 * 1024)), ordinals));
    EXPECT_EQ(ordinals, OrdinalArray{});
}

TEST(HostileFiles, FilesLargerThanAReaderTakesAreRefusedBeforeTheyAreRead) {
    // Sparse files: their size costs no disk space, and is all the readers may look at.
    TempDir dir;
    const auto sparse = [&](const char* name, std::uint64_t size) {
        const std::string path = dir.write(name, "");
        std::filesystem::resize_file(path, size);
        return path;
    };
    const auto read =
        ReadTextFile(realFileSystem(), sparse("huge.zyt", MaxTextFileSize + 1), false);
    EXPECT_NE(read.message().find("too large"), std::string::npos) << read.message();
    ArchiveIndex index;
    const Status status =
        ReadArchiveIndex(realFileSystem(), sparse("huge.hqr", MaxArchiveSize + 1), index);
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
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    std::string wide = R"({"game": 2, "entries": [{})";
    for (int i = 1; i < 300000; ++i)
        wide += ",{}";
    const std::pair<std::string, const char*> cases[] = {
        {deep, "nest deeper than 32 levels"},
        {R"({"game": 2, "entries": [)" + deep + "]}", "nest deeper than 32 levels"},
        {wide + "]}", "more than 16384 values"},
    };
    auto doc = std::make_unique<TextDocument>();
    for (const auto& [json, message] : cases) {
        const Status status = cli::JsonToDocument(json, "big.json", *doc);
        EXPECT_NE(status.message().find(message), std::string::npos) << status.message();
        EXPECT_EQ(doc->SlotCount, 0);
    }

    // A description of a full text file is well inside both limits.
    std::string full = R"({"game": 2, "entries": [{"type": 33, "text": "entry"})";
    for (int i = 1; i < 1022; ++i)
        full += R"(,{"type": 33, "text": "entry"})";
    const Status accepted = cli::JsonToDocument(full + "]}", "full.json", *doc);
    EXPECT_TRUE(accepted.ok()) << accepted.message();
    EXPECT_EQ(doc->SlotCount, 1023);
}

} // namespace
} // namespace zyn::test
