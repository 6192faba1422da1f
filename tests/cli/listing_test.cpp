// What zyntext prints for a person rather than a program: its version, and the item names after
// their numbers.

#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <map>

namespace zyn::test {
namespace {

TEST(Listing, VersionIsTheProjectsVersion) {
    EXPECT_EQ(zyntext({"--version"}).out, "zyntext " ZYNTEXT_VERSION "\n");
}

// Each game, with and without the demo's unused banks; a name is shown in UTF-8.
TEST(Listing, NamesAreListedInItemOrderAndNumbersPutEachAfterItsItemNumber) {
    const std::string unused = "EN: Unused in demo version";
    const struct {
        std::vector<std::string> args;
        std::size_t count;
        std::map<std::size_t, std::string> names; // by item number
    } games[] = {
        {{"names", "--game", "1"}, 140, {{28, "FR_SYS.ORD"}, {139, "IT_010.DIA"}}},
        {{"names", "--game=2"}, 180, {{3, "EN: <blank HQR item>"}, {179, "PO_011.DIA"}}},
        {{"names", "--game", "1", "--demo"},
         140,
         {{7, "EN_000.DIA"}, {8, unused}, {99, "SP: No utilizado en la versi\u00F3n demo"}}},
        {{"names", "--demo", "--game", "2"},
         180,
         {{11, "EN_002.DIA"},
          {12, unused},
          {29, unused},
          {158, "PO: N\u00E3o utlizado na vers\u00E3o demo"}}},
    };
    for (auto [args, count, names] : games) {
        const auto plain = lines(zyntext(args).out);
        ASSERT_EQ(plain.size(), count);
        for (const auto& [item, name] : names)
            EXPECT_EQ(plain[item], name) << args[2] << " " << item;
        args.push_back("--numbers");
        const auto numbered = lines(zyntext(args).out);
        ASSERT_EQ(numbered.size(), plain.size());
        for (std::size_t i = 0; i < plain.size(); ++i)
            EXPECT_EQ(numbered[i], std::string(3 - std::to_string(i).size(), ' ') +
                                       std::to_string(i) + "  " + plain[i]);
    }
}

} // namespace
} // namespace zyn::test
