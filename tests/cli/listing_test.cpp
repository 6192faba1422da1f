// What zyntext prints for a person rather than a program: its version, an archive's items as a
// table, and the item names after their numbers.

#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace zyn {
namespace {

using test::lines;
using test::ToolRun;
using test::zyntext;

TEST(Listing, VersionIsTheProjectsVersion) {
    const ToolRun run = zyntext({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "zyntext " ZYNTEXT_VERSION "\n");
}

TEST(Listing, TableShowsEachItemsSizesAndWhetherItIsBlankOrShared) {
    test::TempDir dir;
    const std::string archive =
        dir.write("data.hqr", test::ArchiveBuilder()
                                  .stored("stored item")
                                  .blank()
                                  .raw(test::itemHeader(1000, 40, 2) + std::string(40, 'x'))
                                  .sharedWith(0)
                                  .sharedWith(0)
                                  .build());
    const ToolRun run = zyntext({"hqr", "list", archive, "--table"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "ITEM  NAME  MODE  STORED  EXPANDED\n"
                       "   0  -        0      11        11  shared with 3 and 1 more\n"
                       "   1  -        -       -         -  blank\n"
                       "   2  -        2      40      1000\n"
                       "   3  -        0      11        11  shared with 0 and 1 more\n"
                       "   4  -        0      11        11  shared with 0 and 1 more\n");

    // A text archive's items have names, which set the width of their column.
    const std::string text = dir.write("text.hqr", test::TextArchive(140, 1500));
    const auto table = lines(zyntext({"hqr", "list", text, "--table"}).out);
    ASSERT_EQ(table.size(), 141u);
    std::istringstream row(table[29]);
    std::vector<std::string> cells(std::istream_iterator<std::string>(row), {});
    EXPECT_EQ(cells, (std::vector<std::string>{"28", "FR_SYS.ORD", "0", "1538", "1538"}));
    EXPECT_EQ(table[29].find("0 "), table[0].find("MODE") + 3) << table[29];
}

TEST(Listing, NamesAreListedInItemOrderAndNumbersPutEachAfterItsItemNumber) {
    const struct {
        std::vector<std::string> args;
        std::size_t count, probe;
        std::string name;
    } games[] = {{{"names", "1"}, 140, 28, "FR_SYS.ORD"},
                 {{"names", "2", "--demo"}, 180, 158, "PO: N\u00E3o utlizado na vers\u00E3o demo"}};
    for (const auto& [args, count, probe, name] : games) {
        const auto plain = lines(zyntext(args).out);
        ASSERT_EQ(plain.size(), count);
        EXPECT_EQ(plain[probe], name);
        auto numberedArgs = args;
        numberedArgs.push_back("--numbers");
        const auto numbered = lines(zyntext(numberedArgs).out);
        ASSERT_EQ(numbered.size(), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i) {
            std::string number = std::to_string(i);
            number.insert(0, 3 - number.size(), ' ');
            EXPECT_EQ(numbered[i], number + "  " + plain[i]);
        }
    }
}

} // namespace
} // namespace zyn
