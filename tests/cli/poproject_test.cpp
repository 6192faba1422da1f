// po export and import with --project: states and notes out to PO and back, through a PO
// editor's changes, msgmerge and msgcat; the project written only after the archive, and left
// whole when it cannot be.

#include "cli/command.h"
#include "cli/projectoption.h"
#include "project/projectfile.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "support/frenchproject.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace zyn::test {
namespace {

const std::string Bank = ProjectBankName(true, 31);

std::string archiveOf(const TempDir& dir, const std::vector<std::string>& english,
                      const std::vector<std::string>& french) {
    return dir.write("text.hqr", BankArchive(TextFileBuilder(2).entries(english).data(),
                                             TextFileBuilder(2).entries(french).data()));
}

// A project of text.hqr, English into French, with records of bank 31 given as (entry from 0,
// state, source, note).
struct Given {
    int entry;
    EntryState state;
    std::string source, note;
};
std::string projectOf(const TempDir& dir, const std::vector<Given>& records) {
    TranslationProject project = FrenchProject();
    for (const Given& given : records)
        project.setRecord(Bank, given.entry,
                          EntryRecord{given.state, given.note, HashSource(given.source)});
    return dir.write("fr.zyp", FormatProject(project));
}

// Bank 31's records as "entry state note" lines, entries counted from 1.
std::vector<std::string> recordsIn(const std::string& path) {
    auto read = ReadProjectFile(realFileSystem(), path);
    EXPECT_TRUE(read) << read.message();
    std::vector<std::string> out;
    if (!read)
        return out;
    EXPECT_TRUE(read->problems.empty());
    for (const auto& [entry, record] : read->project.banks[Bank])
        out.push_back(std::to_string(entry + 1) + " " + std::string(StateName(record.state)) +
                      (record.note.empty() ? "" : " " + record.note));
    return out;
}

// Each state and note out to PO and back: a comment added, a fuzzy cleared and a note removed
// by hand as a PO editor would, then the same file again.
TEST(ZyntextPoProject, StatesAndNotesComeBackThroughAPoEditorsChanges) {
    TempDir dir;
    const std::vector<std::string> english{"Hello", "Options", "Yes", "No", "Bye"},
        french{"Bonjour", "Options", "Oui", "Non", ""};
    const std::string archive = archiveOf(dir, english, french);
    const std::string project =
        projectOf(dir, {{1, EntryState::Translated, "Options", "A menu: kept as it is"},
                        {2, EntryState::NeedsReview, "Yes", ""},
                        {3, EntryState::Reviewed, "No", "Two\nlines"},
                        {4, EntryState::Untranslated, "Bye", "Ask the team"}});
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(zyntext({"po", "export", archive, "--from", "EN", "--to", "FR", "--game",
                                   "2", "--project", project, "-o", po})));
    EXPECT_EQ(msgfmtCheck(po), "");
    const std::string text = readBytes(po);
    for (const std::string& expected : std::vector<std::string>{
             "\"X-Project: " + project + "\\n\"",
             "# A menu: kept as it is\n#. type 1: Normal\n#: " + archive +
                 ":31:2\nmsgctxt \"31:2\"\nmsgid \"Options\"\nmsgstr \"Options\"\n",
             "#, fuzzy\nmsgctxt \"31:3\"\nmsgid \"Yes\"\nmsgstr \"Oui\"\n",
             "# Two\n# lines\n#. reviewed\n#. type 1: Normal\n#: " + archive +
                 ":31:4\nmsgctxt \"31:4\"",
             "# Ask the team\n#. type 1: Normal\n#: " + archive +
                 ":31:5\nmsgctxt \"31:5\"\nmsgid \"Bye\"\nmsgstr \"\"\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin\n" << text;

    // A comment added, the fuzzy mark cleared, a note removed.
    std::string edited =
        replaced(text, "#. type 1: Normal\n#: " + archive + ":31:1\n",
                 "# Check the greeting\n#. type 1: Normal\n#: " + archive + ":31:1\n");
    edited = replaced(edited, "#, fuzzy\nmsgctxt \"31:3\"", "msgctxt \"31:3\"");
    edited = replaced(edited, "# Two\n# lines\n", "");
    const std::string byHand = dir.write("edited.po", edited);
    const std::vector<std::string> expected{"1 translated Check the greeting",
                                            "2 translated A menu: kept as it is", "3 translated",
                                            "4 reviewed", "5 untranslated Ask the team"};
    const ToolRun imported =
        zyntext({"po", "import", byHand, archive, "--game", "2", "--project", project});
    ASSERT_TRUE(succeeded(imported));
    EXPECT_NE(imported.err.find("nothing to change in " + archive +
                                ", nothing was written\nzyntext: " + project +
                                ": 1 state and 2 notes changed\n"),
              std::string::npos)
        << imported.err;
    EXPECT_EQ(recordsIn(project), expected);

    // A second import changes nothing. (msgcat's rewrites: the session's PO test.)
    const std::string before = readBytes(project);
    const ToolRun again =
        zyntext({"po", "import", byHand, archive, "--game", "2", "--project", project});
    EXPECT_NE(again.err.find(project + ": no state or note changed"), std::string::npos)
        << again.err;
    EXPECT_EQ(readBytes(project), before);
}

// A new English entry: the template merged by msgmerge carries each translation and its note
// to the entry's new number, the reviewed entry stays reviewed though msgmerge drops "#."
// comments, and msgcat's rewrite of the merge imports the same.
TEST(ZyntextPoProject, StatesAndNotesFollowTheirEntriesThroughMsgmergeAndMsgcat) {
    TempDir dir;
    std::string archive = archiveOf(dir, {"One", "Two", "Three"}, {"Un", "Deux", "Trois"});
    const std::string project = projectOf(dir, {{0, EntryState::Reviewed, "One", "first"},
                                                {1, EntryState::Translated, "Two", "second"},
                                                {2, EntryState::NeedsReview, "Three", ""}});
    const std::string old = dir.file("fr.po"), pot = dir.file("new.pot");
    ASSERT_TRUE(succeeded(zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2",
                                   "--project", project, "-o", old})));
    archive = archiveOf(dir, {"One", "New", "Two", "Three"}, {"Un", "New", "Deux", "Trois"});
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", "--template", "--game", "2", "-o", pot})));
    const std::string merged = dir.file("merged.po"), joined = dir.file("joined.po");
    ASSERT_EQ(std::system(("msgmerge -q --previous -o " + merged + " " + old + " " + pot + " && " +
                           "msgcat -o " + joined + " " + merged)
                              .c_str()),
              0);
    ASSERT_EQ(readBytes(merged).find("#. reviewed"), std::string::npos);
    const std::vector<std::string> expected{"1 reviewed first", "3 needs-review second",
                                            "4 needs-review"};
    for (const std::string& po : {merged, joined}) {
        const std::string kept = readBytes(project);
        // The moved messages are fuzzy: needs review, taken or not, as each holds its text.
        for (const char* fuzzy : {"", "--fuzzy"}) {
            std::vector<std::string> args{"po",     "import", po,          archive + ":31",
                                          "--game", "2",      "--project", project};
            if (*fuzzy)
                args.push_back(fuzzy);
            ASSERT_TRUE(succeeded(zyntext(args))) << po;
            EXPECT_EQ(recordsIn(project), expected) << po << " " << fuzzy;
            dir.write("fr.zyp", kept);
        }
    }
}

// A catalogue exported without a project says nothing of notes, nor of the entries it leaves as
// they are: only a text the import writes takes a state.
TEST(ZyntextPoProject, ACatalogueOfNoProjectChangesOnlyWhatItWrites) {
    TempDir dir;
    const std::string archive = archiveOf(dir, {"Yes", "No"}, {"Oui", "Non"});
    const std::string project = projectOf(dir, {{0, EntryState::Reviewed, "Yes", "mine"},
                                                {1, EntryState::Reviewed, "No", "also mine"}});
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2", "-o", po})));
    dir.write("fr.po", replaced(readBytes(po), "msgstr \"Non\"", "msgstr \"Nan\""));
    ASSERT_TRUE(succeeded(
        zyntext({"po", "import", po, archive + ":31", "--game", "2", "--project", project})));
    EXPECT_EQ(recordsIn(project),
              (std::vector<std::string>{"1 reviewed mine", "2 translated also mine"}));
}

// Refused before anything is written: a project of another archive, game or language, a
// template or loose files with a project, and a project with lines it could not read, which
// writing it back would lose.
TEST(ZyntextPoProject, AProjectThatIsNotTheTargetsIsRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    const std::string archive = archiveOf(dir, {"Yes"}, {"Oui"});
    const std::string project = projectOf(dir, {});
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2", "-o", po})));
    dir.write("fr.po", replaced(readBytes(po), "msgstr \"Oui\"", "msgstr \"Ouais\""));
    const std::string other = dir.write("other.hqr", readBytes(archive));
    const std::string damaged = dir.write(
        "bad.zyp", readBytes(project) + Bank + " 1 translated nothex\n" + Bank + " 0 maybe 1\n");
    const std::string before = readBytes(archive);
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string said;
    } cases[] = {
        {{"po", "import", po, other + ":31", "--project", project},
         2,
         "is the project of " + archive + ", not of " + other},
        {{"po", "import", po, archive + ":61", "--project", project, "--force"},
         2,
         "translates into FR; item 61 is no bank of that language"},
        {{"po", "import", po, archive + ":31", "--project", damaged},
         1,
         "bad.zyp: 2 lines cannot be read, and writing the project back would lose them"},
        {{"po", "import", po, archive + ":31", "--project", dir.file("none.zyp")}, 1, "none.zyp"},
        {{"po", "export", archive + ":1", "--template", "--project", project},
         2,
         "--project goes without it"},
        {{"po", "export", archive + ":1", archive + ":61", "--project", project},
         2,
         "translates EN into FR, not EN into DE"},
        {{"po", "export", dir.write("en.dia", TextFileBuilder(2).entry("Yes").bytes()), "--project",
          project},
         2,
         "--project goes with the project's archive"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--game", "2"});
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said << "\n" << run.err;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.said << "\nin\n" << run.err;
        EXPECT_EQ(readBytes(archive), before) << c.said;
        EXPECT_FALSE(fileExists(dir.file("text.~$R"))) << c.said;
    }
    EXPECT_EQ(
        lines(
            zyntext({"po", "import", po, archive + ":31", "--game", "2", "--project", damaged}).err)
            .at(1),
        "  " + damaged + ": Line 7 has no source hash (8 hex digits).");
}

// A file system that cannot create a file in one folder: the project's, not the archive's.
class NoNewFileIn : public FaultyFileSystem {
public:
    explicit NoNewFileIn(std::string folder) : folder_(std::move(folder)) {}
    Result<NewFile> create(const std::string& folder, const std::string& name,
                           const FileInfo& like) override {
        if (folder == folder_ || folder == folder_ + "/")
            return Status::failure(ErrorKind::Io, "Cannot write: No space left on device.");
        return FaultyFileSystem::create(folder, name, like);
    }

private:
    std::string folder_;
};

// The archive written, the project not: the tool says which was written, the old project is
// whole, and the same import again records what the first could not.
TEST(ZyntextPoProject, AProjectThatCannotBeWrittenAfterTheArchiveIsSaidAndLeftWhole) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("project"));
    const std::string archive = archiveOf(dir, {"Yes", "No"}, {"Oui", "Non"});
    TranslationProject made = FrenchProject("../text.hqr");
    made.setRecord(Bank, 1, EntryRecord{EntryState::Reviewed, "keep me", HashSource("No")});
    const std::string project = dir.write("project/fr.zyp", FormatProject(made));
    const std::string po = dir.file("fr.po");
    ASSERT_TRUE(succeeded(zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2",
                                   "--project", project, "-o", po})));
    dir.write("fr.po", replaced(readBytes(po), "msgstr \"Oui\"", "msgstr \"Ouais\""));
    const std::string before = readBytes(project);

    NoNewFileIn files(dir.file("project"));
    std::ostringstream out, err;
    cli::RunSettings settings;
    const int exitCode =
        cli::PoCommand.run({"import", po, archive + ":31", "--game", "2", "--project", project},
                           {out, err, files, settings});
    EXPECT_EQ(exitCode, cli::Failure);
    EXPECT_EQ(err.str(),
              "zyntext: the translations were written into " + archive + ":31, but the project " +
                  project +
                  " could not be written, so it is as it was before this import: "
                  "Cannot write: No space left on device. Import the same file again with "
                  "--project to record its states and notes.\n");
    EXPECT_EQ(readBytes(project), before);
    // Nothing left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("project")),
                            std::filesystem::directory_iterator()),
              1);
    ASSERT_TRUE(fileExists(dir.file("text.~$R")));

    const ToolRun again =
        zyntext({"po", "import", po, archive + ":31", "--game", "2", "--project", project});
    ASSERT_TRUE(succeeded(again));
    EXPECT_NE(again.err.find("0 entries changed, 2 unchanged"), std::string::npos) << again.err;
    EXPECT_EQ(recordsIn(project), (std::vector<std::string>{"1 translated", "2 reviewed keep me"}));
}

} // namespace
} // namespace zyn::test
