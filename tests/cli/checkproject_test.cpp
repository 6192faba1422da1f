// zyntext check with a project, a glossary and --consistency: counts by state, "untranslated"
// as the states say, the terms a translation lacks, and texts translated two ways across banks.

#include "project/glossaryfile.h"
#include "project/projectfile.h"
#include "support/archivebuilder.h"
#include "support/frenchproject.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

std::string archiveOf(const TempDir& dir, const std::map<int, std::vector<std::string>>& banks) {
    return dir.write("text.hqr", BanksArchive(banks));
}

std::string projectOf(const TempDir& dir, std::map<int, EntryRecord> records,
                      const std::string& glossary = {}) {
    TranslationProject project = FrenchProject();
    project.glossary = glossary;
    for (auto& [entry, record] : records)
        project.setRecord(ProjectBankName(true, 31), entry, std::move(record));
    return dir.write("fr.zyp", FormatProject(project));
}

EntryRecord recordFor(EntryState state, std::string_view source) {
    return {state, "", HashSource(source)};
}

// A line kept as its source on purpose is translated, not untranslated: in the findings, the
// last line and the JSON counts; without the project the texts alone decide, as before.
TEST(ZyntextCheckProject, UntranslatedMeansTheStateAndTheLastLineCountsByState) {
    TempDir dir;
    const std::string archive = archiveOf(dir, {{1, {"Options", "Yes", "No", "Hello", "Bye"}},
                                                {31, {"Options", "Oui", "Non", "Hello", ""}}});
    const std::string project = projectOf(dir, {{0, recordFor(EntryState::Translated, "Options")},
                                                {1, recordFor(EntryState::NeedsReview, "Yes")},
                                                {2, recordFor(EntryState::Reviewed, "No")}});
    const std::vector<std::string> stated{"31:4: untranslated: \"Hello\"",
                                          "31:5: empty, the source has \"Bye\""};
    const struct {
        std::vector<std::string> args, expected;
    } cases[] = {
        {{archive, "--from", "EN", "--to", "FR", "--project", project},
         {stated[0], stated[1],
          "2 findings; 15 translated, 1 needs review, 1 reviewed, 2 untranslated"}},
        {{"--from", archive + ":1", "--to", archive + ":31", "--project", project},
         {"4: untranslated: \"Hello\"", "5: empty, the source has \"Bye\"",
          "2 findings; 1 translated, 1 needs review, 1 reviewed, 2 untranslated"}},
        {{archive, "--from", "EN", "--to", "FR"},
         {"31:1: untranslated: \"Options\"", stated[0], stated[1],
          "3 findings; 16 of 19 entries translated"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"check", "--game", "2", "--untranslated"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(lines(run.out), c.expected);
    }
    const ToolRun json = zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "FR",
                                  "--project", project, "--json"});
    EXPECT_EQ(nlohmann::json::parse(json.out)["counts"],
              nlohmann::json::parse(R"({"findings": 0, "translated": 17, "entries": 19,
                  "states": {"translated": 15, "needsReview": 1, "reviewed": 1,
                             "untranslated": 2}})"));
    // A project of another language, or with loose files, is wrong usage.
    EXPECT_EQ(zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "DE", "--project",
                       project})
                  .exitCode,
              2);
    const std::string loose = dir.write("fr.dia", TextFileBuilder(2).entry("Oui").bytes());
    EXPECT_EQ(zyntext({"check", "--from", archive + ":1", "--to", loose, "--game", "2", "--project",
                       project})
                  .exitCode,
              2);
}

// The terms each translated entry lacks, from a glossary file or the project's.
TEST(ZyntextCheckProject, TheGlossaryFindsTheTermsATranslationLacks) {
    TempDir dir;
    const std::string archive = archiveOf(
        dir, {{1, {"Ask the Captain.", "Vornak is here", "the Captain and Vornak", "the Captain"}},
              {31,
               {"Demande au Commandant.", "Vornak est l\x85", "le Commandant et vornak",
                "the Captain"}}});
    Glossary glossary{"en", "fr", {}};
    glossary.terms = {{"the Captain", "le Capitaine", "", false, false},
                      {"Vornak", "", "A made-up name", true, true}};
    const std::vector<std::string> expected{
        "31:1: the source has \"the Captain\", the translation lacks \"le Capitaine\"",
        "31:3: the source has \"the Captain\", the translation lacks \"le Capitaine\"; the source "
        "has \"Vornak\", the translation lacks \"Vornak\"",
        "2 findings; 17 of 18 entries translated"};
    ASSERT_TRUE(WriteGlossaryFile(realFileSystem(), dir.file("terms.csv"), glossary));
    const ToolRun run = zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "FR",
                                 "--glossary", dir.file("terms.csv")});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(lines(run.out), expected);
    // The project's glossary when --glossary is not given; entry 4 kept as its source lacks
    // its term too.
    const std::string project =
        projectOf(dir, {{3, recordFor(EntryState::Translated, "the Captain")}}, "terms.csv");
    const ToolRun json = zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "FR",
                                  "--project", project, "--json"});
    const auto report = nlohmann::json::parse(json.out);
    ASSERT_EQ(report["findings"].size(), 3u) << json.out;
    EXPECT_EQ(report["findings"][2],
              nlohmann::json::parse(R"({"item": 31, "entry": 4, "kind": "glossary",
                  "message": "the source has \"the Captain\", the translation lacks \"le Capitaine\""})"));
    const ToolRun missing = zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "FR",
                                     "--glossary", dir.file("none.csv")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("none.csv"), std::string::npos);
}

// One source translated two ways and one translation of two sources, across the banks of the
// language, each finding at its first place and naming every place.
TEST(ZyntextCheckProject, ConsistencyNamesEveryPlaceAcrossTheBanks) {
    TempDir dir;
    const std::string archive = archiveOf(dir, {{1, {"The Captain", "Yes", "Go"}},
                                                {31, {"le Capitaine", "Oui", "Go"}},
                                                {3, {"The Captain", "Yeah", "Go"}},
                                                {33, {"le Commandant", "Oui", "Va"}},
                                                {5, {"The Captain"}},
                                                {35, {"le Capitaine"}}});
    const ToolRun run =
        zyntext({"check", archive, "--game", "2", "--from", "EN", "--to", "FR", "--consistency"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(lines(run.out),
              (std::vector<std::string>{
                  "31:1: the source \"The Captain\" is translated 2 ways: \"le Capitaine\" at "
                  "31:1, 35:1; \"le Commandant\" at 33:1",
                  "31:2: the translation \"Oui\" is given to 2 sources: \"Yes\" at 31:2; "
                  "\"Yeah\" at 33:2",
                  "2 findings; 18 of 19 entries translated"}));
    const auto report =
        nlohmann::json::parse(zyntext({"check", archive, "--game", "2", "--from", "EN", "--to",
                                       "FR", "--consistency", "--json"})
                                  .out);
    ASSERT_EQ(report["findings"].size(), 2u);
    EXPECT_EQ(report["findings"][0]["kind"], "consistency-source");
    EXPECT_EQ(report["findings"][1]["kind"], "consistency-target");
    EXPECT_EQ(report["findings"][0]["variants"], nlohmann::json::parse(R"([
        {"text": "le Capitaine", "places": [{"item": 31, "entry": 1}, {"item": 35, "entry": 1}]},
        {"text": "le Commandant", "places": [{"item": 33, "entry": 1}]}])"));
    const ToolRun files = zyntext({"check", "--from", archive + ":1", "--to", archive + ":31",
                                   "--game", "2", "--consistency"});
    EXPECT_EQ(files.exitCode, 2);
    EXPECT_NE(files.err.find("--consistency compares every bank"), std::string::npos);
}

} // namespace
} // namespace zyn::test
