// The translation project's file: what it reads back, the lines it skips and says why, and
// merges of two people's changes by git. (It is written by the one safe writer, whose kills and
// failing disks the robustness tests try.)

#include "project/projectfile.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace zyn::test {
namespace {

TranslationProject sample() {
    TranslationProject project;
    project.archive = "../game/TEXT.HQR";
    project.game = 2;
    project.sourceLanguage = 0;
    project.targetLanguage = 1;
    project.memorySources = {"../po/fr-old.po", "old/TEXT.HQR"};
    project.glossary = "glossary.tbx";
    project.setRecord("FR_012.DIA", 0, EntryRecord{EntryState::Translated, "", 0x8f3a09c2});
    project.setRecord("FR_012.DIA", 3,
                      EntryRecord{EntryState::NeedsReview, "Check the name.\nSee bank 14.", 0x11});
    project.setRecord("FR_003.DIA", 9,
                      EntryRecord{EntryState::Reviewed, "tab\there \\ end ", 0xffffffff});
    return project;
}

constexpr std::string_view SampleText = "zyntext translation project 1\n"
                                        "archive: ../game/TEXT.HQR\n"
                                        "game: 2\n"
                                        "source: EN\n"
                                        "target: FR\n"
                                        "memory: ../po/fr-old.po\n"
                                        "memory: old/TEXT.HQR\n"
                                        "glossary: glossary.tbx\n"
                                        "\n"
                                        "FR_003.DIA 10 reviewed ffffffff tab\\there \\\\ end\\s\n"
                                        "FR_012.DIA 1 translated 8f3a09c2\n"
                                        "FR_012.DIA 4 needs-review 00000011 Check the "
                                        "name.\\nSee bank 14.\n";

TEST(ProjectFile, WritesOneSortedLinePerEntryAndReadsItBack) {
    EXPECT_EQ(FormatProject(sample()), SampleText);
    const auto parsed = ParseProject(SampleText);
    ASSERT_TRUE(parsed) << parsed.message();
    EXPECT_TRUE(parsed->problems.empty());
    EXPECT_EQ(parsed->project, sample());
    // A checkout with CR LF line breaks reads the same.
    std::string crlf;
    for (const char c : SampleText)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ParseProject(crlf)->project, sample());
}

TEST(ProjectFile, TheSourceHashIsFnv1aOfTheCodes) {
    // The published FNV-1a 32 values, so that every platform marks a source alike.
    EXPECT_EQ(HashText(HashSource("")), "811c9dc5");
    EXPECT_EQ(HashText(HashSource("a")), "e40c292c");
    EXPECT_EQ(HashText(HashSource("foobar")), "bf9cf968");
    EXPECT_NE(HashSource("Line\r\nbreak"), HashSource("Line\nbreak"));
}

// Each bad line is named and skipped; the lines around it are read.
TEST(ProjectFile, ABadLineIsNamedAndSkippedAndTheRestIsRead) {
    const struct {
        const char* line;
        const char* problem; // "" for none
    } cases[] = {
        {"FR_012.DIA 4 translated 0000abcd", ""},
        {"FR_012.DIA 4 translated 0000ABCD A note: with a colon", ""},
        {"FR_012.DIA 0 translated 0000abcd", "Line 7 names no entry (a number from 1)."},
        {"FR_012.DIA x translated 0000abcd", "Line 7 names no entry (a number from 1)."},
        {"FR_012.DIA 4 done 0000abcd", "Line 7 names no state (untranslated, needs-review, "
                                       "translated or reviewed)."},
        {"FR_012.DIA 4 translated abcd", "Line 7 has no source hash (8 hex digits)."},
        {"FR_012.DIA 4 translated 0000abcd bad \\q escape",
         "Line 7 has a note with an unknown escape."},
        {"FR_012.DIA 4 translated 0000abcd cut \\", "Line 7 has a note with an unknown escape."},
        {"FR_012.DIA 4 translated 0000abcd \\x4", "Line 7 has a note with an unknown escape."},
        {"game: 3", "Line 7 names no game (1 or 2)."},
        {"target: XX", "Line 7 names no language (EN, FR, DE, SP, IT or PO)."},
    };
    for (const auto& c : cases) {
        const std::string text = std::string("zyntext translation project 1\n"
                                             "archive: a.hqr\ngame: 2\nsource: EN\ntarget: FR\n"
                                             "FR_001.DIA 2 reviewed 00000001\n") +
                                 c.line + "\nFR_001.DIA 3 translated 00000002\n";
        const auto parsed = ParseProject(text);
        ASSERT_TRUE(parsed) << c.line;
        std::vector<std::string> problems;
        for (const ProjectProblem& problem : parsed->problems)
            problems.push_back(problem.message);
        EXPECT_EQ(problems,
                  *c.problem ? std::vector<std::string>{c.problem} : std::vector<std::string>{})
            << c.line;
        EXPECT_EQ(parsed->project.game, 2);
        EXPECT_EQ(parsed->project.targetLanguage, 1);
        EXPECT_EQ(parsed->project.banks.at("FR_001.DIA").size(), 2u) << c.line;
    }
}

TEST(ProjectFile, OtherFilesAndLaterVersionsAreRefusedAndLaterKeysKept) {
    EXPECT_EQ(ParseProject("").message(),
              "is no translation project: its first line is not \"zyntext translation project "
              "1\".");
    const auto later = ParseProject("zyntext translation project 2\n");
    EXPECT_EQ(later.kind(), ErrorKind::Unsupported);
    const auto kept = ParseProject(std::string(SampleText) + "team-lead: someone\n");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->project.otherHeaders, std::vector<std::string>{"team-lead: someone"});
    EXPECT_NE(FormatProject(kept->project).find("glossary.tbx\nteam-lead: someone\n\n"),
              std::string::npos);
}

// Two translators change the same project file, each other entries and headers; git merges
// the two without a conflict and the result holds both changes.
TEST(ProjectFile, TwoPeoplesChangesMergeWithGit) {
    TempDir dir;
    TranslationProject base = sample();
    for (int entry = 0; entry < 40; ++entry)
        base.setRecord("FR_020.DIA", entry, EntryRecord{EntryState::Translated, "", 7});
    TranslationProject mine = base, theirs = base, both = base;
    for (TranslationProject* p : {&mine, &both}) {
        p->setRecord("FR_003.DIA", 9, EntryRecord{EntryState::Translated, "Back to me.", 1});
        p->setRecord("FR_020.DIA", 2, std::nullopt);
    }
    for (TranslationProject* p : {&theirs, &both}) {
        p->setRecord("FR_020.DIA", 30, EntryRecord{EntryState::Reviewed, "", 7});
        p->setRecord("FR_031.DIA", 0, EntryRecord{EntryState::NeedsReview, "New bank", 9});
        p->memorySources.push_back("more.po");
    }
    const std::string ours = dir.write("ours", FormatProject(mine));
    dir.write("base", FormatProject(base));
    dir.write("theirs", FormatProject(theirs));
    const std::string merge =
        "git merge-file '" + ours + "' '" + dir.file("base") + "' '" + dir.file("theirs") + "'";
    ASSERT_EQ(std::system(merge.c_str()), 0) << readBytes(ours);
    const auto merged = ReadProjectFile(realFileSystem(), ours);
    ASSERT_TRUE(merged) << merged.message();
    EXPECT_TRUE(merged->problems.empty());
    EXPECT_EQ(merged->project, both);
}

TEST(ProjectFile, TheArchiveIsFoundBesideTheProjectOrSaidToBeMissing) {
    TempDir dir;
    const std::string projectPath = dir.file("work/fr.zproj");
    ASSERT_EQ(
        std::system(("mkdir -p '" + dir.file("work/sub") + "' '" + dir.file("game") + "'").c_str()),
        0);
    const std::string archive = dir.write("game/TEXT.HQR", "x");
    TranslationProject project = sample();
    project.archive = ProjectRelativePath(projectPath, archive);
    EXPECT_EQ(project.archive, "../game/TEXT.HQR");
    ArchiveLocation found = LocateArchive(realFileSystem(), projectPath, project);
    EXPECT_EQ(found.place, ArchivePlace::Found);
    EXPECT_EQ(readBytes(found.path), "x");

    project.archive = "sub";
    EXPECT_EQ(LocateArchive(realFileSystem(), projectPath, project).place, ArchivePlace::NotAFile);
    project.archive = "../moved/TEXT.HQR";
    const ArchiveLocation missing = LocateArchive(realFileSystem(), projectPath, project);
    EXPECT_EQ(missing.place, ArchivePlace::Missing);
    EXPECT_EQ(missing.path, dir.file("moved/TEXT.HQR"));
    // Pointed again at where it went.
    project.archive = ProjectRelativePath(projectPath, dir.file("work/sub/../TEXT.HQR"));
    EXPECT_EQ(project.archive, "TEXT.HQR");
}

} // namespace
} // namespace zyn::test
