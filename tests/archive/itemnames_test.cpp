#include "archive/itemnames.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <string>

namespace zyn {
namespace {

struct Name {
    bool isVersion2;
    bool isDemo;
    int number;
    std::string expected;
};

class ItemNames : public testing::TestWithParam<Name> {};

TEST_P(ItemNames, AreMadeFromTheBlockAndThePosition) {
    const Name& n = GetParam();
    ArchiveFlow flow;
    NameTextArchiveItems(flow, n.isVersion2, n.isDemo);
    EXPECT_EQ(flow.ItemNames[static_cast<std::size_t>(n.number)], n.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Games, ItemNames,
    testing::Values(Name{false, false, 1, "EN_SYS.ORD"}, Name{false, false, 29, "FR_SYS.ORD"},
                    Name{false, false, 140, "IT_010.DIA"},
                    Name{true, false, 33, "FR: <blank HQR item>"},
                    Name{true, false, 3, "EN: <blank HQR item>"},
                    Name{true, false, 180, "PO_011.DIA"}, Name{false, true, 8, "EN_000.DIA"},
                    Name{false, true, 9, "EN: Unused in demo version"},
                    Name{false, true, 37, "FR: Pas utiliz\xE9 dans le version demo"},
                    Name{false, true, 100, "SP: No utilizado en la versi\xF3n demo"},
                    Name{false, true, 140, "IT: Non utilizzato nella versione demo"},
                    Name{true, true, 9, "EN: Unused in demo version"},
                    Name{true, true, 30, "EN: Unused in demo version"},
                    Name{true, true, 11, "EN_002.ORD"}, Name{true, true, 4, "EN: <blank HQR item>"},
                    Name{true, true, 75, "DE: In Demo-version nicht anwendet"},
                    Name{true, true, 159, "PO: N\xE3o utlizado na vers\xE3o demo"}));

TEST(ItemNamesFill, AZyn1FillKeepsTheNamesBeyondItsItems) {
    ArchiveFlow flow;
    NameTextArchiveItems(flow, true, false);
    NameTextArchiveItems(flow, false, false);
    EXPECT_EQ(flow.ItemNames[140], "IT_010.DIA");
    EXPECT_EQ(flow.ItemNames[141], "IT_007.ORD") << "left from the ZYN 2 fill";
    EXPECT_EQ(flow.ItemNames[180], "PO_011.DIA");
}

TEST(RecogniseTextArchive, ByItsFirstSlotAndLength) {
    struct Case {
        std::int32_t slot;
        std::uint64_t length;
        bool recognised, v2, demo;
    };
    const Case cases[] = {{564, 199999, true, false, true}, {564, 200000, true, false, false},
                          {604, 5000000, true, true, true}, {724, 100, true, true, false},
                          {728, 100, false, true, true},    {0, 0, false, true, true}};
    for (const Case& c : cases) {
        ArchiveFlow flow;
        flow.ArchiveIsVersion2 = true;
        flow.ArchiveIsDemo = true;
        EXPECT_EQ(RecogniseTextArchive(flow, c.slot, c.length), c.recognised) << c.slot;
        EXPECT_EQ(flow.ArchiveIsVersion2, c.v2) << c.slot;
        EXPECT_EQ(flow.ArchiveIsDemo, c.demo) << c.slot << " " << c.length;
    }
}

TEST(RecogniseTextArchive, FromTheArchiveFile) {
    test::TempDir dir;
    ArchiveFlow flow;
    EXPECT_TRUE(RecogniseTextArchiveFile(realFileSystem(),
                                         dir.write("t.hqr", test::TextArchive(180)), flow));
    EXPECT_TRUE(flow.ArchiveIsVersion2);
    EXPECT_FALSE(flow.ArchiveIsDemo);
    EXPECT_FALSE(RecogniseTextArchiveFile(realFileSystem(), dir.file("missing.hqr"), flow));
    EXPECT_TRUE(flow.ArchiveIsVersion2);
}

} // namespace
} // namespace zyn
