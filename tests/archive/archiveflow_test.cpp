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

namespace zyn::test {
namespace {

const std::string Text =
    TextFileBuilder(2).entry("Welcome aboard! @ The sea is calm.", 1).entry("Second", 3).data();

// A ZYN 2 text archive: ordinals, the text stored, a blank item, the text compressed with each
// method, and an item of a compression the program does not know.
TEST(ArchiveItemFlow, RefusedItemsLeaveTheDocumentAsItWas) {
    TempDir dir;
    const std::string path = dir.write("text.hqr", ArchiveBuilder()
                                                       .stored("ordinals")
                                                       .stored(Text)
                                                       .blank()
                                                       .compressed(Text, 1)
                                                       .compressed(Text, 2)
                                                       .raw(itemHeader(4, 4, 3) + "MSCF")
                                                       .build());
    ArchiveFlow flow;
    NameTextArchiveItems(flow, true, false);
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), path, index).ok());
    WorkingFolder work;
    TextDocument doc;
    // Load as the item dialog does it: the document changes only when the item was read.
    const auto load = [&](int item) {
        auto loaded = LoadArchiveItem(realFileSystem(), work, path, index, item,
                                      ArchiveItemName(flow, item), true);
        if (loaded)
            AdoptText(doc, std::move(*loaded), ArchiveItemOrigin(path, item, "item"));
        return loaded.message();
    };
    ASSERT_EQ(load(1), "");
    doc.EntryText[0] = "edited";
    doc.Origin.FromArchive = false;
    const TextDocument before = doc;
    const std::pair<int, std::string> refusals[] = {
        {2,
         "Item 2 (EN: <blank HQR item>) of the archive " + path + " is blank: it holds no text."},
        {0, "The file EN_SYS.ORD is damaged: its offset table has 14648 slots, more than 1023."},
        {5, UnsupportedCompressionMessage()},
        {6, "The archive " + path + " has no item 6 (it has 6 items)."},
        {-1, "The archive " + path + " has no item -1 (it has 6 items)."}};
    for (const auto& [item, message] : refusals) {
        EXPECT_EQ(load(item), message);
        EXPECT_EQ(doc.EntryText, before.EntryText) << item;
        EXPECT_EQ(doc.SlotCount, before.SlotCount) << item;
        EXPECT_FALSE(doc.Origin.FromArchive);
        EXPECT_TRUE(holdsNoWorkingFile(work.path())) << item;
    }
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
} // namespace zyn::test
