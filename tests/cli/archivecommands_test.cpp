// zyntext hqr, expand, names and dump --item, run as the built program.

#include "archive/itemheader.h"
#include "document/bytes.h"
#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/runcommand.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace zyn {
namespace {

using test::ArchiveBuilder;

test::CommandRun zyntext(std::vector<std::string> args) {
    args.insert(args.begin(), ZYNTEXT_PATH);
    return test::runCommand(args);
}

const std::string Dialogue = "Ahoy! Ahoy! Who goes there? Who goes there, in the night?";

class ArchiveCommands : public testing::Test {
protected:
    void SetUp() override {
        builder.stored("stored item")
            .blank()
            .compressed(Dialogue, 1)
            .sharedWith(0)
            .compressed(Dialogue, 2);
        archive = dir.write("data.hqr", builder.build());
    }
    nlohmann::json list(const std::string& path) {
        const auto run = zyntext({"hqr", "list", path});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return nlohmann::json::parse(run.out);
    }

    test::TempDir dir;
    ArchiveBuilder builder;
    std::string archive;
};

TEST_F(ArchiveCommands, ListDescribesEveryItem) {
    const auto items = list(archive)["items"];
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0], nlohmann::json::parse(R"({"number": 0, "offset": 24, "blank": false,
        "mode": 0, "expanded": 11, "stored": 11})"));
    EXPECT_EQ(items[1], nlohmann::json::parse(R"({"number": 1, "offset": 0, "blank": true})"));
    EXPECT_EQ(items[2]["mode"], 1);
    EXPECT_EQ(items[2]["expanded"], Dialogue.size());
    EXPECT_EQ(items[3]["offset"], 24);
    EXPECT_EQ(items[4]["mode"], 2);
    EXPECT_FALSE(items[0].contains("name")) << "not a text archive";
}

TEST_F(ArchiveCommands, ListNamesTheItemsOfTextArchives) {
    const auto demo1 = list(dir.write("demo1.hqr", test::TextArchive(140)))["items"];
    EXPECT_EQ(demo1[0]["name"], "EN_SYS.ORD");
    EXPECT_EQ(demo1[8]["name"], "EN: Unused in demo version");
    const auto full1 = list(dir.write("full1.hqr", test::TextArchive(140, 1500)))["items"];
    EXPECT_EQ(full1[8]["name"], "EN_001.ORD");
    const auto demo2 = list(dir.write("demo2.hqr", test::TextArchive(150)))["items"];
    EXPECT_EQ(demo2[149]["name"], "IT: Non utilizzato nella versione demo");
    EXPECT_EQ(demo2[131]["name"], "IT_002.DIA");
    const auto full2 = list(dir.write("full2.hqr", test::TextArchive(180)))["items"];
    EXPECT_EQ(full2[179]["name"], "PO_011.DIA");
}

TEST_F(ArchiveCommands, ExtractWritesTheItemOrItsExpandedData) {
    const std::string out = dir.file("out");
    struct Case {
        std::string number;
        bool expand;
        std::string expected;
    };
    const Case cases[] = {{"0", false, builder.itemBytes(0)},
                          {"2", false, builder.itemBytes(2)},
                          {"1", false, ""},
                          {"0", true, "stored item"},
                          {"2", true, Dialogue},
                          {"4", true, Dialogue},
                          {"3", true, "stored item"}};
    for (const Case& c : cases) {
        std::vector<std::string> args{"hqr", "extract", archive, c.number, out};
        if (c.expand)
            args.push_back("--expand");
        const auto run = zyntext(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(test::readBytes(out), c.expected) << c.number << (c.expand ? " expanded" : "");
    }
}

TEST_F(ArchiveCommands, ReplaceRebuildsTheArchiveWithABackup) {
    const std::string old = test::readBytes(archive);
    const auto run = zyntext({"hqr", "replace", archive, "2", dir.write("new.txt", "new text")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::readBytes(dir.file("data.~$R")), old);
    const auto items = list(archive)["items"];
    EXPECT_EQ(items[2]["mode"], 0);
    EXPECT_EQ(items[2]["stored"], 8);
    EXPECT_EQ(items[4]["mode"], 2);

    const auto extracted = zyntext({"hqr", "extract", archive, "2", dir.file("out"), "--expand"});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    EXPECT_EQ(test::readBytes(dir.file("out")), "new text");
}

TEST_F(ArchiveCommands, ExpandWritesTheDataOfAnItemFile) {
    const std::string out = dir.file("EN_000.DIA.TMP");
    for (const int mode : {1, 2}) {
        const auto run =
            zyntext({"expand", dir.write("EN_000.DIA", test::CompressedItem(Dialogue, mode)), out});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(test::readBytes(out), Dialogue);
    }
    ASSERT_EQ(zyntext({"expand", dir.write("stored", StoredItem("plain")), out}).exitCode, 0);
    EXPECT_EQ(test::readBytes(out), "plain");
}

TEST_F(ArchiveCommands, NamesListsTheItemNamesOfBothGames) {
    struct Case {
        std::vector<std::string> args;
        std::size_t lines;
        std::size_t line;
        std::string name;
    };
    const Case cases[] = {
        {{"names", "1"}, 140, 29, "FR_SYS.ORD"},
        {{"names", "1", "--demo"}, 140, 37, "FR: Pas utiliz\u00E9 dans le version demo"},
        {{"names", "2"}, 180, 33, "FR: <blank HQR item>"},
        {{"names", "2", "--demo"}, 180, 159, "PO: N\u00E3o utlizado na vers\u00E3o demo"}};
    for (const Case& c : cases) {
        const auto run = zyntext(c.args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::istringstream in(run.out);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines[c.line - 1], c.name);
    }
}

TEST_F(ArchiveCommands, DumpReadsAnArchiveItem) {
    const std::string text = test::TextFileBuilder(2).entry("Hello @ there", 5).data();
    const std::string path =
        dir.write("text.hqr", ArchiveBuilder().stored("x").compressed(text, 2).build());
    const auto run = zyntext({"dump", path, "--item", "1", "--game", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["game"], 2);
    EXPECT_EQ(json["mode"], 2);
    EXPECT_EQ(json["entries"][0]["type"], 5);
    EXPECT_EQ(json["entries"][0]["text"], "Hello\r\nthere");
}

TEST_F(ArchiveCommands, BadInputFailsWithOneLineAndWrongUsageWithTwo) {
    std::string damaged = test::readBytes(archive);
    putU32(damaged, 8, 1u << 30);
    const std::string bad = dir.write("damaged.hqr", damaged);
    const std::string out = dir.file("never");
    struct Case {
        std::vector<std::string> args;
        int exitCode;
    };
    const Case cases[] = {
        {{"hqr", "list", bad}, 1},
        {{"hqr", "extract", archive, "5", out}, 1},
        {{"hqr", "extract", archive, "1", out, "--expand"}, 1},
        {{"hqr", "replace", archive, "9", archive}, 1},
        {{"expand", archive, out}, 1},
        {{"expand", dir.write("mode3", test::itemHeader(4, 4, 3) + "abcd"), out}, 1},
        {{"expand", dir.write("empty", test::itemHeader(0, 4, 1) + "abcd"), out}, 1},
        {{"dump", archive, "--item", "1", "--game", "2"}, 1},
        {{"dump", archive, "--item", "x", "--game", "2"}, 2},
        {{"hqr"}, 2},
        {{"hqr", "move", archive}, 2},
        {{"hqr", "extract", archive, "-1", out}, 2},
        {{"hqr", "list", archive, "--all"}, 2},
        {{"names", "3"}, 2},
    };
    const std::string before = test::readBytes(archive);
    for (const Case& c : cases) {
        const auto run = zyntext(c.args);
        std::string shown;
        for (const auto& a : c.args)
            shown += a + " ";
        EXPECT_EQ(run.exitCode, c.exitCode) << shown << run.err;
        EXPECT_EQ(run.err.rfind("zyntext: ", 0), 0u) << shown;
        const auto lines = std::count(run.err.begin(), run.err.end(), '\n');
        EXPECT_EQ(lines, c.exitCode == 1 ? 1 : 2) << shown << run.err;
        EXPECT_TRUE(run.out.empty()) << shown;
    }
    EXPECT_FALSE(test::fileExists(out));
    EXPECT_EQ(test::readBytes(archive), before);
}

} // namespace
} // namespace zyn
