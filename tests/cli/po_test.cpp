// zyntext po: export to gettext PO, checked by gettext's own msgfmt, and import back, through
// files, archive items and whole archives.

#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::json;
using test::TextFileBuilder;
using test::ToolRun;
using test::zyntext;

// gettext's own check of a PO file, as a translator's tools apply it; "" when it passes.
std::string msgfmtCheck(const std::string& po) {
    test::TempDir dir;
    const std::string line =
        "msgfmt --check -o /dev/null " + test::quoted(po) + " 2>" + test::quoted(dir.file("err"));
    return std::system(line.c_str()) == 0 ? "" : "msgfmt: " + test::readBytes(dir.file("err"));
}

// Replaces the first of from in text.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The texts of a dump's entries.
std::vector<std::string> texts(const nlohmann::json& dump) {
    std::vector<std::string> result;
    for (const auto& entry : dump["entries"])
        result.push_back(entry["text"]);
    return result;
}

// A ZYN 2 bank: source "Hello", a two-line text, "Same", "tail"; its translation.
const TextFileBuilder English = TextFileBuilder(2)
                                    .entry("Hello")
                                    .entry("Line one @ line \"two\"", 33)
                                    .entry("Same")
                                    .entry("tail");
const std::string French = TextFileBuilder(2)
                               .entry("Bonjour \x82")
                               .entry("Ligne un @ ligne deux", 33)
                               .entry("Same")
                               .entry("queue @")
                               .data();

// A ZYN 2 archive of 180 items, each a bank of one entry naming it, with items 1 (EN) and 31
// (FR) the banks above.
std::string archiveOfBanks() {
    test::ArchiveBuilder builder;
    for (int item = 0; item < 180; ++item)
        builder.stored(item == 1 ? English.data()
                       : item == 31
                           ? French
                           : TextFileBuilder(2).entry("bank " + std::to_string(item)).data());
    return builder.build();
}

// The English bank 1 against French bank 31 out to PO and back into a file of the English bank,
// as edited by hand and as rewritten by msgcat.
TEST(ZyntextPo, ExportPassesMsgfmtMarksWhatItWouldRefuseAndImportsBack) {
    test::TempDir dir;
    const std::string archive = dir.write("text.hqr", archiveOfBanks());
    const std::string po = dir.file("fr.po");
    const ToolRun exported =
        zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2", "-o", po});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string text = test::readBytes(po);
    EXPECT_EQ(msgfmtCheck(po), "");
    for (const std::string& expected : std::vector<std::string>{
             "\"Language: fr\\n\"", "\"Content-Type: text/plain; charset=UTF-8\\n\"",
             "#. type 1\n#: " + archive +
                 ":31:1\nmsgctxt \"1\"\nmsgid \"Hello\"\nmsgstr "
                 "\"Bonjour \u00E9\"\n",
             "#. type 33\n", "msgid \"\"\n\"Line one\\n\"\n\"line \\\"two\\\"\"\n",
             "msgctxt \"3\"\nmsgid \"Same\"\nmsgstr \"\"\n",
             "# Marked fuzzy on export: the translation ends with a line break and the source "
             "does not.\n#. type 1\n#: " +
                 archive + ":31:4\n#, fuzzy\nmsgctxt \"4\"\nmsgid \"tail\"\nmsgstr \"queue\\n\""})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin\n" << text;
    // Without a target every message is untranslated; standard output is the default.
    const ToolRun alone = zyntext({"po", "export", archive + ":1", "--game", "2"});
    EXPECT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_EQ(alone.out.find("msgstr \"Bonjour"), std::string::npos);

    // Translated, untranslated (Same), and the fuzzy entry 4; then msgcat's rewrite, wrapped.
    // An obsolete message, as msgmerge leaves them, changes nothing.
    const std::string edited =
        dir.write("edited.po", replaced(text, "msgstr \"Bonjour \u00E9\"", "msgstr \"Salut\"") +
                                   "\n#~ msgctxt \"3\"\n#~ msgid \"Old\"\n#~ msgstr \"Vieux\"\n");
    const std::string rewritten = dir.file("msgcat.po");
    ASSERT_EQ(std::system(("msgcat -w 12 -o " + rewritten + " " + edited).c_str()), 0);
    const struct {
        std::string po;
        bool fuzzy;
        std::vector<std::string> expected;
    } cases[] = {
        {edited, false, {"Salut", "Ligne un\r\nligne deux", "Same", "tail"}},
        {edited, true, {"Salut", "Ligne un\r\nligne deux", "Same", "queue\r\n"}},
        {rewritten, true, {"Salut", "Ligne un\r\nligne deux", "Same", "queue\r\n"}},
    };
    for (const auto& c : cases) {
        const std::string target =
            dir.write("en.dia", TextFileBuilder(English).withHeader().bytes());
        std::vector<std::string> args{"po", "import", c.po, target, "--game", "2"};
        if (c.fuzzy)
            args.push_back("--fuzzy");
        const ToolRun run = zyntext(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto dump = json(zyntext({"dump", target, "--game", "2"}));
        EXPECT_EQ(texts(dump), c.expected) << c.po;
        EXPECT_EQ(dump["header"], true);
        EXPECT_EQ(dump["entries"][1]["type"], 33);
    }
}

TEST(ZyntextPo, EachRefusalNamesTheContextAndLeavesTheTargetByteIdentical) {
    test::TempDir dir;
    const std::string archive = dir.write("text.hqr", archiveOfBanks());
    const std::string before = test::readBytes(archive);
    const std::string message = "msgctxt \"1\"\nmsgid \"Hello\"\nmsgstr \"Hi\"\n";
    const std::string big(20000, 'x');
    struct Case {
        std::string po, expected;
    };
    const std::vector<Case> cases{
        {"msgctxt \"9\"\nmsgid \"x\"\nmsgstr \"y\"\n", ":1: the message with context \"9\" names "
                                                       "no entry"},
        {message + "\nmsgctxt \"2\"\nmsgid \"x\"\nmsgid_plural \"xs\"\nmsgstr[0] \"y\"\n",
         ":5: the message with context \"2\" has plural forms"},
        {"msgctxt \"1\"\nmsgid \"x\"\nmsgstr \"\u4E2D\"\n", "context \"1\" holds the character"},
        {"msgctxt \"1\"\nmsgid \"x\"\nmsgstr \"" + big +
             "\"\n\nmsgctxt \"2\"\nmsgid \"x\"\nmsgstr \"" + big + "\"\n",
         "would pass the 32 767 bytes"},
        {"msgctxt \"1\"\nmsgid \"x\"\nmsgstr \"y\n", "is no valid PO file"},
        {"msgctxt \"3:1\"\nmsgid \"x\"\nmsgstr \"y\"\n", "names no entry"},
    };
    for (const Case& c : cases) {
        const std::string po = dir.write("bad.po", c.po);
        const ToolRun run = zyntext({"po", "import", po, archive + ":1", "--game", "2"});
        EXPECT_EQ(run.exitCode, 1) << c.expected;
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
        EXPECT_EQ(test::readBytes(archive), before) << c.expected;
        EXPECT_FALSE(test::fileExists(dir.file("text.~$R"))) << c.expected;
    }
}

TEST(ZyntextPo, AWholeArchiveGoesOutInOneFileAndComesBackInOneRebuild) {
    test::TempDir dir;
    const std::string archive = dir.write("text.hqr", archiveOfBanks());
    const std::string before = test::readBytes(archive);
    const std::string po = dir.file("fr.po");
    const ToolRun exported =
        zyntext({"po", "export", archive, "--game", "2", "--from", "EN", "--to", "fr", "-o", po});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(msgfmtCheck(po), "");
    std::string text = test::readBytes(po);
    // The fifteen dialogue banks of the French block, each against its English bank.
    EXPECT_NE(text.find("msgctxt \"31:1\"\nmsgid \"Hello\"\nmsgstr \"Bonjour"), std::string::npos);
    EXPECT_NE(text.find("msgctxt \"59:1\"\nmsgid \"bank 29\"\nmsgstr \"bank 59\""),
              std::string::npos);
    EXPECT_EQ(text.find("msgctxt \"30:1\""), std::string::npos);
    text = replaced(text, "msgstr \"Bonjour \u00E9\"", "msgstr \"Salut\"");
    text = replaced(text, "msgstr \"bank 33\"", "msgstr \"banque 33\"");
    const ToolRun imported =
        zyntext({"po", "import", dir.write("edited.po", text), archive, "--game", "2"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(test::readBytes(dir.file("text.~$R")), before);
    EXPECT_EQ(
        texts(json(zyntext({"dump", archive + ":31", "--game", "2", "--charset", "western"})))[0],
        "Salut");
    EXPECT_EQ(texts(json(zyntext({"dump", archive + ":33", "--game", "2"})))[0], "banque 33");
    EXPECT_EQ(texts(json(zyntext({"dump", archive + ":1", "--game", "2"})))[0], "Hello");

    // Again, it finds every translation in place: no rebuild, the backup left as it was.
    const std::string rebuilt = test::readBytes(archive);
    const ToolRun again = zyntext({"po", "import", dir.file("edited.po"), archive, "--game", "2"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("nothing to change"), std::string::npos) << again.err;
    EXPECT_EQ(test::readBytes(archive), rebuilt);
    EXPECT_EQ(test::readBytes(dir.file("text.~$R")), before);
}

} // namespace
} // namespace zyn
