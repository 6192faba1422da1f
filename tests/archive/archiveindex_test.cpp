#include "archive/archiveindex.h"
#include "archive/itemheader.h"
#include "document/bytes.h"
#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>
#include <string>

namespace zyn {
namespace {

using namespace std::string_literals;
using test::ArchiveBuilder;

class ArchiveIndexTest : public testing::Test {
protected:
    ArchiveIndex read(const std::string& bytes) {
        ArchiveIndex index;
        const Status status =
            ReadArchiveIndex(realFileSystem(), dir.write("text.hqr", bytes), index);
        EXPECT_TRUE(status.ok()) << status.message();
        return index;
    }

    test::TempDir dir;
};

TEST_F(ArchiveIndexTest, ReadsStoredCompressedBlankAndSharedItems) {
    ArchiveBuilder builder;
    builder.stored("first text")
        .blank(0)
        .compressed("a compressed, compressed, compressed text", 1)
        .sharedWith(0)
        .blank(-5)
        .raw(test::itemHeader(3, 3, 7) + "odd");
    const std::string bytes = builder.build();
    const ArchiveIndex index = read(bytes);

    ASSERT_EQ(index.LastItem, 5);
    for (int i = 0; i <= index.LastItem; ++i)
        EXPECT_EQ(index.ItemData[static_cast<std::size_t>(i)], builder.itemBytes(i)) << i;
    EXPECT_EQ(index.ItemOffset[0], 28);
    EXPECT_EQ(index.ItemOffset[1], 0);
    EXPECT_EQ(index.ItemOffset[3], 28);
    EXPECT_EQ(index.ItemOffset[4], -5);
    EXPECT_EQ(index.ItemMode[0], 0);
    EXPECT_EQ(index.ItemMode[2], 1);
    EXPECT_EQ(index.ItemMode[5], 7);
}

TEST_F(ArchiveIndexTest, ASlotAtTheArchivesLengthIsBlank) {
    std::string bytes = ArchiveBuilder().stored("x").stored("y").build();
    putU32(bytes, 4, static_cast<std::uint32_t>(bytes.size()));
    const ArchiveIndex index = read(bytes);
    ASSERT_EQ(index.LastItem, 1);
    EXPECT_TRUE(index.ItemData[1].empty());
    EXPECT_EQ(index.ItemOffset[1], static_cast<std::int32_t>(bytes.size()));
}

TEST(ArchiveIndex, LastItemFromTheFirstSlot) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {564, 139}, {604, 149}, {724, 179}, {8, 0},  {4, -1}, {0, -1},
        {-8, -1},   {6, 0},     {10, 0},    {14, 2}, {18, 2}, {22, 4}};
    for (const auto& [slot, last] : cases)
        EXPECT_EQ(LastItemFromFirstSlot(slot), last) << "slot 0 = " << slot;
}

TEST_F(ArchiveIndexTest, AnArchiveWithoutItems) {
    std::string bytes(4, '\0');
    putU32(bytes, 0, 4);
    EXPECT_EQ(read(bytes).LastItem, -1);
    EXPECT_EQ(read("").LastItem, -1);
}

TEST_F(ArchiveIndexTest, HoldsTwentyThousandAndOneItems) {
    std::string bytes(4 * 20002, '\0');
    putU32(bytes, 0, 4 * 20002);
    EXPECT_EQ(read(bytes).LastItem, 20000);
}

struct Refusal {
    const char* name;
    std::string bytes;
    int damagedNumber = 1; // the item (counted from 1) whose extraction must fail too
};

std::string withU32(std::string bytes, std::size_t pos, std::uint32_t value) {
    putU32(bytes, pos, value);
    return bytes;
}

const std::string Good = ArchiveBuilder().stored("hello").stored("world").build();

class RefusedArchive : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedArchive, IsReportedAndLeavesTheIndexAsItWas) {
    test::TempDir dir;
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), dir.write("good.hqr", Good), index).ok());
    const ArchiveIndex before = index;

    const std::string path = dir.write("bad.hqr", GetParam().bytes);
    const Status status = ReadArchiveIndex(realFileSystem(), path, index);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.kind(), ErrorKind::Damaged);
    EXPECT_NE(status.message().find(path), std::string::npos) << status.message();
    EXPECT_EQ(index.LastItem, before.LastItem);
    EXPECT_EQ(index.ItemData, before.ItemData);
    EXPECT_EQ(index.ItemOffset, before.ItemOffset);

    const std::string target = dir.file("item");
    EXPECT_FALSE(ExtractItem(realFileSystem(), path, target, GetParam().damagedNumber, index).ok());
    EXPECT_FALSE(test::fileExists(target));
    EXPECT_EQ(index.ItemData, before.ItemData);
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, RefusedArchive,
    testing::Values(Refusal{"TableLongerThanTheFile", withU32(Good, 0, 4000)},
                    Refusal{"MoreItemsThanTheIndexHolds",
                            [] {
                                std::string bytes(4 * 20003, '\0');
                                putU32(bytes, 0, 4 * 20003);
                                return bytes;
                            }()},
                    Refusal{"FirstSlotClaimsGigabytes", withU32(Good, 0, 0x7FFFFFF0)},
                    Refusal{"ItemOffsetPastTheEnd", withU32(Good, 4, 100000), 2},
                    Refusal{"ItemHeaderCutByTheEnd",
                            withU32(Good, 4, static_cast<std::uint32_t>(Good.size() - 4)), 2},
                    Refusal{"StoredSizeClaimsGigabytes", withU32(Good, 12 + 4, 0x7FFFFFFF)},
                    Refusal{"StoredSizePastTheEnd", withU32(Good, 12 + 15 + 4, 6), 2},
                    Refusal{"NegativeStoredSize", withU32(Good, 12 + 4, 0xFFFFFFF0)}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(ArchiveIndexTest, ExtractItemWritesTheItemWithItsHeaderAndRefreshesItsEntry) {
    ArchiveBuilder builder;
    builder.stored("zero").compressed("one one one one one one", 2).blank();
    const std::string path = dir.write("text.hqr", builder.build());
    ArchiveIndex index;
    index.LastItem = 0;

    const std::string target = dir.file("EN_SYS.DIA");
    ASSERT_TRUE(ExtractItem(realFileSystem(), path, target, 2, index).ok());
    EXPECT_EQ(test::readBytes(target), builder.itemBytes(1));
    EXPECT_EQ(index.LastItem, 2);
    EXPECT_EQ(index.ItemData[1], builder.itemBytes(1));
    EXPECT_EQ(index.ItemMode[1], 2);
    EXPECT_TRUE(index.ItemData[0].empty()) << "only the extracted item is refreshed";

    ASSERT_TRUE(ExtractItem(realFileSystem(), path, target, 3, index).ok());
    EXPECT_EQ(test::readBytes(target), "") << "a blank item gives an empty file";
}

TEST_F(ArchiveIndexTest, ExtractItemRefusesNumbersOutsideTheArchive) {
    const std::string path = dir.write("text.hqr", ArchiveBuilder().stored("a").build());
    ArchiveIndex index;
    for (const int number : {0, 2, -3}) {
        const Status status = ExtractItem(realFileSystem(), path, dir.file("out"), number, index);
        EXPECT_FALSE(status.ok()) << number;
        EXPECT_EQ(index.LastItem, -1);
    }
    EXPECT_FALSE(test::fileExists(dir.file("out")));
}

} // namespace
} // namespace zyn
