// zyntext dump and build, run as the built program.

#include "support/runcommand.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zyn {
namespace {

using test::TextFileBuilder;

test::CommandRun zyntext(std::vector<std::string> args) {
    args.insert(args.begin(), ZYNTEXT_PATH);
    return test::runCommand(args);
}

struct GameCase {
    int game;
    bool header;
};

class DumpThenBuild : public ::testing::TestWithParam<GameCase> {};

TEST_P(DumpThenBuild, GivesBackTheSameBytes) {
    const auto [game, header] = GetParam();
    test::TempDir dir;
    const std::string file = TextFileBuilder(game)
                                 .entry("Line one @ line two @", 33)
                                 .entry("", 129)
                                 .entry(std::string("\x01\x80\xe9\xff\0x", 6), 5)
                                 .withHeader(header)
                                 .bytes();
    const std::string path = dir.write("in.dia", file);

    const auto dump = zyntext({"dump", path, "--game", std::to_string(game)});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const auto json = nlohmann::json::parse(dump.out);
    EXPECT_EQ(json["game"], game);
    EXPECT_EQ(json["header"], header);
    EXPECT_EQ(json["mode"], 0);
    EXPECT_EQ(json["slots"], 4);
    ASSERT_EQ(json["entries"].size(), 3u);
    EXPECT_EQ(json["entries"][0]["type"], game == 2 ? 33 : 0);
    EXPECT_EQ(json["entries"][0]["text"], "Line one\r\nline two\r\n");
    EXPECT_EQ(json["entries"][2]["text"], std::string("\x01\u0080\u00e9\u00ff\0x", 9));

    const std::string jsonPath = dir.write("in.json", dump.out);
    std::vector<std::string> args = {"build", jsonPath, dir.file("out.dia")};
    if (header)
        args.push_back("--header");
    const auto build = zyntext(args);
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(test::readBytes(dir.file("out.dia")), file);
}

INSTANTIATE_TEST_SUITE_P(Games, DumpThenBuild,
                         ::testing::Values(GameCase{1, false}, GameCase{1, true},
                                           GameCase{2, false}, GameCase{2, true}));

TEST(TextCommands, DumpExpandsAndBuildDefaultsTypesAndRemaps) {
    test::TempDir dir;
    const std::string data = TextFileBuilder(2).entry("Axe", 1).data();
    const std::string packed = dir.write("packed.dia", test::literalCompressedItem(data, 2));
    const auto dump = zyntext({"dump", packed, "--game", "2"});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(nlohmann::json::parse(dump.out)["mode"], 2);
    EXPECT_EQ(nlohmann::json::parse(dump.out)["entries"][0]["text"], "Axe");
    EXPECT_FALSE(test::fileExists(packed + ".TMP"));

    // A table that swaps "A" and "x": the display form reads "xAe", and maps back on build.
    std::string table;
    for (int k = 0; k < 256; ++k)
        table.push_back(static_cast<char>(k == 'A' ? 'x' : k == 'x' ? 'A' : k));
    const std::string cmp = dir.write("swap.cmp", table);
    const auto shown = zyntext({"dump", packed, "--game", "2", "--remap", cmp});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(nlohmann::json::parse(shown.out)["entries"][0]["text"], "xAe");

    const std::string json =
        dir.write("display.json", R"({"game": 2, "entries": [{"text": "xAe"}]})");
    ASSERT_EQ(zyntext({"build", json, dir.file("out.dia"), "--remap", cmp}).exitCode, 0);
    EXPECT_EQ(test::readBytes(dir.file("out.dia")), data);
}

TEST(TextCommands, BadInputAndWrongUsage) {
    test::TempDir dir;
    const std::string damaged = dir.write("damaged.zyt", std::string("\x04\x00\x09\x00", 4));
    const std::string mode3 =
        dir.write("mode3.ztf", test::itemHeader(4, 4, 3) + std::string("\x04\x00\x04\x00", 4));
    int jsonFiles = 0;
    const auto json = [&](const std::string& text) {
        return dir.write("in" + std::to_string(++jsonFiles) + ".json", text);
    };
    std::string many = R"({"game": 1, "entries": [{"text": ""})";
    for (int i = 1; i < 1023; ++i)
        many += R"(, {"text": ""})";
    many += "]}";

    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err; // a part of stderr
    };
    const Case cases[] = {
        {{"dump", damaged}, 2, "--game 1 or --game 2 is required"},
        {{"dump", damaged, "--game", "3"}, 2, "--game takes 1 or 2"},
        {{"dump", damaged, "--game", "1", "--entry"}, 2, "unknown option '--entry'"},
        {{"build", "only-one.json"}, 2, "are required"},
        {{"dump", dir.file("missing.zyt"), "--game", "1"}, 1, "Cannot open"},
        {{"dump", damaged, "--game", "1"},
         1,
         "The file " + damaged + " is damaged: entry 1 ends past the end of the file."},
        {{"dump", mode3, "--game", "1"},
         1,
         "zyntext: Sorry, that particular comrpession type is not supported in this version. "
         "Compression used: Maybe MSCF/MSZIP compression (03)\n"},
        {{"build", json(R"({"game": 1, "entries": [{"text": "ok"}, {"text": "\u0100"}]})"),
          dir.file("out.zyt")},
         1,
         "entries[1] holds the character U+0100"},
        {{"build", json(R"({"game": 1, "entries": [)"), dir.file("out.zyt")}, 1, "not valid JSON"},
        {{"build", json(R"({"game": 1})"), dir.file("out.zyt")}, 1, "\"entries\" array"},
        {{"build", json(R"({"entries": []})"), dir.file("out.zyt")}, 1, "\"game\" must be"},
        {{"build", json(many), dir.file("out.zyt")}, 1, "1023 entries"},
        {{"build", json(R"({"game": 2, "entries": [{"text": "", "type": 256}]})"),
          dir.file("out.zyt")},
         1,
         "entries[0]: \"type\" must be"},
    };
    for (const auto& c : cases) {
        const auto run = zyntext(c.args);
        const std::string what = c.args[0] + " " + c.args[1];
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err;
        EXPECT_EQ(run.err.rfind("zyntext: ", 0), 0u) << what << ": " << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << what << ": " << run.err;
        EXPECT_EQ(run.out, "") << what;
        if (c.exitCode == 1) {
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << what << ": one line";
        }
    }
    EXPECT_FALSE(test::fileExists(dir.file("out.zyt")));
}

TEST(TextCommands, HelpDescribesEachCommand) {
    for (const std::string command : {"dump", "build"}) {
        const auto run = zyntext({command, "--help"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.rfind("Usage: zyntext " + command + " ", 0), 0u) << run.out;
    }
}

} // namespace
} // namespace zyn
