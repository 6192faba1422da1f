#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "base/bytes.h"
#include "base/expanddata.h"
#include "base/itemheader.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace zyn::test {
namespace {

using namespace std::string_literals;

TEST(ExpandData, DecodesTokensOfBothMethods) {
    std::string sevenReferences;
    for (int i = 0; i < 7; ++i)
        sevenReferences += "\xF0\x0F"s; // length 3 from 256 bytes back
    // Every token but the first literal copies 18 bytes: the most a stream can grow.
    std::string group = "\x00"s;
    for (int i = 0; i < 8; ++i)
        group += "\x0F\x00"s;
    std::string growing = "\x01Z"s + group.substr(3);
    for (int i = 0; i < 1000; ++i)
        growing += group;
    const struct {
        std::string input;
        int method;
        std::size_t expandedSize;
        std::string expected;
    } vectors[] = {
        {"\x01\x41\x00\x00"s, 2, 10, "AAAA"},
        {"\x01\x41\x00\x00"s, 1, 10, "AAA"},
        // Code 0x001F: 18 bytes from 2 back, through the bytes the copy itself appends.
        {"\x03"s + "AB\x1F\x00"s, 2, 100, "ABABABABABABABABABAB"},
        // Code 0x0041: 4 bytes from 5 back of one: the first byte stands in for the missing ones.
        {"\x01X\x41\x00"s, 2, 100, "XXXXX"},
        // The same in a whole group, which the decoder takes without testing bounds per token.
        {"\x01X"s + sevenReferences + "\x01Y"s, 2, 1000, std::string(22, 'X') + "Y"},
        {"\x02\x00\x00Q"s, 2, 100, "Q"},      // a reference before any output appends nothing
        {"\x01\x41\x0F\x00"s, 2, 5, "AAAAA"}, // a copy that overshoots the expanded size
        // A claim of gigabytes takes only what the input makes: no buffer of that size is made.
        {growing, 2, SIZE_MAX / 2, std::string(1 + 7 * 18 + 8000 * 18, 'Z')},
    };
    for (std::size_t i = 0; i < std::size(vectors); ++i) {
        const auto& v = vectors[i];
        EXPECT_EQ(ExpandData(v.input, v.method, v.expandedSize), v.expected) << "vector " << i;
    }
}

std::string dialogueLikeText(std::size_t size, unsigned seed) {
    const std::string words[] = {"the",    "ship",  "harbour", " @ ", "Hello",    "captain",
                                 "island", "never", "?",       "!",   "\xE9t\xE9"};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += words[random() % std::size(words)] + (random() % 9 == 0 ? ".\0"s : " "s);
    text.resize(size);
    return text;
}

// The stream keeps only the last window of its output and refills its input as it goes: the
// same bytes, whatever pieces the input comes in and wherever the expanded size cuts them.
TEST(ExpandData, GivesBackWhatTheEncoderPackedWholeOrAsAStreamFromInputInAnyPieces) {
    std::mt19937 random(3);
    std::string noise(4096 + 4097, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string samples[] = {"", "A", std::string(5000, 'x'),
                                   // Repeats exactly at the window's edge and just beyond it.
                                   noise.substr(0, 4096) + noise.substr(0, 100) +
                                       noise.substr(4096),
                                   dialogueLikeText(700000, 9)}; // several of the stream's chunks
    for (const int method : {1, 2}) {
        for (const std::string& sample : samples) {
            const std::string packed = EncodeLzss(sample, method);
            EXPECT_EQ(ExpandData(packed, method, sample.size()), sample)
                << "method " << method << ", " << sample.size() << " bytes";
            for (const std::size_t claimed :
                 {sample.size(), sample.size() + 100, sample.size() / 3, std::size_t{7}}) {
                for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, packed.size()}) {
                    std::size_t at = 0;
                    std::string out;
                    const auto input = [&](char* buffer, std::size_t size) {
                        const std::size_t n = std::min({size, piece, packed.size() - at});
                        packed.copy(buffer, n, at);
                        at += n;
                        return n;
                    };
                    const auto output = [&](std::string_view bytes) {
                        out += bytes;
                        return true;
                    };
                    const std::uint64_t handedOn = ExpandStream(input, method, claimed, output);
                    EXPECT_EQ(handedOn, out.size());
                    ASSERT_TRUE(out == sample.substr(0, claimed))
                        << "method " << method << ", " << claimed << " of " << sample.size()
                        << " bytes claimed, pieces of " << piece;
                }
            }
        }
    }
    // Data cut off anywhere decodes correctly up to the cut.
    const std::string text = dialogueLikeText(3000, 7);
    const std::string packed = EncodeLzss(text, 2);
    for (std::size_t length = 0; length <= packed.size(); ++length) {
        const std::string out = ExpandData(packed.substr(0, length), 2, text.size());
        ASSERT_EQ(out, text.substr(0, out.size())) << "cut at " << length;
    }
}

TEST(ExpandData, ReportsTheBytesExpandedAndEndsAtZero) {
    const std::string text = dialogueLikeText(1500000, 8);
    const std::string packed = EncodeLzss(text, 1);
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    EXPECT_EQ(ExpandData(packed, 1, text.size(),
                         [&](std::size_t p, std::size_t m) { calls.emplace_back(p, m); }),
              text);
    ASSERT_GE(calls.size(), 3u);
    // The value is the output so far, so the bar fills instead of stopping where the compressed
    // input ends.
    for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
        EXPECT_EQ(calls[i].second, text.size());
        EXPECT_TRUE(i == 0 || calls[i].first > calls[i - 1].first);
    }
    EXPECT_GT(calls[calls.size() - 2].first, packed.size());
    EXPECT_EQ(calls.back(), std::make_pair(std::size_t{0}, text.size()));
}

class Archive : public testing::Test {
protected:
    std::string path() const { return dir.file("text.hqr"); }
    ArchiveIndex read(const std::string& bytes) {
        ArchiveIndex index;
        const Status status =
            ReadArchiveIndex(realFileSystem(), dir.write("text.hqr", bytes), index);
        EXPECT_TRUE(status.ok()) << status.message();
        return index;
    }

    TempDir dir;
};

TEST_F(Archive, IndexHoldsStoredCompressedBlankAndSharedItemsAndOneCanBeExtracted) {
    ArchiveBuilder builder;
    builder.stored("first text")
        .blank(0)
        .compressed("a compressed, compressed, compressed text", 1)
        .sharedWith(0)
        .blank(-5)
        .raw(itemHeader(3, 3, 7) + "odd")
        .stored("last");
    std::string bytes = builder.build();
    putU32(bytes, 4 * 6, static_cast<std::uint32_t>(bytes.size())); // the archive's length: blank
    const ArchiveIndex index = read(bytes);

    ASSERT_EQ(index.LastItem, 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(index.ItemData[static_cast<std::size_t>(i)], builder.itemBytes(i)) << i;
    EXPECT_EQ(index.ItemData[6], "");
    EXPECT_EQ(index.ItemOffset[4], -5); // the slot as read

    // Extracting an item (numbered from 1) writes it whole and refreshes its entry only. (The
    // archive item flow's refusals ask for numbers past either end.)
    ArchiveIndex one;
    const std::string target = dir.file("EN_SYS.DIA");
    ASSERT_TRUE(ExtractItem(realFileSystem(), path(), target, 3, one).ok());
    EXPECT_EQ(readBytes(target), builder.itemBytes(2));
    EXPECT_EQ(one.LastItem, 6);
    EXPECT_EQ(one.ItemData,
              (std::vector<std::string>{"", "", builder.itemBytes(2), "", "", "", ""}));
}

TEST_F(Archive, TheFirstSlotGivesTheItemCountRoundedToEven) {
    for (const auto& [slot, last] : std::initializer_list<std::pair<std::int32_t, std::int32_t>>{
             {724, 179}, {4, -1}, {10, 0}, {14, 2}})
        EXPECT_EQ(LastItemFromFirstSlot(slot), last) << "slot 0 = " << slot;
    EXPECT_EQ(read("").LastItem, -1);
    EXPECT_EQ(read("\x04\0\0\0"s).LastItem, -1);
}

TEST_F(Archive, DamagedArchivesAreRefusedAndLeaveTheIndexAsItWas) {
    const std::string good = ArchiveBuilder().stored("hello").stored("world").build();
    const auto with = [&](std::size_t pos, std::uint32_t value) {
        std::string bytes = good;
        putU32(bytes, pos, value);
        return bytes;
    };
    const std::pair<std::string, int> cases[] = {
        // The archive, and the item (counted from 1) whose extraction must fail too.
        {with(0, 4000), 1},            // the table runs past the end
        {with(4, 100000), 2},          // an item past the end
        {with(12 + 4, 0x7FFFFFFF), 1}, // a stored size of gigabytes
        {with(12 + 15 + 4, 6), 2},     // a stored size one past the end
        {with(12 + 4, 0xFFFFFFF0), 1},
        {with(4, 8), 2},  // an item inside the table
        {with(4, 14), 2}, // an item inside item 0 (items sharing one offset: the index test)
    };
    const ArchiveIndex before = read(good);
    for (const auto& [bytes, item] : cases) {
        ArchiveIndex index = before;
        const std::string bad = dir.write("bad.hqr", bytes);
        const Status status = ReadArchiveIndex(realFileSystem(), bad, index);
        EXPECT_EQ(status.kind(), ErrorKind::Damaged);
        EXPECT_TRUE(status.message().starts_with("The archive " + bad + " is damaged: "))
            << status.message();
        EXPECT_FALSE(ExtractItem(realFileSystem(), bad, dir.file("item"), item, index).ok());
        EXPECT_FALSE(fileExists(dir.file("item")));
        EXPECT_EQ(index.LastItem, before.LastItem);
        EXPECT_EQ(index.ItemData, before.ItemData);
    }
}

TEST(BackupName, CutsTheFileNameAtItsFirstDot) {
    // Folders with dots in their names: the tool's replace test.
    for (const auto& [path, backup] : {std::pair{"/games/text.hqr.old", "/games/text.~$R"},
                                       {"/games/text", "/games/text.~$R"},
                                       {"text.hqr", "text.~$R"}})
        EXPECT_EQ(BackupName(path), backup);
}

// The rebuild lays out every item in item order, shares only bytes that are still the same,
// writes what was blank, gives stored items a fresh header, and replaces nothing when an item is
// not what its change expected.
TEST_F(Archive, RebuildLaysOutItemsInOrderSharingOnlyUnchangedBytes) {
    const std::string one = itemHeader(3, 3, 0) + "one";
    ArchiveBuilder builder;
    builder.stored("zero")
        .raw(one)
        .raw(itemHeader(7, 3, 0) + "two") // a stored item whose header is not fresh
        .sharedWith(1)
        .sharedWith(1)
        .blank(0)
        .blank(-1)
        .raw(itemHeader(9, 3, 2) + "abc");
    const std::string before = builder.build();
    dir.write("text.hqr", before);
    std::string expected;
    for (const std::uint32_t slot : {36, 50, 63, 76, 76, 89, 0, 105, 118})
        appendU32(expected, slot);
    expected += itemHeader(4, 4, 0) + "zero" + itemHeader(3, 3, 0) + "new" + itemHeader(3, 3, 0) +
                "two" + one + itemHeader(6, 6, 0) + "filled" + itemHeader(9, 3, 2) + "abc";

    const auto rebuild = [&](std::optional<std::string> expectedItem) {
        return RebuildArchive(realFileSystem(), path(),
                              {{1, StoredItem("new"), expectedItem},
                               {5, std::string(10, '\0') + "filled", std::nullopt}},
                              {});
    };
    const auto changed = rebuild(itemHeader(3, 3, 0) + "old");
    ASSERT_TRUE(changed.ok()) << changed.message();
    ASSERT_EQ(changed->size(), 1u);
    EXPECT_EQ(changed->front().item, 1);
    EXPECT_EQ(changed->front().found, one);
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_FALSE(fileExists(BackupName(path())));

    const auto rebuilt = rebuild(one);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.message();
    EXPECT_TRUE(rebuilt->empty());
    EXPECT_EQ(readBytes(path()), expected);
    EXPECT_EQ(readBytes(BackupName(path())), before);
}

// Until a rebuild's backup is in place, another run finds the new archive locked too: it could
// otherwise take the backup, not yet under its name, for what a killed rebuild left.
TEST_F(Archive, TheNewArchiveIsLockedBeforeItTakesTheArchivesName) {
    struct Watcher : FaultyFileSystem {
        std::string archive;
        ErrorKind seen = ErrorKind::None;
        Status rename(const std::string& from, const std::string& to) override {
            Status renamed = FaultyFileSystem::rename(from, to);
            if (to != archive)
                return renamed;
            auto other = realFileSystem().open(to, true);
            seen = other.kind();
            if (other)
                realFileSystem().close(*other);
            return renamed;
        }
    } watcher;
    watcher.archive = dir.write("text.hqr", ArchiveBuilder().stored("old").build());
    ASSERT_TRUE(RebuildArchive(watcher, path(), {{0, StoredItem("new"), {}}}, {}).ok());
    EXPECT_EQ(watcher.seen, ErrorKind::Busy);
}

} // namespace
} // namespace zyn::test
