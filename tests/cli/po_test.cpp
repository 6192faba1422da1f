// zyntext po: export to gettext PO, checked by gettext's own msgfmt, and import back, through
// files, archive items and whole archives.

#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

// text with each line ended by end instead of LF.
std::string endedBy(const std::string& text, const std::string& end) {
    std::string out;
    for (const char c : text)
        out += c == '\n' ? end : std::string(1, c);
    return out;
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
const TextFileBuilder French = TextFileBuilder(2)
                                   .entry("Bonjour \x82")
                                   .entry("Ligne un @ ligne deux", 33)
                                   .entry("Same")
                                   .entry("queue @");

// The English bank against its French translation out to PO and back into the French file, as
// edited by hand, with a byte-order mark, and as rewritten by msgcat.
TEST(ZyntextPo, ExportPassesMsgfmtMarksWhatItWouldRefuseAndImportsBack) {
    TempDir dir;
    const std::string english = dir.write("en.dia", TextFileBuilder(English).withHeader().bytes());
    const std::string frenchBytes = TextFileBuilder(French).withHeader().bytes();
    const std::string french = dir.write("fr.dia", frenchBytes);
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(zyntext({"po", "export", english, french, "--game", "2", "-o", po})));
    const std::string text = readBytes(po);
    EXPECT_EQ(msgfmtCheck(po), "");
    for (const std::string& expected : std::vector<std::string>{
             "\"Content-Type: text/plain; charset=UTF-8\\n\"",
             "\"X-Source: " + english + "\\n\"\n\"X-Target: " + french + "\\n\"",
             "#. type 1: Normal\n#: " + french +
                 ":1\nmsgctxt \"1\"\nmsgid \"Hello\"\nmsgstr "
                 "\"Bonjour \u00E9\"\n",
             "#. type 33: Radio\n", "msgid \"\"\n\"Line one\\n\"\n\"line \\\"two\\\"\"\n",
             "msgctxt \"3\"\nmsgid \"Same\"\nmsgstr \"\"\n",
             "# Marked fuzzy on export: the translation ends with a line break and the source "
             "does not.\n#. type 1: Normal\n#: " +
                 french + ":4\n#, fuzzy\nmsgctxt \"4\"\nmsgid \"tail\"\nmsgstr \"queue\\n\""})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin\n" << text;
    // Without a target every message is untranslated; standard output is the default.
    const ToolRun alone = zyntext({"po", "export", english, "--game", "2"});
    EXPECT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_EQ(alone.out.find("msgstr \"Bonjour"), std::string::npos);

    // One translated, one the same as its source, the fuzzy entry 4; then msgcat's rewrite,
    // wrapped. An obsolete message, as msgmerge leaves them, changes nothing.
    const std::string edited =
        replaced(replaced(text, "msgstr \"Bonjour \u00E9\"", "msgstr \"Salut\""),
                 "msgid \"Same\"\nmsgstr \"\"", "msgid \"Same\"\nmsgstr \"Same\"") +
        "\n#~ msgctxt \"3\"\n#~ msgid \"Old\"\n#~ msgstr \"Vieux\"\n";
    const std::string rewritten = dir.file("msgcat.po");
    ASSERT_EQ(std::system(
                  ("msgcat -w 12 -o " + rewritten + " " + dir.write("edited.po", edited)).c_str()),
              0);
    const std::string report = "1 entry changed, 2 unchanged, 1 fuzzy skipped (--fuzzy takes "
                               "them), 0 untranslated; written into " +
                               french;
    const struct {
        std::string po;
        std::vector<std::string> options, said;
    } cases[] = {
        {dir.file("edited.po"), {}, {report}},
        {dir.write("bom.po", "\xEF\xBB\xBF" + edited), {}, {report}},
        // Lines ended by CR LF, or CR alone, as other tools save them; the fuzzy flag kept.
        {dir.write("crlf.po", endedBy(edited, "\r\n")), {}, {report}},
        {dir.write("cr.po", endedBy(edited, "\r")), {}, {report}},
        {rewritten,
         {"--fuzzy", "--force"},
         {"--force overrode 1 check:\n  context \"4\", line ",
          "1 entry changed, 3 unchanged, 0 untranslated"}},
    };
    for (const auto& c : cases) {
        dir.write("fr.dia", frenchBytes);
        std::vector<std::string> args{"po", "import", c.po, french, "--game", "2"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun run = zyntext(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const std::string& said : c.said)
            EXPECT_NE(run.err.find(said), std::string::npos) << said << "\nin\n" << run.err;
        const auto dump = json(zyntext({"dump", french, "--game", "2"}));
        EXPECT_EQ(texts(dump), (std::vector<std::string>{"Salut", "Ligne un\r\nligne deux", "Same",
                                                         "queue\r\n"}))
            << c.po;
        EXPECT_EQ(dump["header"], true);
        EXPECT_EQ(dump["entries"][1]["type"], 33);
    }
}

// Every refused message of a file listed in one run, first line counting them; the target
// byte-identical and no backup made.
TEST(ZyntextPo, EachRefusalNamesTheContextAndLeavesTheTargetByteIdentical) {
    TempDir dir;
    const std::string archive = dir.write("text.hqr", BankArchive(English.data(), French.data()));
    const std::string before = readBytes(archive);
    ASSERT_TRUE(succeeded(zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2",
                                   "-o", dir.file("fr.po")})));
    const std::string exported = readBytes(dir.file("fr.po"));
    // The export with the first message translated otherwise.
    const auto translated = [&](const std::string& text) {
        return replaced(exported, "msgstr \"Bonjour \u00E9\"", "msgstr \"" + text + "\"");
    };
    const std::string message = "msgctxt \"1\"\nmsgid \"Hello\"\nmsgstr \"Hi\"\n";
    const std::string big(20000, 'x');
    std::string noEntries; // 60 messages naming no entry
    for (int i = 100; i < 160; ++i)
        noEntries += "msgctxt \"" + std::to_string(i) + "\"\nmsgid \"x\"\nmsgstr \"y\"\n\n";
    struct Case {
        std::string target, po;
        std::vector<std::string> expected;
        std::string option = "";
    };
    const std::string item1 = archive + ":1", item31 = archive + ":31";
    const std::vector<Case> cases{
        {item1,
         "msgctxt \"9\"\nmsgid \"x\"\nmsgstr \"y\"\n",
         {": 1 message refused; nothing was written.\n  context \"9\", line 1: names no entry"}},
        {item1,
         message + "\nmsgctxt \"2\"\nmsgid \"x\"\nmsgid_plural \"xs\"\nmsgstr[0] \"y\"\n",
         {"context \"2\", line 5: has plural forms"}},
        {item1,
         "msgctxt \"1\"\nmsgid \"x\"\nmsgstr \"" + big +
             "\"\n\nmsgctxt \"2\"\nmsgid \"x\"\nmsgstr \"" + big + "\"\n",
         {"would pass the 32 767 bytes"}},
        {item1, "msgctxt \"1\"\nmsgid \"x\"\nmsgstr \"y\n", {"is no valid PO file"}},
        {item1, "msgctxt \"3:1\"\nmsgid \"x\"\nmsgstr \"y\"\n", {"names no entry"}},
        {item1, noEntries, {": 60 messages refused", "\"149\"", "  ... and 10 more\n"}},
        // Several characters the set lacks, in two messages, listed in one run.
        {item31,
         translated("\u2019\u0153"),
         {": 1 message refused", "\"\u2019\" (U+2019), \"\u0153\" (U+0153), which"}},
        {item31,
         replaced(translated("\u2026"), "msgstr \"\"\n\"Ligne", "msgstr \"\"\n\"L\u2019igne"),
         {": 2 messages refused", "\"\u2026\" (U+2026)", "\"\u2019\" (U+2019)"}},
        // The file of bank 31 given its source: its header and its references name 31.
        {item1,
         exported,
         {"was exported for " + item31 + " (X-Target), not " + item1,
          "its reference names " + item31 + ":1, not text.hqr:1\n",
          "nothing was written. --force imports it anyway."}},
        {item31,
         replaced(translated("Salut"), "msgid \"Hello\"", "msgid \"Hullo\""),
         {"context \"1\", line 19: the source changed since the export; export again and merge"}},
        {item31,
         translated("Salut\\n"),
         {"context \"1\", line 19: the translation ends with a line break and the source does "
          "not"}},
        // Export marks such a message fuzzy; taken, it is refused as well.
        {item31, exported, {"context \"4\", line 43: the translation ends with"}, "--fuzzy"},
        // What tools leave in place of a translation, refused even where fuzzy would skip it:
        // the header msgmerge matched to an empty msgid, a conflict block of msgcat.
        {item31,
         replaced(exported, "msgid \"Hello\"\nmsgstr \"Bonjour \u00E9\"",
                  "msgid \"\"\nmsgstr \"Project-Id-Version: game texts\\nLanguage: fr\\n\""),
         {"context \"1\", line 19: the translation holds a PO header's fields "
          "(\"Project-Id-Version: "
          "game texts\"), not a text of the game; empty this msgstr"}},
        {item31,
         replaced(translated("#-#-#-#-#  a.po (game texts)  #-#-#-#-#\\nSalut\\n"
                             "#-#-#-#-#  b.po (game texts)  #-#-#-#-#\\nBonjour"),
                  "#: " + item31 + ":1\n", "#: " + item31 + ":1\n#, fuzzy\n"),
         {"context \"1\", line 20: the translation holds a conflict block of msgcat "
          "(\"#-#-#-#-#  a.po (game texts)  #-#-#-#-#\"); keep one of its translations"}},
        // One message changes an entry, another is refused: neither is written.
        {item31,
         translated("Salut") + "\nmsgctxt \"99\"\nmsgid \"x\"\nmsgstr \"y\"\n",
         {": 1 message refused", "context \"99\""}},
        {item31,
         replaced(translated("Salut"), "X-Target: " + item31, "X-Target: " + archive + ":5"),
         {"refused; nothing was written. --force", "(X-Target), not " + item31}},
        // A character that shows nothing is named, never printed.
        {item31, "msgctxt \"1\u00A0\"\nmsgid \"x\"\nmsgstr \"y\"\n", {"context \"1(U+00A0)\""}},
    };
    for (const Case& c : cases) {
        const std::string po = dir.write("bad.po", c.po);
        std::vector<std::string> args{"po", "import", po, c.target, "--game", "2"};
        if (!c.option.empty())
            args.push_back(c.option);
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, 1) << c.expected[0];
        EXPECT_TRUE(run.err.starts_with("zyntext: ")) << run.err;
        for (const std::string& expected : c.expected)
            EXPECT_NE(run.err.find(expected), std::string::npos) << expected << "\nin\n" << run.err;
        EXPECT_EQ(readBytes(archive), before) << c.expected[0];
        EXPECT_FALSE(fileExists(dir.file("text.~$R"))) << c.expected[0];
    }
}

TEST(ZyntextPo, AWholeArchiveGoesOutInOneFileAndComesBackInOneRebuild) {
    TempDir dir;
    const std::string archive = dir.write("text.hqr", BankArchive(English.data(), French.data()));
    const std::string before = readBytes(archive);
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive, "--game", "2", "--from", "EN", "--to", "fr", "-o", po})));
    EXPECT_EQ(msgfmtCheck(po), "");
    std::string text = readBytes(po);
    // The fifteen dialogue banks of the French block, each against its English bank.
    EXPECT_NE(text.find("msgctxt \"31:1\"\nmsgid \"Hello\"\nmsgstr \"Bonjour"), std::string::npos);
    EXPECT_NE(text.find("msgctxt \"59:1\"\nmsgid \"bank 29\"\nmsgstr \"bank 59\""),
              std::string::npos);
    EXPECT_EQ(text.find("msgctxt \"30:1\""), std::string::npos);
    text = replaced(text, "msgstr \"Bonjour \u00E9\"", "msgstr \"Salut\"");
    text = replaced(text, "msgstr \"bank 33\"", "msgstr \"banque 33\"");
    // References naming the file alone, as msgcat --add-location=file writes them.
    const std::string edited = dir.file("edited.po");
    ASSERT_EQ(
        std::system(("msgcat --add-location=file -o " + edited + " " + dir.write("plain.po", text))
                        .c_str()),
        0);
    ASSERT_NE(readBytes(edited).find("#: " + archive + ":31\n"), std::string::npos);
    ASSERT_TRUE(succeeded(zyntext({"po", "import", edited, archive, "--game", "2"})));
    EXPECT_EQ(readBytes(dir.file("text.~$R")), before);
    EXPECT_EQ(
        texts(json(zyntext({"dump", archive + ":31", "--game", "2", "--charset", "western"})))[0],
        "Salut");
    EXPECT_EQ(texts(json(zyntext({"dump", archive + ":33", "--game", "2"})))[0], "banque 33");
    EXPECT_EQ(texts(json(zyntext({"dump", archive + ":1", "--game", "2"})))[0], "Hello");

    // Again, it finds every translation in place: no rebuild, the backup left as it was.
    const std::string rebuilt = readBytes(archive);
    const ToolRun again = zyntext({"po", "import", dir.file("edited.po"), archive, "--game", "2"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_NE(again.err.find("nothing to change"), std::string::npos) << again.err;
    EXPECT_EQ(readBytes(archive), rebuilt);
    EXPECT_EQ(readBytes(dir.file("text.~$R")), before);
}

// A new English bank with an entry inserted: its template merged into the old PO by the real
// msgmerge carries each translation over, fuzzy where the context moved, none onto the empty
// entry, and imports into the new bank as the old PO was made for.
TEST(ZyntextPo, ATemplateMergedByMsgmergeImportsIntoTheNewBank) {
    TempDir dir;
    const std::vector<std::string> english{"One", "Two", "", "Three"},
        french{"Un", "Deux", "", "Trois"};
    const auto archiveOf = [&](std::vector<std::string> source, std::vector<std::string> target) {
        return dir.write("text.hqr", ArchiveBuilder()
                                         .stored(TextFileBuilder(2).entry("ordinals").data())
                                         .stored(TextFileBuilder(2).entries(source).data())
                                         .stored(TextFileBuilder(2).entries(target).data())
                                         .build());
    };
    const std::string archive = archiveOf(english, french);
    const std::string old = dir.file("fr.po"), pot = dir.file("new.pot");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", archive + ":2", "--game", "2", "-o", old})));
    // The new archive: an entry inserted in both banks, the translation's still in English.
    archiveOf({"One", "New", "Two", "", "Three"}, {"One", "New", "Two", "", "Three"});
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", "--template", "--game", "2", "-o", pot})));
    EXPECT_EQ(readBytes(pot).find("msgstr \"U"), std::string::npos);
    const std::string merged = dir.file("merged.po");
    ASSERT_EQ(std::system(("msgmerge -q --previous -o " + merged + " " + old + " " + pot).c_str()),
              0);
    const std::string text = readBytes(merged);
    EXPECT_NE(text.find("#: " + archive +
                        ":1:3\n#, fuzzy\n#| msgctxt \"2\"\n#| msgid \"Two\"\n"
                        "msgctxt \"3\"\nmsgid \"Two\"\nmsgstr \"Deux\""),
              std::string::npos)
        << text;
    const ToolRun skipped = zyntext({"po", "import", merged, archive + ":2", "--game", "2"});
    EXPECT_NE(skipped.err.find("1 entry changed, 0 unchanged, 2 fuzzy skipped"), std::string::npos)
        << skipped.err;
    ASSERT_TRUE(
        succeeded(zyntext({"po", "import", merged, archive + ":2", "--game", "2", "--fuzzy"})));
    EXPECT_EQ(texts(json(zyntext({"dump", archive + ":2", "--game", "2"}))),
              (std::vector<std::string>{"Un", "New", "Deux", "", "Trois"}));
    // The merged file belongs to the bank the old PO was made for.
    EXPECT_NE(zyntext({"po", "import", merged, archive + ":1", "--game", "2", "--fuzzy"})
                  .err.find("(X-Target), not"),
              std::string::npos);
}

// A bank with empty entries, control codes, a line break and a backslash: the empty entries
// have no message, and the file comes back byte for byte through msgcat of two translators'
// files and through lconvert to .ts and XLIFF and back, and as an earlier export wrote it.
TEST(ZyntextPo, EmptyEntriesHaveNoMessageAndTheBankSurvivesEveryTool) {
    TempDir dir;
    const std::vector<std::string> english{"Hello", "", "One @ two", "\x01Go\x02", "", "A\\b"};
    const auto archiveOf = [&](const std::vector<std::string>& french) {
        return dir.write("text.hqr", BankArchive(TextFileBuilder(2).entries(english).data(),
                                                 TextFileBuilder(2).entries(french).data()));
    };
    const std::string archive =
        archiveOf({"Salut", "", "Un @ deux", "\x01Va\x02", "Extra", "C\\d"});
    const auto bank = [&] {
        EXPECT_TRUE(succeeded(zyntext({"hqr", "extract", archive, "31", dir.file("item")})));
        return readBytes(dir.file("item"));
    };
    const std::string expected = bank(), po = dir.file("fr.po");
    const ToolRun exported =
        zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2", "-o", po});
    EXPECT_EQ(exported.err, "zyntext: 2 entries left out: the source is empty (import leaves such "
                            "entries as they are)\n");
    const std::string text = readBytes(po);
    EXPECT_EQ(msgfmtCheck(po), "");
    EXPECT_EQ(text.find("\nmsgid \"\"\nmsgstr"), std::string::npos) << text;
    EXPECT_NE(text.find("msgid \"A\\\\b\"\nmsgstr \"C\\\\d\""), std::string::npos) << text;
    // Each translator leaves the other's messages untranslated.
    const std::string first = dir.write("a.po", replaced(text, "msgstr \"Salut\"", "msgstr \"\"")),
                      second =
                          dir.write("b.po", replaced(text, "msgstr \"C\\\\d\"", "msgstr \"\""));
    std::vector<std::string> files{
        po, dir.file("ab.po"),
        dir.write("older.po", text + "\nmsgctxt \"2\"\nmsgid \"\"\nmsgstr \"Vide\"\n")};
    ASSERT_EQ(std::system(("msgcat -o " + files[1] + " " + first + " " + second).c_str()), 0);
    const char* lconvert = "/usr/lib/qt6/bin/lconvert";
    for (const std::string form : {"ts", "xlf"})
        if (fileExists(lconvert)) {
            const std::string converted = dir.file("fr." + form), back = dir.file(form + ".po");
            ASSERT_EQ(std::system((lconvert + (" -i " + po + " -o " + converted + " && ") +
                                   lconvert + " -i " + converted + " -o " + back)
                                      .c_str()),
                      0);
            files.push_back(back);
        }
    for (const std::string& file : files) {
        archiveOf({"Hello", "", "One @ two", "\x01Go\x02", "Extra", "A\\b"});
        const ToolRun run = zyntext({"po", "import", file, archive + ":31", "--game", "2"});
        EXPECT_NE(run.err.find("4 entries changed, 0 unchanged, 0 untranslated" +
                               std::string(file.ends_with("older.po")
                                               ? ", 1 with an empty msgid left out;"
                                               : ";")),
                  std::string::npos)
            << file << "\n"
            << run.err;
        EXPECT_EQ(bank(), expected) << file;
    }
    if (!fileExists(lconvert))
        GTEST_SKIP() << "lconvert is missing (Debian: qt6-l10n-tools)";
}

// Untranslated messages filled from the translations of an older archive and of a PO file,
// each marked fuzzy with where it came from; languages an archive cannot be paired in refused.
TEST(ZyntextPo, MemoryFillsUntranslatedMessagesAsFuzzyNamingWhereEachCameFrom) {
    TempDir dir;
    const std::string old = dir.write("old.hqr", BankArchive(English.data(), French.data()));
    const std::string fresh = dir.write(
        "new.hqr",
        BankArchive(TextFileBuilder(2).entry("Hello").entry("New line").entry("Kept").data(),
                    TextFileBuilder(2).entry("Hello").entry("").entry("Garde").data()));
    const std::string memoryPo =
        dir.write("extra.po", "msgid \"\"\nmsgstr \"\"\n"
                              "\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                              "msgctxt \"7\"\nmsgid \"New line\"\n"
                              "msgstr \"Nouvelle ligne\"\n\n"
                              "#, fuzzy\nmsgid \"Kept\"\nmsgstr \"Pris\"\n");
    const std::string po = dir.file("fr.po");
    const ToolRun run = zyntext({"po", "export", fresh, "--game", "2", "--from", "EN", "--to", "FR",
                                 "--memory", old, "--memory", memoryPo, "-o", po});
    ASSERT_TRUE(succeeded(run)) << run.err;
    EXPECT_EQ(msgfmtCheck(po), "");
    const std::string text = readBytes(po);
    for (const std::string& expected : std::vector<std::string>{
             "# From the translation memory: old.hqr FR_SYS.DIA, entry 1.\n#. type 1: Normal\n#: " +
                 fresh +
                 ":31:1\n#, fuzzy\nmsgctxt \"31:1\"\nmsgid \"Hello\"\nmsgstr \"Bonjour "
                 "\u00E9\"\n",
             "# From the translation memory: extra.po, entry 7.\n#. type 1: Normal\n#: " + fresh +
                 ":31:2\n#, fuzzy\nmsgctxt \"31:2\"\nmsgid \"New line\"\nmsgstr \"Nouvelle "
                 "ligne\"\n",
             // Translated already, and a fuzzy message of the memory: neither is taken.
             "#: " + fresh + ":31:3\nmsgctxt \"31:3\"\nmsgid \"Kept\"\nmsgstr \"Garde\"\n",
             "#: " + fresh + ":33:1\nmsgctxt \"33:1\"\nmsgid \"bank 3\"\nmsgstr \"bank 33\"\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin\n" << text;

    // One file against another names no languages to pair an archive's banks in.
    EXPECT_EQ(zyntext({"po", "export", fresh + ":1", "--game", "2", "--memory", old}).exitCode, 2);
    const ToolRun missing = zyntext({"po", "export", fresh + ":1", fresh + ":31", "--game", "2",
                                     "--memory", dir.file("gone.hqr"), "-o", dir.file("no.po")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("gone.hqr"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("no.po")));
}

} // namespace
} // namespace zyn::test

namespace zyn::test {
namespace {

// The header field's value in a PO text.
std::string field(const std::string& po, const std::string& name) {
    const std::size_t at = po.find("\"" + name + ": ");
    return at == std::string::npos
               ? "(none)"
               : po.substr(at + name.size() + 3, po.find("\\n\"", at) - at - name.size() - 3);
}

// Language is the target's, as gettext's tools have it, and the dates are gettext's form of
// the time of the export, or of SOURCE_DATE_EPOCH: msgfmt --check-header has nothing to say,
// and the same export gives the same bytes.
TEST(ZyntextPo, TheHeaderIsAsGettextWritesIt) {
    TempDir dir;
    const std::string archive = dir.write("text.hqr", BankArchive(English.data(), French.data()));
    dir.write("EN_000.DIA", English.bytes());
    dir.write("FR_000.DIA", French.bytes());
    dir.write("mine.dia", French.bytes());
    const struct {
        std::vector<std::string> args;
        std::string language;
    } cases[] = {
        {{"EN_000.DIA", "FR_000.DIA"}, "fr"},
        {{"--from", "text.hqr:1", "--to", "text.hqr:31"}, "fr"},
        {{"text.hqr", "--from", "EN", "--to", "FR"}, "fr"},
        {{"EN_000.DIA", "mine.dia", "--language", "pt_BR"}, "pt_BR"},
        {{"text.hqr:1", "mine.dia", "--language", "SP"}, "es"},
        // A template is for any language: none, unless said; not its source's.
        {{"text.hqr:1", "--template"}, ""},
        {{"text.hqr:31", "--template", "--language=pl"}, "pl"},
    };
    const std::string epoch = "SOURCE_DATE_EPOCH=951782400"; // 2000-02-29, a leap day
    for (const auto& c : cases) {
        std::vector<std::string> args{"po", "export", "--game", "2", "-o", "out.po"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ASSERT_TRUE(succeeded(zyntext(args, dir.path(), epoch)));
        const std::string po = readBytes(dir.file("out.po"));
        EXPECT_EQ(field(po, "Language"), c.language) << c.args[0];
        EXPECT_EQ(field(po, "POT-Creation-Date"), "2000-02-29 00:00+0000");
        EXPECT_EQ(field(po, "PO-Revision-Date"), "2000-02-29 00:00+0000");
        if (!c.language.empty()) {
            const std::string check = "msgfmt --check-header -o /dev/null " +
                                      quoted(dir.file("out.po")) + " 2>" + quoted(dir.file("err"));
            EXPECT_EQ(std::system(check.c_str()), 0) << c.args[0];
            EXPECT_EQ(readBytes(dir.file("err")), "") << c.args[0];
        }
        ASSERT_TRUE(succeeded(zyntext(args, dir.path(), epoch)));
        EXPECT_EQ(readBytes(dir.file("out.po")), po) << "again: " << c.args[0];
    }
    // Without SOURCE_DATE_EPOCH: now, in the local zone, east or west of UTC.
    for (const auto& [zone, suffix] : {std::pair{"TZ=XYZ-5:30", "+0530"}, {"TZ=XYZ+3", "-0300"}}) {
        const ToolRun run =
            zyntext({"po", "export", "EN_000.DIA", "FR_000.DIA", "--game", "2"}, dir.path(), zone);
        const std::string date = field(run.out, "PO-Revision-Date");
        EXPECT_EQ(date.size(), 21u) << date;
        EXPECT_TRUE(date.ends_with(suffix)) << date;
        EXPECT_EQ(date.substr(4, 1) + date.substr(7, 1) + date.substr(10, 1) + date.substr(13, 1),
                  "-- :")
            << date;
    }
    const ToolRun bad = zyntext({"po", "export", "EN_000.DIA", "--game", "2"}, dir.path(),
                                "SOURCE_DATE_EPOCH=yesterday");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("SOURCE_DATE_EPOCH must be a number of seconds"), std::string::npos);
}

// po import --json: its findings and counts in one document, on a refusal as on success.
TEST(ZyntextPo, ImportSaysWhatItDidInOneJsonDocument) {
    TempDir dir;
    const std::string archive = dir.write("text.hqr", BankArchive(English.data(), French.data()));
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2", "-o", po})));
    const std::string exported = readBytes(po);
    const auto import = [&](const std::string& text, const std::string& target) {
        return zyntext({"po", "import", dir.write("in.po", text), target, "--game", "2", "--json"});
    };
    const std::string salut = replaced(exported, "msgstr \"Bonjour \u00E9\"", "msgstr \"Salut\"");
    const ToolRun refused =
        import(replaced(salut, "msgid \"Hello\"", "msgid \"Hullo\""), archive + ":31");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(lines(refused.err).size(), 1u) << refused.err;
    const auto report = nlohmann::json::parse(refused.out);
    ASSERT_EQ(report["findings"].size(), 1u) << refused.out;
    EXPECT_EQ(report["findings"][0],
              nlohmann::json::parse(R"({"item": 31, "entry": 1, "kind": "refused",
                  "message": "the source changed since the export; export again and merge",
                  "context": "1", "line": 19})"));
    EXPECT_EQ(report["counts"]["refused"], 1);
    EXPECT_EQ(report["counts"]["written"], 0);

    const ToolRun taken = import(salut, archive + ":31");
    EXPECT_EQ(taken.exitCode, 0) << taken.err;
    EXPECT_EQ(taken.err, "");
    EXPECT_EQ(nlohmann::json::parse(taken.out)["counts"],
              nlohmann::json::parse(R"({"changed": 1, "unchanged": 1, "fuzzySkipped": 1,
                  "untranslated": 1, "refused": 0, "overridden": 0, "written": 1})"));
}

} // namespace
} // namespace zyn::test
