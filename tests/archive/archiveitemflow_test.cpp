#include "archive/archiveitemflow.h"
#include "archive/archivesave.h"
#include "archive/itemheader.h"
#include "archive/itemnames.h"
#include "document/programstate.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace zyn {
namespace {

using test::ArchiveBuilder;

const std::string Zyn2Text = test::TextFileBuilder(2)
                                 .entry("Welcome aboard, captain! @ The sea is calm.", 1)
                                 .entry("Second entry", 3)
                                 .data();
const std::string Zyn1Text = test::TextFileBuilder(1).entry("Only one entry here").data();

class ArchiveFlowTest : public testing::Test {
protected:
    // A ZYN 2 text archive of four items: a stored text, a compressed text (mode 1), a blank
    // item and a compressed text (mode 2).
    void SetUp() override {
        builder.stored("ordinals")
            .stored(Zyn2Text)
            .blank()
            .compressed(Zyn2Text, 1)
            .compressed(Zyn2Text, 2)
            .raw(test::itemHeader(4, 4, 3) + "MSCF");
        state.ArchivePath = dir.write("text.hqr", builder.build());
        state.ArchiveIsVersion2 = true;
        state.BaseCaption = "ZYN Text File Editor";
        NameTextArchiveItems(state, true, false);
        ASSERT_TRUE(ReadArchiveIndex(state.files(), state.ArchivePath, state).ok());
    }

    // A document that a refused load must leave alone.
    void loadSomethingElse() {
        state.ArchiveItem = 1;
        ASSERT_TRUE(LoadArchiveItem(state).ok());
        state.EntryText[0] = "edited";
        state.Modified = true;
        state.FromArchive = false;
    }

    bool workingFolderIsEmpty() { return std::filesystem::is_empty(state.Work.path()); }

    test::TempDir dir;
    ArchiveBuilder builder;
    ProgramState state;
};

TEST_F(ArchiveFlowTest, LoadsStoredAndCompressedItems) {
    for (const int item : {1, 3, 4}) {
        state.ArchiveItem = static_cast<std::int16_t>(item);
        state.FromArchive = false;
        int progressCalls = 0;
        const Status status =
            LoadArchiveItem(state, [&](std::size_t, std::size_t) { ++progressCalls; });
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(state.SlotCount, 3) << item;
        EXPECT_EQ(state.EntryText[0], "Welcome aboard, captain!\r\nThe sea is calm.");
        EXPECT_EQ(state.EntryType[1], 3);
        EXPECT_TRUE(state.IsVersion2);
        EXPECT_TRUE(state.FromArchive);
        EXPECT_TRUE(state.HeaderFound);
        EXPECT_FALSE(state.Modified);
        EXPECT_EQ(progressCalls > 0, item != 1) << "progress follows expansion only";
        EXPECT_TRUE(workingFolderIsEmpty()) << "item " << item;
    }
}

TEST_F(ArchiveFlowTest, ReadsAsTheArchiveSaysNotAsTheLastDocumentWas) {
    const std::string path = dir.write("zyn1.hqr", ArchiveBuilder().stored(Zyn1Text).build());
    state.ArchivePath = path;
    state.ArchiveIsVersion2 = false;
    state.IsVersion2 = true;
    state.ArchiveItem = 0;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), path, state).ok());
    ASSERT_TRUE(LoadArchiveItem(state).ok());
    EXPECT_FALSE(state.IsVersion2);
    EXPECT_EQ(state.EntryText[0], "Only one entry here");
}

struct Refusal {
    const char* name;
    int item;
    ErrorKind kind;
};

class RefusedItem : public ArchiveFlowTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedItem, LeavesTheDocumentAsItWas) {
    loadSomethingElse();
    const TextDocument before = state;
    state.ArchiveItem = static_cast<std::int16_t>(GetParam().item);
    const Status status = LoadArchiveItem(state);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.kind(), GetParam().kind) << status.message();
    if (GetParam().kind == ErrorKind::Unsupported) {
        EXPECT_EQ(status.message(), UnsupportedCompressionMessage());
    }
    EXPECT_EQ(state.EntryText, before.EntryText);
    EXPECT_EQ(state.SlotCount, before.SlotCount);
    EXPECT_TRUE(state.Modified);
    EXPECT_FALSE(state.FromArchive);
    EXPECT_TRUE(workingFolderIsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Items, RefusedItem,
                         testing::Values(Refusal{"Blank", 2, ErrorKind::Damaged},
                                         Refusal{"NotText", 0, ErrorKind::Damaged},
                                         Refusal{"UnsupportedMode", 5, ErrorKind::Unsupported},
                                         Refusal{"BeyondTheArchive", 6, ErrorKind::Damaged},
                                         Refusal{"Negative", -1, ErrorKind::Damaged}),
                         [](const testing::TestParamInfo<Refusal>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ArchiveFlowTest, SaveIntoArchiveReplacesTheItemAndKeepsTheOthers) {
    state.ArchiveItem = 3;
    ASSERT_TRUE(LoadArchiveItem(state).ok());
    state.EntryText[1] = "Changed\r\n";
    const Status status = SaveIntoArchive(state);
    ASSERT_TRUE(status.ok()) << status.message();

    ArchiveIndex after;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), state.ArchivePath, after).ok());
    auto expected = BuildTextData(state, state);
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(after.ItemData[3], StoredItem(*expected));
    EXPECT_EQ(after.ItemMode[3], 0);
    for (const int other : {0, 1, 4, 5})
        EXPECT_EQ(after.ItemData[static_cast<std::size_t>(other)], builder.itemBytes(other));
    EXPECT_TRUE(test::fileExists(dir.file("text.~$R")));
    EXPECT_EQ(state.EntryText[1], "Changed\r\n") << "the document is left to the caller";

    // Loading the item back gives the text as saved.
    ASSERT_TRUE(LoadArchiveItem(state).ok());
    EXPECT_EQ(state.EntryText[1], "Changed\r\n");
    EXPECT_FALSE(state.HeaderMode);
}

TEST_F(ArchiveFlowTest, AFailedSaveRestoresTheIndexAndTheArchive) {
    state.ArchiveItem = 1;
    ASSERT_TRUE(LoadArchiveItem(state).ok());
    state.EntryText[0] = "Lost?";
    state.Modified = true;
    const std::string old = test::readBytes(state.ArchivePath);
    test::FaultyFileSystem faulty;
    faulty.failOn(test::FaultyFileSystem::Op::Rename);
    state.Files = &faulty;

    const Status status = SaveToArchiveItem(state);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find(state.ArchivePath), std::string::npos);
    EXPECT_EQ(test::readBytes(state.ArchivePath), old);
    EXPECT_EQ(state.ItemData[1], builder.itemBytes(1));
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(state.EntryText[0], "Lost?");
    state.Files = &realFileSystem();
}

TEST_F(ArchiveFlowTest, SaveToArchiveItemWritesEvenUnmodifiedAndAdoptsTheItem) {
    state.ArchiveItem = 1;
    ASSERT_TRUE(LoadArchiveItem(state).ok());
    state.FromArchive = false; // as after File Open of a loose file
    state.ArchiveItem = 4;
    state.Modified = false;
    state.EntryText[0] = "Welcome aboard, captain! @";
    const Status status = SaveToArchiveItem(state);
    ASSERT_TRUE(status.ok()) << status.message();
    EXPECT_TRUE(state.FromArchive);
    EXPECT_EQ(state.ArchiveItem, 4);
    EXPECT_FALSE(state.Modified);
    EXPECT_EQ(state.EntryText[0], "Welcome aboard, captain!\r\n") << "normalised as stored";

    ArchiveIndex after;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), state.ArchivePath, after).ok());
    EXPECT_EQ(after.ItemMode[4], 0);
    EXPECT_EQ(after.ItemData[1], builder.itemBytes(1));
}

TEST_F(ArchiveFlowTest, SavingIntoAnItemOutsideTheIndexIsRefused) {
    state.ArchiveItem = 40;
    const std::string old = test::readBytes(state.ArchivePath);
    EXPECT_FALSE(SaveIntoArchive(state).ok());
    EXPECT_EQ(test::readBytes(state.ArchivePath), old);
}

TEST_F(ArchiveFlowTest, FileSaveOfAnArchiveDocumentWritesTheItem) {
    state.ArchiveItem = 4;
    ASSERT_TRUE(LoadArchiveItem(state).ok());
    SetFileName(state, state.ArchivePath);
    state.EntryText[1] = "By File Save";
    state.Modified = true;
    const SaveResult saved = SaveDocument(state);
    ASSERT_EQ(saved.outcome, SaveOutcome::Saved) << saved.message;
    ArchiveIndex after;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), state.ArchivePath, after).ok());
    EXPECT_NE(after.ItemData[4].find("By File Save"), std::string::npos);
    EXPECT_EQ(after.LastItem, 5) << "the archive is still an archive";
}

} // namespace
} // namespace zyn
