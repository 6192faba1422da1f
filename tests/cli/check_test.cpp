// zyntext check: a translation against its source, as a CI job runs it, on two files and on a
// whole archive.

#include "support/archivebuilder.h"
#include "support/dictionarybuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

// A source, and a translation with one of each fault: control codes moved, a line break added
// at the end, a blank at the start, four lines, one entry untranslated, one lost.
const TextFileBuilder Source =
    TextFileBuilder(2).entries({"\x01Hello\x02", "Line", "Tail", "A @ B @ C", "Same", "Extra"});
const TextFileBuilder Translation =
    TextFileBuilder(2).entries({"\x02"
                                "Bonjour\x01",
                                "Ligne @", " Queue", "A @ B @ C @ D", "Same"});
const std::vector<std::string> Findings{
    "1: control codes 2 1, the source has 1 2",
    "2: the translation ends with a line break and the source does not",
    "3: the translation begins with a blank and the source does not",
    "4: 4 lines, more than 3",
    "5: untranslated: \"Same\"",
    "6: the translation has 5 entries, the source 6",
};

TEST(ZyntextCheck, FindsEachFaultAndExitsAsACiJobNeeds) {
    TempDir dir;
    const std::string source = dir.write("en.dia", Source.bytes());
    const std::string translation = dir.write("fr.dia", Translation.bytes());
    std::vector<std::string> expected = Findings;
    expected.push_back("6 findings; 4 of 6 entries translated");
    const ToolRun found = zyntext({"check", "--from", source, "--to", translation, "--game", "2",
                                   "--max-lines", "3", "--untranslated"});
    EXPECT_EQ(found.exitCode, 1) << found.err;
    EXPECT_EQ(lines(found.out), expected);

    // Without the options, what is left; a bank against itself is clean.
    const ToolRun fewer = zyntext({"check", "--to=" + translation, "--from=" + source, "--game=2"});
    EXPECT_EQ(fewer.exitCode, 1);
    EXPECT_EQ(lines(fewer.out).size(), 5u) << fewer.out;
    const ToolRun clean = zyntext({"check", "--from", source, "--to", source, "--game", "2"});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "0 findings; 0 of 6 entries translated\n");
    const ToolRun trouble =
        zyntext({"check", "--from", source, "--to", dir.file("missing.dia"), "--game", "2"});
    EXPECT_EQ(trouble.exitCode, 2) << trouble.err;
    // Two names whose order nothing tells are refused; their languages can tell it.
    const ToolRun unordered = zyntext({"check", translation, source, "--game", "2"});
    EXPECT_EQ(unordered.exitCode, 2);
    EXPECT_NE(unordered.err.find("is the source cannot be told"), std::string::npos);
    EXPECT_EQ(zyntext({"check", translation, source, "--from", "EN", "--to", "FR", "--game", "2"})
                  .exitCode,
              2);
    const std::string en = dir.write("EN_000.DIA", Source.bytes());
    const std::string fr = dir.write("FR_000.DIA", Translation.bytes());
    for (const auto& pair : {std::vector{fr, en}, std::vector{en, fr}})
        EXPECT_EQ(lines(zyntext({"check", pair[0], pair[1], "--from", "EN", "--to", "FR", "--game",
                                 "2", "--untranslated", "--max-lines", "3"})
                            .out),
                  expected);
}

// The edges of each check: one finding is a finding, a text of exactly --max-lines lines fits
// and only CR LF ends a line, an empty source has nothing to translate, and what PO tools leave
// in place of a translation is a finding of its own.
TEST(ZyntextCheck, EachCheckHoldsAtItsEdge) {
    TempDir dir;
    const struct {
        std::vector<std::string> source, translation, options, expected;
    } cases[] = {
        {{"Hi\x01"},
         {"Salut"},
         {},
         {"1: control codes none, the source has 1", "1 finding; 1 of 1 entry translated"}},
        {{"A", "B", "", "Same"},
         {"A @ B @ C", "A @ B @ C @ D", "", "Same"},
         {"--max-lines", "3", "--untranslated"},
         {"2: 4 lines, more than 3", "4: untranslated: \"Same\"",
          "2 findings; 2 of 3 entries translated"}},
        // A lone LF ends no line: it is a control code, as the preview shows it.
        {{"A"},
         {"A\nB\nC\nD"},
         {"--max-lines", "3"},
         {"1: control codes 10 10 10, the source has none", "1 finding; 1 of 1 entry translated"}},
        // A game's menu may say "Language:".
        {{"Hello", "Yes", "Language: English"},
         {"#-#-#-#-#  a.po (game texts)  #-#-#-#-# @ Salut @ #-#-#-#-#  b.po (game texts)  "
          "#-#-#-#-# @ Bonjour",
          "Project-Id-Version: game texts @ Language: fr", "Language: French"},
         {},
         {"1: the translation holds a conflict block of msgcat (\"#-#-#-#-#\" lines): keep one "
          "of its translations",
          "2: the translation holds the fields of a PO header, not a text of the game",
          "2 findings; 3 of 3 entries translated"}},
    };
    for (const auto& c : cases) {
        const std::string source =
            dir.write("en.dia", TextFileBuilder(2).entries(c.source).bytes());
        const std::string translation =
            dir.write("fr.dia", TextFileBuilder(2).entries(c.translation).bytes());
        std::vector<std::string> args{"check",     "--from", source, "--to",
                                      translation, "--game", "2"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, 1) << c.expected[0];
        EXPECT_EQ(lines(run.out), c.expected);
    }
}

// Every French dialogue bank against its English bank, each finding naming its item.
TEST(ZyntextCheck, AnArchiveIsCheckedBankByBank) {
    TempDir dir;
    const std::string archive =
        dir.write("text.hqr", BankArchive(Source.data(), Translation.data()));
    std::vector<std::string> expected;
    for (const std::string& finding : Findings)
        expected.push_back("31:" + finding);
    // The 14 other banks are translated ("bank 33" against "bank 3").
    expected.push_back("6 findings; 18 of 20 entries translated");
    const ToolRun run = zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "FR",
                                 "--max-lines", "3", "--untranslated"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(lines(run.out), expected);

    // The same as one JSON document, each finding with its kind.
    const ToolRun json = zyntext({"check", archive, "--game=2", "--from=EN", "--to=FR",
                                  "--max-lines=3", "--untranslated", "--json"});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    const auto report = nlohmann::json::parse(json.out);
    const char* kinds[] = {"control-codes", "edge", "edge", "lines", "untranslated", "entries"};
    ASSERT_EQ(report["findings"].size(), std::size(kinds)) << json.out;
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const auto& finding = report["findings"][i];
        EXPECT_EQ(finding["kind"], kinds[i]) << i;
        EXPECT_EQ(finding["item"], 31);
        EXPECT_EQ("31:" + std::to_string(int(finding["entry"])) + ": " +
                      std::string(finding["message"]),
                  expected[i]);
    }
    EXPECT_EQ(report["counts"],
              nlohmann::json::parse(R"({"findings": 6, "translated": 18, "entries": 20})"));
}

// The words a dictionary lacks, one finding per entry among the others, save the source's names
// and the words the user added in the editor; the language from the bank's name or --language.
TEST(ZyntextCheck, SpellingListsUnknownWordsPerEntry) {
    TempDir dir;
    writeDictionary(dir, "fr_FR", {"il", "est", "parti", "bonjour", "maintenant"});
    const std::string places =
        "DICPATH=" + quoted(dir.path()) + " XDG_DATA_HOME=" + quoted(dir.file("data"));
    const std::string source = dir.write(
        "EN_000.DIA", TextFileBuilder(2).entries({"Hello Vornak", "He left", "Hi\x01"}).bytes());
    const std::string translation = dir.write(
        "FR_000.DIA",
        TextFileBuilder(2)
            .entries({"Bonjour Vornak", "Il est mainenant partti", "Bonjur 2e\x02", "Plimu"})
            .bytes());
    const ToolRun found = zyntext(
        {"check", "--from", source, "--to", translation, "--game", "2", "--spelling"}, {}, places);
    EXPECT_EQ(found.exitCode, 1) << found.err;
    EXPECT_EQ(lines(found.out), (std::vector<std::string>{
                                    "2: unknown words \"mainenant\", \"partti\"",
                                    "3: control codes 2, the source has 1",
                                    "3: unknown word \"Bonjur\"",
                                    "4: the translation has 4 entries, the source 3",
                                    "4: unknown word \"Plimu\"",
                                    "5 findings; 3 of 3 entries translated",
                                }));

    std::filesystem::create_directories(dir.file("data/zyntexteditor/spelling"));
    dir.write("data/zyntexteditor/spelling/fr_FR.txt", "partti\nPlimu\n");
    const ToolRun added = zyntext(
        {"check", "--from", source, "--to", translation, "--game", "2", "--spelling"}, {}, places);
    EXPECT_EQ(lines(added.out).front(), "2: unknown word \"mainenant\"");

    // No language to check in, and a language without a dictionary, are trouble.
    const std::string unnamed = dir.write("mine.dia", TextFileBuilder(2).entries({"x"}).bytes());
    const ToolRun noLanguage = zyntext(
        {"check", "--from", source, "--to", unnamed, "--game", "2", "--spelling"}, {}, places);
    EXPECT_EQ(noLanguage.exitCode, 2);
    EXPECT_NE(noLanguage.err.find("--spelling needs --language"), std::string::npos);
    const ToolRun missing = zyntext({"check", "--from", source, "--to", unnamed, "--game", "2",
                                     "--spelling", "--language", "po"},
                                    {}, places);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err,
              "zyntext: no dictionary for Portuguese: install the package hunspell-pt-pt\n");
}

} // namespace
} // namespace zyn::test
