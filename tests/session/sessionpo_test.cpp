// The editor's states and notes through gettext PO and back: what the session keeps and File
// Save writes, exported with the tool's --project, changed as a PO editor would (a comment
// added, a fuzzy mark cleared), merged by msgmerge and rewritten by msgcat, then imported, reads
// the same in the session of a later run.

#include "archive/archiveindex.h"
#include "flows/archiveitemflow.h"
#include "project/projectfile.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "support/archivebuilder.h"
#include "support/frenchproject.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

const int French = 31, English = 1;

// The French bank of archive open in session with its English source, in the project at path.
void openBank(DocumentSession& session, const std::string& archive, const std::string& project) {
    ASSERT_TRUE(session.project().open(project));
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(session.files(), archive, index).ok());
    const auto item = [&](int number) {
        auto loaded = LoadArchiveItem(session.files(), archive, index, number,
                                      ProjectBankName(true, number), true);
        EXPECT_TRUE(loaded.ok()) << loaded.message();
        return std::move(*loaded);
    };
    session.openArchiveItem(item(French),
                            ArchiveItemOrigin(archive, French, ProjectBankName(true, French)),
                            ArchiveIndex(index), ArchiveFlow{});
    session.setReference(item(English),
                         ArchiveItemOrigin(archive, English, ProjectBankName(true, English)));
}

TEST(SessionPo, StatesAndNotesComeBackThroughAPoEditorMsgmergeAndMsgcat) {
    ensureApplicationOf<QGuiApplication>();
    TempDir dir;
    const std::string archive = dir.write(
        "text.hqr",
        BankArchive(TextFileBuilder(2).entries({"Hello", "Options", "Yes", "No", "Bye"}).data(),
                    TextFileBuilder(2).entries({"", "Options", "", "Non", ""}).data()));
    const std::string project = dir.file("fr.zyp");
    {
        ProgramState state;
        DocumentSession session{state};
        ASSERT_TRUE(session.project().create(project, FrenchProject()));
        openBank(session, archive, project);
        ASSERT_TRUE(session.keepsStates());
        session.keepAndGo(1, "Options", true); // kept as it is
        session.tookFromMemory(2, "Oui");      // from the memory
        session.editText(2, "Oui");
        ASSERT_TRUE(session.toggleReviewed(3, "Non")); // reviewed
        ASSERT_TRUE(session.setNote(3, "Two\nlines"));
        ASSERT_TRUE(session.setNote(4, "Ask the team")); // untranslated, with a note
        session.editText(0, "Bonjour");
        ASSERT_TRUE(session.save({}).saved());
    }

    const std::string po = dir.file("fr.po"), pot = dir.file("fr.pot");
    ASSERT_TRUE(succeeded(zyntext({"po", "export", archive + ":1", archive + ":31", "--game", "2",
                                   "--project", project, "-o", po})));
    ASSERT_TRUE(succeeded(
        zyntext({"po", "export", archive + ":1", "--template", "--game", "2", "-o", pot})));
    // As a PO editor leaves it: a comment on the first message, the fuzzy mark cleared.
    std::string text = readBytes(po);
    const std::string first = "#. type 1: Normal\n#: " + archive + ":31:1\n";
    text = replaced(text, first, "# Check the greeting\n" + first);
    text = replaced(text, "#, fuzzy\nmsgctxt \"3\"", "msgctxt \"3\"");
    const std::string edited = dir.write("edited.po", text);
    const std::string merged = dir.file("merged.po"), joined = dir.file("joined.po");
    ASSERT_EQ(
        std::system(("msgmerge -q --previous -o " + quoted(merged) + " " + quoted(edited) + " " +
                     quoted(pot) + " && msgcat -o " + quoted(joined) + " " + quoted(merged))
                        .c_str()),
        0);
    ASSERT_TRUE(succeeded(
        zyntext({"po", "import", joined, archive + ":31", "--game", "2", "--project", project})));

    ProgramState state;
    DocumentSession session{state};
    openBank(session, archive, project);
    const std::vector<std::pair<EntryState, std::string>> expected{
        {EntryState::Translated, "Check the greeting"},
        {EntryState::Translated, ""},
        {EntryState::Translated, ""}, // its fuzzy mark cleared
        {EntryState::Reviewed, "Two\nlines"},
        {EntryState::Untranslated, "Ask the team"}};
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(session.entryState(i), expected[std::size_t(i)].first);
        EXPECT_EQ(session.note(i), expected[std::size_t(i)].second);
    }
}

} // namespace
} // namespace zyn::test
