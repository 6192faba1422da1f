// zyntext with letters instead of codes: character sets, remapping tables, diff and archive
// items named ARCHIVE:N.

#include "characters/charactersets.h"
#include "characters/utf8.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using namespace std::string_literals;
using test::json;
using test::TextFileBuilder;
using test::ToolRun;
using test::zyntext;

std::string allCodes() {
    std::string codes;
    for (int c = 0; c < 256; ++c)
        codes.push_back(static_cast<char>(c));
    return codes;
}

// A ".cmp" table, identity except for the given slots.
std::string table(std::initializer_list<std::pair<int, int>> changes) {
    std::string bytes;
    for (int k = 0; k < 256; ++k)
        bytes.push_back(static_cast<char>(k));
    for (const auto& [slot, code] : changes)
        bytes[static_cast<std::size_t>(slot)] = static_cast<char>(code);
    return bytes;
}

std::string jsonOf(const std::vector<std::string>& texts) {
    nlohmann::json entries = nlohmann::json::array();
    for (const auto& text : texts)
        entries.push_back({{"text", text}});
    return nlohmann::json{{"game", 1}, {"entries", entries}}.dump();
}

TEST(ZyntextCharsets, EverySetShowsEveryCodeAsTheEditorDoesAndBuildsItBack) {
    test::TempDir dir;
    const std::string file = TextFileBuilder(1).entry(allCodes()).entry("one @ two").bytes();
    const std::string path = dir.write("all.zyt", file);
    std::string listed;
    for (const CharacterSet& set : CharacterSets) {
        const auto dump = json(zyntext({"dump", path, "--game", "1", "--charset", set.name}));
        EXPECT_EQ(dump["entries"][0]["text"], EncodeUtf8(ToLetters(set.letters, allCodes())))
            << set.name;
        EXPECT_EQ(dump["entries"][1]["text"], "one\ntwo") << set.name;
        const std::string out = dir.file(std::string(set.name) + ".zyt");
        const ToolRun build =
            zyntext({"build", dir.write("all.json", dump.dump()), out, "--charset", set.name});
        EXPECT_EQ(build.exitCode, 0) << build.err;
        EXPECT_EQ(test::readBytes(out), file) << set.name;
        listed += std::string(set.name) + "\t" + set.caption + "\n";
    }
    EXPECT_EQ(zyntext({"charsets"}).out, listed);
}

TEST(ZyntextCharsets, BuildTakesComposedLettersAndRefusesWhatHasNoCodeWritingNothing) {
    test::TempDir dir;
    const std::string out = dir.file("out.zyt");
    const std::string noCode200 = dir.write("gap.cmp", table({{200, 201}}));
    const struct {
        std::vector<std::string> texts;
        std::vector<std::string> options;
        std::string stored; // the file's first entry, or
        std::string err;    // a part of the refusal
    } cases[] = {
        {{"\u1EBF \u00EA\u0301 e\u0302\u0301"},
         {"--charset", "vietnamese"},
         "\xEA\xEC \xEA\xEC \xEA\xEC",
         ""},
        {{"trouv\u00E9"}, {"--charset", "western"}, "trouv\x82", ""},
        {{"ok", "arr\u1EBFt"},
         {"--charset", "western"},
         "",
         "entry 2 (entries[1]) holds the character \"\u1EBF\" (U+1EBF), which the character set "
         "western has no code for"},
        // A character no slot of the table holds is refused, not written as code 0.
        {{"\u00C8"},
         {"--remap", noCode200},
         "",
         "entry 1 holds the character U+00C8, which no slot"},
        {{"x\u255A"},
         {"--charset", "western", "--remap", noCode200},
         "",
         "entry 1 holds the character \"\u255A\" (code 200), which no slot"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"build", dir.write("in.json", jsonOf(c.texts)), out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun run = zyntext(args);
        if (c.err.empty()) {
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(test::readBytes(out), TextFileBuilder(1).entry(c.stored).bytes());
        } else {
            EXPECT_EQ(run.exitCode, 1) << c.err;
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
            EXPECT_FALSE(test::fileExists(out)) << c.err;
        }
        std::remove(out.c_str());
    }
    EXPECT_EQ(zyntext({"dump", "x.zyt", "--game", "1", "--charset", "klingon"}).exitCode, 2);
}

TEST(ZyntextCharsets, LineBreaksStayLineBreaksWhateverTheTableDoesWithTheirCodes) {
    test::TempDir dir;
    const std::string file = TextFileBuilder(1).entry("a @ b\rc").bytes();
    const std::string path = dir.write("in.zyt", file);
    const std::string moved = dir.write(
        "moved.cmp", table({{13, 'x'}, {'x', 13}, {10, 'y'}, {'y', 10}, {'@', 'z'}, {'z', '@'}}));
    const struct {
        std::vector<std::string> options;
        std::string text;
    } cases[] = {{{}, "a\r\nbxc"}, {{"--charset", "western"}, "a\nbxc"}};
    for (const auto& c : cases) {
        std::vector<std::string> args{"dump", path, "--game", "1", "--remap", moved};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto dump = json(zyntext(args));
        EXPECT_EQ(dump["entries"][0]["text"], c.text);
        std::vector<std::string> build{"build", dir.write("in.json", dump.dump()),
                                       dir.file("out.zyt"), "--remap", moved};
        build.insert(build.end(), c.options.begin(), c.options.end());
        EXPECT_EQ(zyntext(build).exitCode, 0);
        EXPECT_EQ(test::readBytes(dir.file("out.zyt")), file);
    }
}

TEST(ZyntextDiff, PrintsABlockPerDifferingEntryAndExitsAsDiffDoes) {
    test::TempDir dir;
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
        {{a, b, "--charset", "western"},
         1,
         "entry 2\n- \"arr\u00EAter\"\n+ \"arr\u00EAtez\\nok\"\n"
         "entry 3: type 3 -> 33\n- \"x\"\n+ \"x\"\n"
         "entry 4: only in " +
             b + "\n+ \"new\"\n3 entries differ; the number of entries changes from 3 to 4\n"},
        {{b, a},
         1,
         "entry 2\n- \"arr\\u0088tez\\r\\nok\"\n+ \"arr\\u0088ter\"\n"
         "entry 3: type 33 -> 3\n- \"x\"\n+ \"x\"\n"
         "entry 4: only in " +
             b + "\n- \"new\"\n3 entries differ; the number of entries changes from 4 to 3\n"},
        {{a, a}, 0, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"diff", "--game", "2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"diff", a, dir.file("missing.dia"), "--game", "2"},
          {"diff", a, "--game", "2"}}) {
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err.rfind("zyntext: ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(ZyntextArchiveItems, ArchiveColonNumberNamesAnItemWhereverATextFileIsExpected) {
    test::TempDir dir;
    const std::string first = TextFileBuilder(1).entry("first").data();
    const std::string second = TextFileBuilder(1).entry("second").data();
    const std::string archive =
        dir.write("text.hqr", test::ArchiveBuilder().stored(first).compressed(second, 1).build());
    const auto byItem = json(zyntext({"dump", archive, "--item", "1", "--game", "1"}));
    EXPECT_EQ(json(zyntext({"dump", archive + ":1", "--game", "1"})), byItem);
    EXPECT_EQ(byItem["entries"][0]["text"], "second");

    // A name that exists is a file, colon and digits or not.
    const std::string odd = dir.write("odd:1", TextFileBuilder(1).entry("odd").bytes());
    EXPECT_EQ(json(zyntext({"dump", odd, "--game", "1"}))["entries"][0]["text"], "odd");

    // Built into an item, as the editor's Save to HQR writes it; the archive keeps a backup.
    const std::string before = test::readBytes(archive);
    const std::string in = dir.write("in.json", jsonOf({"trouv\u00E9"}));
    ASSERT_EQ(zyntext({"build", in, archive + ":0", "--charset", "western"}).exitCode, 0);
    EXPECT_EQ(test::readBytes(dir.file("text.~$R")), before);
    const ToolRun diff =
        zyntext({"diff", archive + ":0", odd, "--game", "1", "--charset", "western"});
    EXPECT_EQ(diff.out, "entry 1\n- \"trouv\u00E9\"\n+ \"odd\"\n1 entry differs\n");
    EXPECT_EQ(diff.exitCode, 1);

    const ToolRun beyond = zyntext({"dump", archive + ":20001", "--game", "1"});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_NE(beyond.err.find("20001 is no item number"), std::string::npos) << beyond.err;
    EXPECT_EQ(zyntext({"dump", archive + ":7", "--game", "1"}).exitCode, 1);
}

} // namespace
} // namespace zyn
