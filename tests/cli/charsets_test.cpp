// zyntext with letters instead of codes: character sets, remapping tables, diff and archive
// items named ARCHIVE:N.

#include "characters/charactersets.h"
#include "characters/utf8.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <numeric>

namespace zyn::test {
namespace {

TEST(ZyntextCharsets, EverySetShowsEveryCodeAsTheEditorDoesAndBuildsItBack) {
    TempDir dir;
    std::string allCodes(256, '\0');
    std::iota(allCodes.begin(), allCodes.end(), 0);
    const std::string file = TextFileBuilder(1).entry(allCodes).entry("one @ two").bytes();
    const std::string path = dir.write("all.zyt", file);
    std::string listed;
    for (const CharacterSet& set : CharacterSets) {
        const auto dump = json(zyntext({"dump", path, "--game", "1", "--charset", set.name}));
        EXPECT_EQ(dump["entries"][0]["text"], EncodeUtf8(ToLetters(set.letters, allCodes)))
            << set.name;
        EXPECT_EQ(dump["entries"][1]["text"], "one\ntwo") << set.name;
        const std::string out = dir.file(std::string(set.name) + ".zyt");
        EXPECT_TRUE(succeeded(
            zyntext({"build", dir.write("all.json", dump.dump()), out, "--charset", set.name})));
        EXPECT_EQ(readBytes(out), file) << set.name;
        listed += std::string(set.name) + "\t" + set.caption + "\n";
    }
    EXPECT_EQ(zyntext({"charsets"}).out, listed);
}

TEST(ZyntextDiff, PrintsABlockPerDifferingEntryAndExitsAsDiffDoes) {
    TempDir dir;
    const std::string a = dir.write(
        "a.dia", TextFileBuilder(2).entry("same", 1).entry("arr\x88ter", 1).entry("x", 3).bytes());
    const std::string b = dir.write("b.dia", TextFileBuilder(2)
                                                 .entry("same", 1)
                                                 .entry("arr\x88tez @ ok", 1)
                                                 .entry("x", 33)
                                                 .entry("new", 1)
                                                 .bytes());
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
    } cases[] = {
        {{"diff", a, b, "--game", "2", "--charset", "western"},
         1,
         "entry 2\n- \"arr\u00EAter\"\n+ \"arr\u00EAtez\\nok\"\n"
         "entry 3: type 3 -> 33\n- \"x\"\n+ \"x\"\n"
         "entry 4: only in " +
             b + "\n+ \"new\"\n3 entries differ; the number of entries changes from 3 to 4\n"},
        {{"diff", b, a, "--game", "2"},
         1,
         "entry 2\n- \"arr\\u0088tez\\r\\nok\"\n+ \"arr\\u0088ter\"\n"
         "entry 3: type 33 -> 3\n- \"x\"\n+ \"x\"\n"
         "entry 4: only in " +
             b + "\n- \"new\"\n3 entries differ; the number of entries changes from 4 to 3\n"},
        {{"diff", a, a, "--game", "2"}, 0, ""},
        // The same as one JSON document.
        {{"diff", "--json", a, b, "--game=2", "--charset=western"},
         1,
         nlohmann::ordered_json::parse(
             R"({"findings": [
              {"item": null, "entry": 2, "kind": "text", "message": "the text differs",
               "a": "arr\u00EAter", "b": "arr\u00EAtez\nok"},
              {"item": null, "entry": 3, "kind": "type", "message": "type 3 -> 33",
               "a": "x", "b": "x"},
              {"item": null, "entry": 4, "kind": "only-in-b", "message": "only in )" +
             b + R"(", "a": null, "b": "new"}],
              "counts": {"differing": 3, "a": 3, "b": 4}})")
                 .dump(2) +
             "\n"},
        // Trouble, as with diff, is 2, not "they differ".
        {{"diff", a, dir.file("missing.dia"), "--game", "2"}, 2, ""},
    };
    for (const auto& c : cases) {
        const ToolRun run = zyntext(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST(ZyntextArchiveItems, ArchiveColonNumberNamesAnItemWhereverATextFileIsExpected) {
    TempDir dir;
    const std::string first = TextFileBuilder(1).entry("first").data();
    const std::string second = TextFileBuilder(1).entry("second").data();
    const std::string archive =
        dir.write("text.hqr", ArchiveBuilder().stored(first).compressed(second, 1).build());
    const auto byItem = json(zyntext({"dump", archive, "--item", "1", "--game", "1"}));
    EXPECT_EQ(json(zyntext({"dump", archive + ":1", "--game", "1"})), byItem);
    EXPECT_EQ(byItem["entries"][0]["text"], "second");
    EXPECT_EQ(byItem["mode"], 1);

    // A name that exists is a file, colon and digits or not.
    const std::string odd = dir.write("odd:1", TextFileBuilder(1).entry("odd").bytes());
    EXPECT_EQ(json(zyntext({"dump", odd, "--game", "1"}))["entries"][0]["text"], "odd");

    // Built into an item, as the editor's Save to HQR writes it; the archive keeps a backup.
    const std::string before = readBytes(archive);
    const std::string in =
        dir.write("in.json", R"({"game": 1, "entries": [{"text": "trouv\u00E9"}]})");
    ASSERT_EQ(zyntext({"build", in, archive + ":0", "--charset", "western"}).exitCode, 0);
    EXPECT_EQ(readBytes(dir.file("text.~$R")), before);
    EXPECT_EQ(zyntext({"diff", archive + ":0", odd, "--game", "1", "--charset", "western"}).out,
              "entry 1\n- \"trouv\u00E9\"\n+ \"odd\"\n1 entry differs\n");
}

} // namespace
} // namespace zyn::test
