#include "archive/itemnames.h"
#include "document/textreader.h"
#include "flows/archiveitemflow.h"
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

// Items of a ZYN 2 text archive that cannot become the document: each refusal says why, and no
// working file is left behind.
TEST(ArchiveItemFlow, RefusedItemsSayWhyAndLeaveNoWorkingFile) {
    test::TempDir dir;
    const std::string path = dir.write("text.hqr", ArchiveBuilder()
                                                       .stored("ordinals")
                                                       .stored(Text)
                                                       .blank()
                                                       .raw(test::itemHeader(4, 4, 3) + "MSCF")
                                                       .build());
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(realFileSystem(), path, index).ok());
    ArchiveFlow flow;
    NameTextArchiveItems(flow, true, false);
    WorkingFolder work;
    const std::pair<int, std::string> refusals[] = {
        {2,
         "Item 2 (EN: <blank HQR item>) of the archive " + path + " is blank: it holds no text."},
        {0, "The file EN_SYS.ORD is damaged: its offset table has 14648 slots, more than 1023."},
        {3, UnsupportedCompressionMessage()},
        {4, "The archive " + path + " has no item 4 (it has 4 items)."},
        {-1, "The archive " + path + " has no item -1 (it has 4 items)."}};
    for (const auto& [item, message] : refusals) {
        const auto loaded = LoadArchiveItem(realFileSystem(), work, path, index, item,
                                            ArchiveItemName(flow, item), true);
        EXPECT_EQ(loaded.message(), message);
        EXPECT_TRUE(std::filesystem::is_empty(work.path())) << item;
    }
}

TEST(ItemNames, AreMadeFromTheLanguageBlockAndThePosition) {
    const struct {
        bool isVersion2, isDemo;
        int number;
        std::string name;
    } cases[] = {
        {false, false, 140, "IT_010.DIA"},
        {true, false, 180, "PO_011.DIA"},
        {false, true, 8, "EN_000.DIA"},
        {false, true, 9, "EN: Unused in demo version"},
        {false, true, 100, "SP: No utilizado en la versi\xF3n demo"},
        {true, true, 4, "EN: <blank HQR item>"},
        {true, true, 12, "EN_002.DIA"},
        {true, true, 13, "EN: Unused in demo version"},
        {true, true, 30, "EN: Unused in demo version"},
    };
    for (const auto& c : cases) {
        ArchiveFlow flow;
        NameTextArchiveItems(flow, c.isVersion2, c.isDemo);
        EXPECT_EQ(flow.ItemNames[static_cast<std::size_t>(c.number)], c.name) << c.number;
    }
    ArchiveFlow flow;
    NameTextArchiveItems(flow, true, false);
    NameTextArchiveItems(flow, false, false);
    EXPECT_EQ(flow.ItemNames[141], "IT_007.ORD") << "a ZYN 1 fill keeps the names beyond it";
}

} // namespace
} // namespace zyn
