#include "archive/archiverewrite.h"
#include "archive/itemcheck.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "document/textreader.h"
#include "flows/archiveitemflow.h"
#include "flows/archivesave.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::ArchiveBuilder;
using test::TextFileBuilder;

const std::string Text =
    TextFileBuilder(2).entry("Welcome aboard! @ The sea is calm.", 1).entry("Second", 3).data();

// A ZYN 2 text archive: ordinals, the text stored, a blank item, the text compressed with each
// method, and an item of a compression the program does not know.
class ArchiveItemFlow : public testing::Test {
protected:
    void SetUp() override {
        builder.stored("ordinals")
            .stored(Text)
            .blank()
            .compressed(Text, 1)
            .compressed(Text, 2)
            .raw(test::itemHeader(4, 4, 3) + "MSCF");
        path = dir.write("text.hqr", builder.build());
        NameTextArchiveItems(flow, true, false);
        ASSERT_TRUE(ReadArchiveIndex(fs, path, index).ok());
    }
    // Load as the item dialog does it: the document changes only when the item was read.
    Status load(int item, const ProgressFn& progress = {}) {
        auto loaded = LoadArchiveItem(fs, work, path, index, item, ArchiveItemName(flow, item),
                                      true, progress);
        if (!loaded)
            return loaded.status();
        AdoptArchiveItem(doc, std::move(*loaded), path, item);
        return {};
    }
    bool workingFolderIsEmpty() { return test::holdsNoWorkingFile(work.path()); }

    test::TempDir dir;
    ArchiveBuilder builder;
    FileSystem& fs = realFileSystem();
    WorkingFolder work;
    std::string path;
    ArchiveIndex index;
    ArchiveFlow flow;
    TextDocument doc;
};

TEST_F(ArchiveItemFlow, LoadsStoredAndCompressedItemsAndLeavesNoWorkingFile) {
    for (const int item : {1, 3, 4}) {
        doc.IsVersion2 = false; // the archive decides, not the document before
        doc.FromArchive = false;
        int progressCalls = 0;
        const Status status = load(item, [&](std::size_t, std::size_t) { ++progressCalls; });
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(doc.SlotCount, 3) << item;
        EXPECT_EQ(doc.EntryText[0], "Welcome aboard!\r\nThe sea is calm.");
        EXPECT_EQ(doc.EntryType[1], 3);
        EXPECT_TRUE(doc.IsVersion2 && doc.FromArchive && doc.HeaderFound);
        EXPECT_EQ(doc.ArchiveItem, item);
        EXPECT_EQ(progressCalls > 0, item != 1) << "progress follows expansion only";
        EXPECT_TRUE(workingFolderIsEmpty()) << item;
    }
}

TEST_F(ArchiveItemFlow, RefusedItemsLeaveTheDocumentAsItWas) {
    ASSERT_TRUE(load(1).ok());
    doc.EntryText[0] = "edited";
    doc.Modified = true;
    doc.FromArchive = false;
    const TextDocument before = doc;
    const std::pair<int, std::string> refusals[] = {
        {2,
         "Item 2 (EN: <blank HQR item>) of the archive " + path + " is blank: it holds no text."},
        {0, "The file EN_SYS.ORD is damaged: its offset table has 14648 slots, more than 1023."},
        {5, UnsupportedCompressionMessage()},
        {6, "The archive " + path + " has no item 6 (it has 6 items)."},
        {-1, "The archive " + path + " has no item -1 (it has 6 items)."}};
    for (const auto& [item, message] : refusals) {
        EXPECT_EQ(load(item).message(), message);
        EXPECT_EQ(doc.EntryText, before.EntryText) << item;
        EXPECT_EQ(doc.SlotCount, before.SlotCount) << item;
        EXPECT_TRUE(doc.Modified && !doc.FromArchive);
        EXPECT_TRUE(workingFolderIsEmpty()) << item;
    }
}

TEST_F(ArchiveItemFlow, SavingWritesTheItemIntoTheArchiveAsItIsOnDiskAndMakesTheDocumentThatItem) {
    ASSERT_TRUE(load(1).ok());
    doc.FromArchive = false; // as after File Open of a loose file
    doc.EntryText[0] = "Welcome aboard! @";
    const CharacterTables tables;
    // Since the index was read, another program changed item 0 and item 3, the one saved into.
    const std::string theirs = StoredItem("changed elsewhere");
    ASSERT_TRUE(RebuildArchive(fs, path, {{0, theirs, {}}, {3, theirs, {}}}, {}).ok());
    const auto save = [&](const std::string* itemOnDisk) {
        return SaveToArchiveItem(doc, tables, fs, work, path, index, 3, {}, itemOnDisk);
    };
    const std::string before = test::readBytes(path);
    const ArchiveSaveResult asked = save(nullptr);
    EXPECT_TRUE(asked.status.ok() && asked.itemChanged && !asked.saved());
    EXPECT_EQ(asked.found, theirs);
    EXPECT_FALSE(doc.FromArchive);
    EXPECT_EQ(test::readBytes(path), before);

    // Overwriting what was found; item 3 was compressed when the index was read.
    const ArchiveSaveResult saved = save(&asked.found);
    ASSERT_TRUE(saved.saved()) << "unmodified, but written all the same";
    EXPECT_EQ(index.ItemData[3], saved.written) << "what a later save expects there";
    EXPECT_TRUE(doc.FromArchive);
    EXPECT_EQ(doc.ArchiveItem, 3);
    EXPECT_EQ(doc.EntryText[0], "Welcome aboard!\r\n") << "the text as it reads back";
    ArchiveIndex now;
    ASSERT_TRUE(ReadArchiveIndex(fs, path, now).ok());
    EXPECT_EQ(now.ItemData[0], theirs) << "another program's change is kept";
    EXPECT_EQ(now.ItemData[3], saved.written);
    ASSERT_TRUE(load(3).ok());
    EXPECT_EQ(doc.EntryText[0], "Welcome aboard!\r\n");
    EXPECT_EQ(doc.HeaderMode, 0);

    const std::string old = test::readBytes(path);
    EXPECT_FALSE(SaveIntoArchive(fs, path, 6, Text, std::nullopt, {}).saved())
        << "an item outside the archive";
    EXPECT_EQ(test::readBytes(path), old);
}

TEST(RecogniseTextArchive, ByItsFirstSlotAndLength) {
    const struct {
        std::int32_t slot;
        std::uint64_t length;
        bool recognised, v2, demo;
    } cases[] = {{564, 199999, true, false, true},
                 {564, 200000, true, false, false},
                 {604, 5000000, true, true, true},
                 {724, 100, true, true, false},
                 {728, 100, false, true, true}};
    for (const auto& c : cases) {
        ArchiveFlow flow;
        flow.ArchiveIsVersion2 = flow.ArchiveIsDemo = true;
        EXPECT_EQ(RecogniseTextArchive(flow, c.slot, c.length), c.recognised) << c.slot;
        EXPECT_EQ(flow.ArchiveIsVersion2, c.v2) << c.slot;
        EXPECT_EQ(flow.ArchiveIsDemo, c.demo) << c.slot << ", " << c.length << " bytes";
    }
}

} // namespace
} // namespace zyn
