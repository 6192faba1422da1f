// zyntext run as the built program: what it prints, the files it writes and its exit codes.

#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zyn::test {
namespace {

// Both games, as the header goes with either: what dump prints builds the same bytes again.
TEST(Zyntext, DumpThenBuildGivesBackTheSameBytes) {
    TempDir dir;
    for (const auto& [game, header] : {std::pair{1, false}, std::pair{2, true}}) {
        const std::string file = TextFileBuilder(game)
                                     .entry("Line one @ line two @", 33)
                                     .entry("", 129)
                                     .entry(std::string("\x01\x80\xe9\xff\0x", 6), 5)
                                     .withHeader(header)
                                     .bytes();
        const auto dump =
            json(zyntext({"dump", dir.write("in.dia", file), "--game", std::to_string(game)}));
        EXPECT_EQ(dump["header"], header);
        EXPECT_EQ(dump["mode"], 0) << "a file without a header has no mode";
        EXPECT_EQ(dump["slots"], 4);
        ASSERT_EQ(dump["entries"].size(), 3u);
        EXPECT_EQ(dump["entries"][0]["type"], game == 2 ? 33 : 0);
        EXPECT_EQ(dump["entries"][0]["text"], "Line one\r\nline two\r\n");
        EXPECT_EQ(dump["entries"][2]["text"], std::string("\x01\u0080\u00e9\u00ff\0x", 9));

        std::vector<std::string> build = {"build", dir.write("in.json", dump.dump()),
                                          dir.file("out.dia")};
        if (header)
            build.push_back("--header");
        EXPECT_EQ(zyntext(build).exitCode, 0);
        EXPECT_EQ(readBytes(dir.file("out.dia")), file) << game;
    }
}

TEST(Zyntext, DumpExpandsFilesAndShowsAndBuildsTextsThroughARemappingTable) {
    TempDir dir;
    const std::string data = TextFileBuilder(2).entry("Axe @ end", 1).data();
    const std::string packed = dir.write("packed.dia", CompressedItem(data, 2));
    const auto dump = json(zyntext({"dump", packed, "--game", "2"}));
    EXPECT_EQ(dump["entries"], nlohmann::json::parse(R"([{"type": 1, "text": "Axe\r\nend"}])"));
    EXPECT_EQ(dump["mode"], 2);
    EXPECT_FALSE(fileExists(packed + ".TMP"));

    // A table that swaps "A" and "x": the display form reads "xAe", and maps back on build.
    std::string table;
    for (int k = 0; k < 256; ++k)
        table.push_back(static_cast<char>(k == 'A' ? 'x' : k == 'x' ? 'A' : k));
    const std::string cmp = dir.write("swap.cmp", table);
    EXPECT_EQ(json(zyntext({"dump", packed, "--game", "2", "--remap", cmp}))["entries"][0]["text"],
              "xAe\r\nend");
    // A ZYN 2 entry without a type gets type 1.
    const std::string typeless = R"({"game": 2, "entries": [{"text": "xAe\r\nend"}]})";
    EXPECT_TRUE(succeeded(zyntext(
        {"build", dir.write("shown.json", typeless), dir.file("out.dia"), "--remap", cmp})));
    EXPECT_EQ(readBytes(dir.file("out.dia")), data);
}

const std::string Dialogue = "Ahoy! Ahoy! Who goes there? Who goes there, in the night?";

const ArchiveBuilder Mixed = ArchiveBuilder()
                                 .stored("stored item")
                                 .blank()
                                 .compressed(Dialogue, 1)
                                 .sharedWith(0)
                                 .compressed(Dialogue, 2)
                                 .sharedWith(0);

TEST(Zyntext, HqrListsExtractsAndReplacesItemsAndExpandExpandsThem) {
    TempDir dir;
    const std::string archive = dir.write("data.hqr", Mixed.build());
    const auto items = json(zyntext({"hqr", "list", archive}))["items"];
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0], nlohmann::json::parse(R"({"number": 0, "offset": 28, "blank": false,
        "mode": 0, "expanded": 11, "stored": 11})"));
    EXPECT_EQ(items[1], nlohmann::json::parse(R"({"number": 1, "offset": 0, "blank": true})"));
    // The table a person reads: each item's sizes, and whether it is blank or shared.
    EXPECT_EQ(zyntext({"hqr", "list", archive, "--table"}).out,
              "ITEM  NAME  MODE  STORED  EXPANDED\n"
              "   0  -        0      11        11  shared with 3 and 1 more\n"
              "   1  -        -       -         -  blank\n"
              "   2  -        1      43        57\n"
              "   3  -        0      11        11  shared with 0 and 1 more\n"
              "   4  -        2      43        57\n"
              "   5  -        0      11        11  shared with 0 and 1 more\n");

    // A ZYN 1 archive is a demo's when the file is short.
    for (const auto& [length, name] :
         {std::pair{0, "EN: Unused in demo version"}, std::pair{1500, "EN_001.ORD"}}) {
        const std::string path = dir.write("text.hqr", TextArchive(140, length));
        EXPECT_EQ(json(zyntext({"hqr", "list", path}))["items"][8]["name"], name);
    }
    // A text archive's items have names, which set the width of their column.
    const auto table = lines(zyntext({"hqr", "list", dir.file("text.hqr"), "--table"}).out);
    ASSERT_EQ(table.size(), 141u);
    EXPECT_EQ(table[9], "   8  EN_001.ORD     0    1537      1537");

    const std::string out = dir.file("out");
    // An item taken out as it is stored, blank, or expanded; an item file expanded.
    const std::pair<std::vector<std::string>, std::string> extracts[] = {
        {{"hqr", "extract", archive, "2", out}, Mixed.itemBytes(2)},
        {{"hqr", "extract", archive, "1", out}, ""},
        {{"hqr", "extract", archive, "3", out, "--expand"}, "stored item"},
        {{"hqr", "extract", archive, "4", out, "--expand"}, Dialogue},
        {{"expand", dir.write("mode0", itemHeader(5, 5, 0) + "plain"), out}, "plain"},
        {{"expand", dir.write("mode1", CompressedItem(Dialogue, 1)), out}, Dialogue},
        {{"expand", dir.write("mode2", CompressedItem(Dialogue, 2)), out}, Dialogue},
    };
    for (const auto& [args, expected] : extracts) {
        EXPECT_TRUE(succeeded(zyntext(args)));
        EXPECT_EQ(readBytes(out), expected) << programLine("zyntext", args);
    }
}

TEST(Zyntext, HqrReplaceBacksUpBesideTheArchiveAndTakesSeveralItemsOrWholeItemFiles) {
    TempDir dir;
    // Named relative to another folder, under folders with a "." in their names.
    std::filesystem::create_directories(dir.file(".wine/game.1"));
    std::filesystem::create_directories(dir.file("other"));
    const std::string archive = dir.write(".wine/game.1/text.hqr", Mixed.build());
    const std::string headed =
        dir.write("other/headed.ztf", TextFileBuilder(1).entry("x").withHeader().bytes());
    const std::string packed = dir.write("other/packed.ztf", CompressedItem(Dialogue, 1));
    dir.write("other/one.txt", "one");
    const auto replace = [&](std::vector<std::string> items) {
        items.insert(items.begin(), {"hqr", "replace", "../.wine/game.1/text.hqr"});
        return zyntext(items, dir.file("other"));
    };

    // One rebuild, one backup beside the archive. The name is made absolute, not resolved.
    const std::string given = dir.file("other/../.wine/game.1/text");
    EXPECT_EQ(replace({"0", "one.txt", "2", "../other/one.txt"}).out,
              "Replaced items 0, 2 of " + given + ".hqr; the archive as it was is in " + given +
                  ".~$R.\n");
    EXPECT_EQ(readBytes(dir.file(".wine/game.1/text.~$R")), Mixed.build());
    const auto items = json(zyntext({"hqr", "list", archive}))["items"];
    EXPECT_EQ(items[0]["stored"], 3);
    EXPECT_EQ(items[2]["stored"], 3);

    // Whole items: header and data stored as they are, a compressed item stays compressed.
    EXPECT_EQ(replace({"4", "packed.ztf", "0", "headed.ztf", "--item-file"}).exitCode, 0);
    for (const auto& [number, file] : {std::pair{"4", packed}, std::pair{"0", headed}}) {
        EXPECT_EQ(zyntext({"hqr", "extract", archive, number, dir.file("out")}).exitCode, 0);
        EXPECT_EQ(readBytes(dir.file("out")), readBytes(file)) << number;
    }
}

TEST(Zyntext, NoOutputIsLostToAFullDevice) {
    TempDir dir;
    const std::string text = dir.write("in.zyt", TextFileBuilder(1).entry("x").bytes());
    const std::string other = dir.write("other.zyt", TextFileBuilder(1).entry("y").bytes());
    // Every command's output leaves through one writer; diff's trouble is 2, as diff(1) has it.
    for (const auto& [args, exitCode] :
         {std::pair{std::vector<std::string>{"dump", text, "--game", "1"}, 1},
          {{"diff", text, other, "--game", "1"}, 2}}) {
        const ToolRun full = zyntext(args, "", "", "/dev/full");
        EXPECT_EQ(full.exitCode, exitCode) << args[0];
        EXPECT_EQ(full.err, "zyntext: Cannot write the output: No space left on device.\n");
    }
}

} // namespace
} // namespace zyn::test
