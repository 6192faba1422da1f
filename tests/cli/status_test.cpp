// zyntext status: how far each bank of an archive is, with and without a translation project;
// and check --fit, the lines a long line wraps into in the game's box.

#include "project/translationproject.h"
#include "support/archivebuilder.h"
#include "support/dictionarybuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <sstream>

namespace zyn::test {
namespace {

// Whole sentences of known words, far more than the box's ten lines.
std::string longLine(const std::string& sentence) {
    std::string text;
    while (text.size() < 300)
        text += sentence;
    return text.substr(0, text.size() - 1);
}

const std::string LongFrench = longLine("Le gardien du phare attend que la mer se retire. ");
const std::vector<std::string> English{
    "Open the door.", "Yes",  "The keeper of the lighthouse waits for the sea.",
    "Take the key.",  "Name", "Well done"};
const std::vector<std::string> French{"Ouvre la porte. ",  "Yes", LongFrench, "", "Name",
                                      "Bien jou mainenant"};

// The words of a row of the table.
std::vector<std::string> rowOf(const std::string& out, const std::string& first) {
    for (const std::string& line : lines(out)) {
        std::istringstream words(line);
        std::vector<std::string> row{std::istream_iterator<std::string>(words), {}};
        if (!row.empty() && row.front() == first)
            return row;
    }
    return {};
}

class ZyntextStatus : public ::testing::Test {
protected:
    void SetUp() override {
        writeDictionary(dir, "fr_FR",
                        {"ouvre", "la", "porte", "le", "gardien", "du", "phare", "attend", "que",
                         "mer", "se", "retire", "bien"});
        archive = dir.write("text.hqr", BankArchive(TextFileBuilder(2).entries(English).data(),
                                                    TextFileBuilder(2).entries(French).data()));
    }
    ToolRun status(std::vector<std::string> more = {}, const std::string& to = "FR") {
        std::vector<std::string> args{"status", archive, "--game", "2", "--from", "EN", "--to", to};
        args.insert(args.end(), more.begin(), more.end());
        return zyntext(args, {}, places);
    }
    // With a glossary of one term every translation of bank 31 holds.
    std::string project(const std::string& target, const std::vector<std::string>& records) {
        dir.write("door.tsv", "source\ttarget\ndoor\tporte\n");
        std::string text = "zyntext translation project 1\narchive: text.hqr\ngame: 2\n"
                           "source: EN\ntarget: " +
                           target + "\nglossary: door.tsv\n\n";
        for (const std::string& record : records)
            text += record + "\n";
        return dir.write("fr.project", text);
    }
    static std::string hashOf(const std::string& source) { return HashText(HashSource(source)); }

    TempDir dir;
    std::string archive;
    const std::string places =
        "DICPATH=" + quoted(dir.path()) + " XDG_DATA_HOME=" + quoted(dir.file("data"));
};

// Without a project an entry equal to its source is untranslated; the other banks are one
// translated entry each.
TEST_F(ZyntextStatus, ARowPerBankAndTheTotals) {
    const ToolRun shown = status();
    ASSERT_TRUE(succeeded(shown));
    EXPECT_EQ(shown.err, "");
    const std::vector<std::string> table = lines(shown.out);
    ASSERT_EQ(table.size(), 1u + 15u + 1u) << shown.out;
    EXPECT_TRUE(table.front().starts_with("ITEM  BANK  ") &&
                table.front().ends_with("  ENTRIES  WORDS TO DO  UNTRANSLATED  NEEDS REVIEW  "
                                        "TRANSLATED  REVIEWED  DOES NOT FIT  SPELLING  FINDINGS  "
                                        "GLOSSARY  CONSISTENCY  PROGRESS"))
        << table.front();
    // "Yes", "Take the key." and "Name" to do: 5 words of the source's 19; the long line does
    // not fit, entry 6 has unknown words, entry 1 ends with a blank its source lacks.
    EXPECT_EQ(rowOf(shown.out, "31"),
              (std::vector<std::string>{"31", "FR_SYS.DIA", "6", "5", "3", "0", "3", "0", "1", "1",
                                        "1", "-", "0", "73%"}));
    EXPECT_EQ(rowOf(shown.out, "35"),
              (std::vector<std::string>{"35", "FR_GAM.DIA", "1", "0", "0", "0", "1", "0", "0", "0",
                                        "0", "-", "0", "100%"}));
    // 42 of 47 words done.
    const std::string total = "89%";
    EXPECT_EQ(rowOf(shown.out, "total"),
              (std::vector<std::string>{"total", "20", "5", "3", "0", "17", "0", "1", "1", "1", "-",
                                        "0", total}));

    // A glossary: the long line lacks "ocean"; the untranslated entries are passed over.
    const std::string terms = dir.write("terms.tsv", "source\ttarget\nsea\tocean\nkey\tcle\n");
    EXPECT_EQ(rowOf(status({"--glossary", terms}).out, "31")[11], "1");
    const ToolRun unreadable = status({"--glossary", dir.file("none.tsv")});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.out, "");
}

// With a project its states count: kept, to review, reviewed, and a record whose source has
// changed since, which needs review again; its glossary fills the column. A bad line is skipped
// and said.
TEST_F(ZyntextStatus, AProjectsStatesCount) {
    const std::string file =
        project("FR", {"FR_SYS.DIA 1 reviewed " + hashOf(English[0]),
                       "FR_SYS.DIA 2 translated " + hashOf("Yes"),
                       "FR_SYS.DIA 3 needs-review " + hashOf(English[2]),
                       "FR_SYS.DIA 6 reviewed " + hashOf("Well"), "FR_SYS.DIA x bogus"});
    const ToolRun shown = status({"--project", file, "--json"});
    ASSERT_TRUE(succeeded(shown));
    EXPECT_NE(shown.err.find("fr.project: line 12: "), std::string::npos) << shown.err;
    const nlohmann::json report = json(shown);
    ASSERT_EQ(report["banks"].size(), 15u);
    const nlohmann::json& bank = report["banks"][0];
    EXPECT_EQ(bank["item"], 31);
    EXPECT_EQ(bank["bank"], "FR_SYS.DIA");
    // "Take the key." and "Name" untranslated, the long line and entry 6 to review.
    const int toDo = 3 + 1 + 9 + 2;
    EXPECT_EQ(bank, nlohmann::json::parse(
                        R"({"item": 31, "bank": "FR_SYS.DIA", "entries": 6, "words": 19,
                            "wordsToDo": )" +
                        std::to_string(toDo) + R"(, "untranslated": 2,
                            "needsReview": 2, "translated": 1, "reviewed": 1, "doesNotFit": 1,
                            "spelling": 1, "checkFindings": 1, "glossary": 0,
                            "consistency": 0, "progress": )" +
                        std::to_string((19 - toDo) * 100 / 19) + "}"));
    EXPECT_EQ(report["counts"]["entries"], 20);
    EXPECT_EQ(report["counts"]["reviewed"], 1);
    EXPECT_EQ(report["counts"]["wordsToDo"], toDo);
    EXPECT_EQ(report["counts"]["words"], 19 + 28);

    // The quiet run says nothing but the table; a project of another pair is refused.
    EXPECT_EQ(status({"--project", file, "-q"}).err, "");
    const ToolRun other = status({"--project", project("DE", {})});
    EXPECT_EQ(other.exitCode, 2);
    EXPECT_NE(other.err.find("is a project of ZYN 2 from EN to DE, not ZYN 2 from EN to FR"),
              std::string::npos)
        << other.err;
    EXPECT_EQ(status({"--project", dir.file("none.project")}).exitCode, 1);
}

// A column without its dictionary stays empty and says why; the rest is counted.
TEST_F(ZyntextStatus, AColumnThatCannotBeFilledIsEmpty) {
    const ToolRun shown = status({"--json"}, "PO");
    const nlohmann::json report = json(shown);
    const bool noDictionary = shown.err.find("spelling is not counted: no dictionary for "
                                             "Portuguese") != std::string::npos;
    EXPECT_EQ(report["counts"]["spelling"].is_null(), noDictionary) << shown.err;
    EXPECT_EQ(report["counts"]["translated"], 15);
    const ToolRun table = status({}, "PO");
    EXPECT_EQ(rowOf(table.out, "total")[8], noDictionary ? "-" : "0") << table.out;
    EXPECT_EQ(status({}, "DE").exitCode, 0);
    EXPECT_EQ(zyntext({"status", archive, "--game", "2", "--from", "EN"}).exitCode, 2);
}

// A line without a line break that the box cannot show passes --max-lines and fails --fit.
TEST_F(ZyntextStatus, CheckFitCountsTheLinesALongLineWrapsInto) {
    const std::string en = dir.write("EN_000.DIA", TextFileBuilder(2).entries(English).bytes());
    const std::string fr = dir.write("FR_SYS.DIA", TextFileBuilder(2).entries(French).bytes());
    const std::vector<std::string> pair{"check", "--from", en, "--to", fr, "--game", "2"};
    const auto check = [&](std::vector<std::string> more) {
        std::vector<std::string> args = pair;
        args.insert(args.end(), more.begin(), more.end());
        return zyntext(args);
    };
    EXPECT_EQ(lines(check({"--max-lines", "10"}).out),
              (std::vector<std::string>{"1: the translation ends with a blank and the source does "
                                        "not",
                                        "1 finding; 3 of 6 entries translated"}));
    const ToolRun fit = check({"--fit"});
    EXPECT_EQ(fit.exitCode, 1);
    const std::vector<std::string> found = lines(fit.out);
    ASSERT_EQ(found.size(), 3u) << fit.out;
    EXPECT_TRUE(found[1].starts_with("3: takes 1") &&
                found[1].ends_with(" lines, the box shows 10"))
        << found[1];
    const nlohmann::json report = nlohmann::json::parse(check({"--fit", "--json"}).out);
    EXPECT_EQ(report["findings"][1]["kind"], "fit");
    EXPECT_EQ(report["findings"][1]["entry"], 3);
    // Texts that fit are no finding.
    const std::string shorter =
        dir.write("FR_001.DIA", TextFileBuilder(2).entries({English[0], English[1]}).bytes());
    EXPECT_EQ(
        zyntext({"check", "--from", shorter, "--to", shorter, "--game", "2", "--fit"}).exitCode, 0);
}

} // namespace
} // namespace zyn::test
