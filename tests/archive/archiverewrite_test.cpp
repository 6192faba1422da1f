#include "archive/archiverewrite.h"
#include "archive/itemheader.h"
#include "document/bytes.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace zyn {
namespace {

using test::ArchiveBuilder;
using test::FaultyFileSystem;

TEST(BackupName, CutsThePathAtItsFirstDot) {
    const std::pair<const char*, const char*> cases[] = {{"/games/TEXT.HQR", "/games/TEXT.~$R"},
                                                         {"/games/text.hqr.old", "/games/text.~$R"},
                                                         {"/games/text", "/games/text.~$R"},
                                                         {"/my.games/text.hqr", "/my.~$R"}};
    for (const auto& [path, backup] : cases)
        EXPECT_EQ(BackupName(path), backup);
}

class RewriteTest : public testing::Test {
protected:
    std::string archivePath() const { return dir.file("text.hqr"); }
    std::string backupPath() const { return dir.file("text.~$R"); }

    ArchiveIndex load(const std::string& bytes) {
        dir.write("text.hqr", bytes);
        ArchiveIndex index;
        EXPECT_TRUE(ReadArchiveIndex(realFileSystem(), archivePath(), index).ok());
        return index;
    }
    ArchiveIndex reread() {
        ArchiveIndex index;
        EXPECT_TRUE(ReadArchiveIndex(realFileSystem(), archivePath(), index).ok());
        return index;
    }

    test::TempDir dir;
};

TEST_F(RewriteTest, ReplacesOneItemAndKeepsEveryOtherItemsBytes) {
    ArchiveBuilder builder;
    builder.stored("zero")
        .compressed("one one one one one one one one", 1)
        .blank()
        .stored("three")
        .raw(test::itemHeader(2, 2, 9) + "??");
    const std::string old = builder.build();
    ArchiveIndex index = load(old);
    ReplaceItem(index, 3, "a new text for item three");
    ASSERT_TRUE(RewriteArchive(realFileSystem(), index, archivePath()).ok());

    const std::string rebuilt = test::readBytes(archivePath());
    EXPECT_EQ(readU32(rebuilt, 0), 4u * 6) << "same table size";
    EXPECT_EQ(readU32(rebuilt, 4 * 5), rebuilt.size()) << "closing slot = archive length";
    const ArchiveIndex after = reread();
    ASSERT_EQ(after.LastItem, 4);
    EXPECT_EQ(after.ItemData[0], builder.itemBytes(0));
    EXPECT_EQ(after.ItemData[1], builder.itemBytes(1)) << "compressed items are copied whole";
    EXPECT_EQ(after.ItemOffset[2], 0);
    EXPECT_EQ(after.ItemData[3], StoredItem("a new text for item three"));
    EXPECT_EQ(after.ItemData[4], builder.itemBytes(4)) << "unknown modes are copied whole";
    EXPECT_EQ(test::readBytes(backupPath()), old);
}

TEST_F(RewriteTest, ItemsAreWrittenInItemOrder) {
    // Item 2 lies before item 1 in the old archive.
    std::string bytes(16, '\0');
    putU32(bytes, 0, 16);
    bytes += StoredItem("zero");
    putU32(bytes, 8, static_cast<std::uint32_t>(bytes.size()));
    bytes += StoredItem("two");
    putU32(bytes, 4, static_cast<std::uint32_t>(bytes.size()));
    bytes += StoredItem("one");
    putU32(bytes, 12, static_cast<std::uint32_t>(bytes.size()));
    ArchiveIndex index = load(bytes);
    ReplaceItem(index, 0, "ZERO");
    ASSERT_TRUE(RewriteArchive(realFileSystem(), index, archivePath()).ok());
    const std::string rebuilt = test::readBytes(archivePath());
    EXPECT_EQ(rebuilt.substr(16), StoredItem("ZERO") + StoredItem("one") + StoredItem("two"));
}

TEST_F(RewriteTest, SharedItemsStaySharedAndBlankItemsStayBlank) {
    ArchiveBuilder builder;
    builder.stored("shared").blank().sharedWith(0).blank(-1).sharedWith(0);
    ArchiveIndex index = load(builder.build());
    ASSERT_TRUE(RewriteArchive(realFileSystem(), index, archivePath()).ok());
    const std::string rebuilt = test::readBytes(archivePath());
    EXPECT_EQ(rebuilt.size(), 4u * 6 + StoredItem("shared").size()) << "stored once";
    const ArchiveIndex after = reread();
    const std::int32_t expected[] = {24, 0, 24, 0, 24};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(after.ItemOffset[static_cast<std::size_t>(i)], expected[i]) << i;
}

TEST(BuildArchive, ABlankItemZeroKeepsTableValueZero) {
    ArchiveIndex index;
    index.LastItem = 1;
    index.ItemOffset = {0, 12};
    index.ItemMode = {0, 0};
    index.ItemData = {"", StoredItem("one")};
    const auto archive = BuildArchive(index);
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(readU32(*archive, 0), 0u);
    EXPECT_EQ(readU32(*archive, 4), 12u);
    EXPECT_EQ(readU32(*archive, 8), archive->size());
}

TEST_F(RewriteTest, AReplacedSharedItemIsUnsharedAndTheOthersKeepTheOldBytes) {
    ArchiveBuilder builder;
    builder.stored("old").sharedWith(0).sharedWith(0);
    for (const int replaced : {0, 1}) {
        ArchiveIndex index = load(builder.build());
        ReplaceItem(index, replaced, "new");
        ASSERT_TRUE(RewriteArchive(realFileSystem(), index, archivePath()).ok());
        const ArchiveIndex after = reread();
        ASSERT_EQ(after.LastItem, 2);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(after.ItemData[static_cast<std::size_t>(i)],
                      StoredItem(i == replaced ? "new" : "old"))
                << "replaced " << replaced << ", item " << i;
        EXPECT_EQ(after.ItemOffset[2], after.ItemOffset[replaced == 0 ? 1 : 0]);
    }
}

TEST_F(RewriteTest, AReplacedBlankItemIsFilled) {
    ArchiveIndex index =
        load(ArchiveBuilder().stored("zero").blank().stored("two").blank(-3).build());
    ReplaceItem(index, 1, "filled");
    ReplaceItem(index, 3, "filled too");
    ASSERT_TRUE(RewriteArchive(realFileSystem(), index, archivePath()).ok());
    const ArchiveIndex after = reread();
    ASSERT_EQ(after.LastItem, 3);
    EXPECT_EQ(after.ItemData[0], StoredItem("zero"));
    EXPECT_EQ(after.ItemData[1], StoredItem("filled"));
    EXPECT_EQ(after.ItemData[2], StoredItem("two"));
    EXPECT_EQ(after.ItemData[3], StoredItem("filled too"));
}

struct Fault {
    const char* name;
    FaultyFileSystem::Op op;
    int nth;
    bool backupWritten;
};

class RewriteFault : public RewriteTest, public testing::WithParamInterface<Fault> {};

TEST_P(RewriteFault, LeavesTheArchiveAsItWas) {
    const std::string old = ArchiveBuilder().stored("keep me").stored("and me").build();
    ArchiveIndex index = load(old);
    ReplaceItem(index, 1, "lost");
    FaultyFileSystem fs;
    fs.failOn(GetParam().op, GetParam().nth, "No space left on device");

    const Status status = RewriteArchive(fs, index, archivePath());
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find(archivePath()), std::string::npos) << status.message();
    EXPECT_NE(status.message().find("No space left on device"), std::string::npos);
    EXPECT_EQ(test::readBytes(archivePath()), old);
    EXPECT_EQ(test::fileExists(backupPath()), GetParam().backupWritten);
    if (GetParam().backupWritten) {
        EXPECT_EQ(test::readBytes(backupPath()), old);
    }
    // Nothing but the archive and its backup is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, GetParam().backupWritten ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, RewriteFault,
                         testing::Values(Fault{"BackupCopy", FaultyFileSystem::Op::Copy, 1, false},
                                         Fault{"Create", FaultyFileSystem::Op::Create, 1, true},
                                         Fault{"Write", FaultyFileSystem::Op::Write, 1, true},
                                         Fault{"Flush", FaultyFileSystem::Op::Flush, 1, true},
                                         Fault{"Rename", FaultyFileSystem::Op::Rename, 1, true}),
                         [](const testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace zyn
