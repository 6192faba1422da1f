// What zyntext refuses rather than write wrongly, wait for ever or crash on: each refusal says
// where the trouble is, and leaves every file of the folder as it was.

#include "base/bytes.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace zyn::test {
namespace {

// Every file of folder with its bytes; a FIFO by its kind only, as reading it would wait.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename()] =
            entry.is_regular_file() ? readBytes(entry.path()) : "(not a file)";
    return files;
}

std::string po(const std::string& messages) {
    return "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n" + messages;
}

// Bad input and wrong usage: nothing is written, and the trouble is said in one line, a
// refusal's list indented under it; a second line points a wrong usage to --help.
TEST(Refusals, EachNamesThePlaceInOneLineAndLeavesEveryFileAsItWas) {
    TempDir dir;
    dir.write("text.hqr", ArchiveBuilder()
                              .stored(TextFileBuilder(2).entry("Hello").entry("Hi").data())
                              .blank()
                              .build());
    std::string overlapping = ArchiveBuilder().stored("hello").stored("world").build();
    putU32(overlapping, 4, 14); // item 1 starts inside item 0
    dir.write("overlap.hqr", overlapping);
    const std::string message = "msgctxt \"1\"\nmsgid \"Hello\"\nmsgstr \"";
    dir.write("raw.po", po(message + std::string("ab\0cd\"\n", 7)));
    dir.write("octal.po", po(message + "ab\\000cd\"\n"));
    dir.write("hex.po", po(message + "ab\\x00\"\n"));
    dir.write("short.po", po(message + "\\0\"\n"));
    // A translator comment is read as the entry's note; an escape in one is its text.
    dir.write("comment.po", po(std::string("# a\\0 \0b\n", 9) + message + "Salut\"\n"));
    dir.write("plain.po", po(message + "Salut\"\n"));
    dir.write("twice.po", po(message + "a\"\n\nmsgctxt \"1\"\nmsgid \"Hi\"\nmsgstr \"b\"\n"));
    dir.write("zero.cmp", std::string(256, '\0'));
    dir.write("zero.json", R"({"game": 2, "entries": [{"text": "\u0000"}]})");
    dir.write("type.json", R"({"game": 2, "entries": [{"type": 1e400, "text": "a"}]})");
    dir.write("game.json", R"({"game": 1e400, "entries": []})");
    dir.write("out.zyt", "old");
    ::chmod(dir.write("readonly.zyt", "old").c_str(), 0444);
    ::mkfifo(dir.file("fifo").c_str(), 0644); // read at once, never waited on
    dir.write("mode3.ztf", itemHeader(4, 4, 3) + std::string("\x04\x00\x04\x00", 4));
    dir.write("empty", itemHeader(0, 4, 1) + "abcd");
    dir.write("headed.ztf", TextFileBuilder(1).entry("x").withHeader().bytes());
    int jsonFiles = 0;
    const auto json = [&](const std::string& text) {
        return dir.write("in" + std::to_string(++jsonFiles) + ".json", text);
    };
    const nlohmann::json many = {{"game", 1},
                                 {"entries", std::vector(1023, nlohmann::json{{"text", ""}})}};
    const auto import = [](const char* po, const char* target) {
        return std::vector<std::string>{"po", "import", po, target, "--game", "2"};
    };
    const struct {
        std::vector<std::string> args;
        std::string err; // a part of it
        int exitCode = 1;
        std::string prefix = "";
    } cases[] = {
        {{"dump", "missing.zyt", "--game", "1"}, "Cannot open"},
        // A failed command leaves the file -o names as it was.
        {{"dump", "missing.zyt", "--game", "1", "-o", "out.zyt"}, "Cannot open"},
        {{"dump", "mode3.ztf", "--game", "1"},
         "zyntext: Sorry, that particular comrpession type is not supported in this version. "
         "Compression used: Maybe MSCF/MSZIP compression (03)\n"},
        {{"build", json(R"({"game": 1, "entries": [{"text": "ok"}, {"text": "\u0100"}]})"), "out"},
         "entries[1] holds the character U+0100"},
        {{"build", json(R"({"game": 1, "entries": [{"text": "ok"}, {"text": "\u1EBF"}]})"), "out",
          "--charset", "western"},
         "entry 2 (entries[1]) holds the character \"\u1EBF\" (U+1EBF), which the character set "
         "western has no code for"},
        // Columns count characters, not bytes.
        {{"build", json("{\"game\": 1,\n \"entries\": [{\"text\": \"é\"} {"), "out"},
         "not valid JSON: line 2, column 28: unexpected '{'; expected ']'"},
        {{"build", json("{\"game\": 1, \"entries\": [\n"), "out"},
         "not valid JSON: line 2, column 1: unexpected end of input"},
        {{"build", json(many.dump()), "out"},
         "there are 1023 entries, but a text file holds at most 1022"},
        {{"build", json(R"({"game": 2, "entries": [{"text": "", "type": 256}]})"), "out"},
         "entries[0]: \"type\" must be"},
        {{"hqr", "extract", "text.hqr", "1", "out", "--expand"}, "is blank"},
        // An item or language the archive lacks is wrong usage, naming what it holds.
        {{"hqr", "replace", "text.hqr", "9", "text.hqr"},
         "text.hqr: the archive has no item 9; it holds items 0 to 1",
         2},
        {{"po", "export", "text.hqr", "--game", "2", "--from", "DE", "--to", "FR"},
         "text.hqr: the archive has no DE banks; it holds none",
         2},
        // A file with an item header would be stored with a second one: the way out is named.
        {{"hqr", "replace", "text.hqr", "0", "headed.ztf"}, "add --item-file"},
        {{"hqr", "replace", "text.hqr", "0", "out.zyt", "1", "headed.ztf"}, "add --item-file"},
        {{"dump", "text.hqr:7", "--game", "1"},
         "the archive has no item 7; it holds items 0 to 1",
         2},
        {{"dump", "text.hqr:20001", "--game", "1"}, "20001 is no item number"},
        {{"expand", "text.hqr", "out"}, "has no item header"},
        {{"expand", "empty", "out"}, "nothing written"},
        {{"dump", "in.zyt"}, "--game 1 or --game 2 is required", 2},
        {{"dump", "in.zyt", "--game", "1", "--entry"}, "unknown option '--entry'", 2},
        {{"dump", "in.zyt", "--game", "1", "--charset", "klingon"}, "unknown character set", 2},
        {{"hqr", "move", "text.hqr"}, "unknown subcommand 'move'", 2},
        {{"hqr", "extract", "text.hqr", "x", "out"}, "N must be an item number", 2},
        {{"names", "3"}, "--game 1 or --game 2 is required", 2},
        {{"po", "import", "plain.po", "-", "--game", "2"}, "TARGET is written in place", 2},
        {{"diff", "-", "-", "--game", "2"}, "standard input ('-') can be read only once", 2},
        {{"diff", "text.hqr", "--game", "2"}, "two text files to compare are required", 2},
        {{"check", "text.hqr", "--game", "2"},
         "one archive is checked with --from LANG --to LANG",
         2},
        {{"check", "a", "b", "--game", "2", "--max-lines", "x"}, "--max-lines takes a number", 2},
        {import("raw.po", "text.hqr:0"), "raw.po:7: a string holds code 0"},
        {import("octal.po", "text.hqr"), "octal.po:7: a string holds code 0"},
        {import("hex.po", "text.hqr:0"), "hex.po:7: a string holds code 0"},
        {import("short.po", "text.hqr:0"), "short.po:7"},
        {import("comment.po", "text.hqr:0"), "comment.po:5: a comment holds code 0"},
        {import("twice.po", "text.hqr:0"),
         "twice.po: 1 message refused; nothing was written.\n  context \"1\", line 9: names the "
         "entry that the message with context \"1\" on line 5 names too"},
        {import("plain.po", "text.hqr"),
         "plain.po: its contexts (\"12\") name the entries of one text file, but text.hqr is an "
         "archive"},
        {import("fifo", "text.hqr:0"), "Cannot read fifo: it is not a file"},
        {import("/dev/zero", "text.hqr:0"), "it is not a file"},
        {{"build", "zero.json", "out.zyt", "--remap", "zero.cmp"},
         "entry 1 holds the character U+0000, which the character remapping table maps back to "
         "code 0"},
        {{"build", "type.json", "out.zyt"}, "type.json: this is not valid JSON: the number 1e400"},
        {{"build", "game.json", "text.hqr:0"}, "the number 1e400 is out of range"},
        {{"hqr", "replace", "overlap.hqr", "0", "out.zyt"}, "items 0 and 1 overlap"},
        {{"build", "zero.json", "fifo"}, "Cannot write fifo: it is a FIFO, not a file."},
        {{"build", "zero.json", "readonly.zyt"}, "Cannot write readonly.zyt: it is read-only."},
    };
    for (const auto& c : cases) {
        const auto before = snapshot(dir.path());
        const ToolRun run = zyntext(c.args, dir.path(), c.prefix + " timeout -s KILL 20");
        const std::string what = c.args[0] + " " + c.args[1] + ": " + run.err;
        EXPECT_EQ(run.exitCode, c.exitCode) << what;
        EXPECT_TRUE(run.err.starts_with("zyntext: ")) << what;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << what;
        const auto said = lines(run.err);
        EXPECT_EQ(std::ranges::count_if(said, [](auto& line) { return !line.starts_with(' '); }),
                  c.exitCode)
            << what;
        EXPECT_EQ(run.out, "") << what;
        EXPECT_EQ(snapshot(dir.path()), before) << what;
    }
}

} // namespace
} // namespace zyn::test
