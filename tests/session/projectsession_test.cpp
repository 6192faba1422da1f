#include "session/documentsession.h"
#include "session/projectsession.h"
#include "support/faultyfilesystem.h"
#include "support/frenchproject.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace zyn {
namespace {

using test::FaultyFileSystem;
using test::FrenchProject;
using test::TempDir;

// A record set through the session is kept on save and read back by the next run; a record
// set to what it was changes nothing and says nothing.
TEST(ProjectSession, RecordsSurviveSaveAndOpen) {
    TempDir dir;
    const std::string path = dir.file("fr.zyp");
    ProjectSession session(realFileSystem());
    ASSERT_TRUE(session.create(path, FrenchProject("text.hqr")));
    int changed = 0;
    QObject::connect(&session, &ProjectSession::recordChanged, [&] { ++changed; });
    const EntryRecord record{EntryState::NeedsReview, "Ask the team.\nBank 14.", 0x11d0aa37};
    session.setRecord("FR_012.DIA", 3, record);
    session.setRecord("FR_012.DIA", 3, record);
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(session.isModified());
    ASSERT_TRUE(session.save());
    EXPECT_FALSE(session.isModified());

    ProjectSession next(realFileSystem());
    ASSERT_TRUE(next.open(path));
    ASSERT_NE(next.record("FR_012.DIA", 3), nullptr);
    EXPECT_EQ(*next.record("FR_012.DIA", 3), record);
    EXPECT_EQ(next.record("FR_012.DIA", 4), nullptr);
}

// A save the disk refuses says so and leaves the project modified, so nothing is thought kept.
TEST(ProjectSession, AFailedSaveKeepsTheChanges) {
    TempDir dir;
    const std::string path = dir.file("fr.zyp");
    FaultyFileSystem disk;
    ProjectSession session(disk);
    ASSERT_TRUE(session.create(path, FrenchProject("text.hqr")));
    session.setRecord("FR_000.DIA", 0, EntryRecord{EntryState::Reviewed, "", 1});
    disk.failOn(FaultyFileSystem::Op::Rename);
    EXPECT_FALSE(session.save());
    EXPECT_TRUE(session.isModified());
}

// The glossary the project names is read with it; one saved through the session is found by
// the next run.
TEST(ProjectSession, TheGlossaryGoesBesideTheProject) {
    TempDir dir;
    const std::string path = dir.file("fr.zyp");
    ProjectSession session(realFileSystem());
    ASSERT_TRUE(session.create(path, FrenchProject("text.hqr")));
    EXPECT_EQ(session.terms(), nullptr);
    Glossary glossary;
    glossary.terms.push_back({"the Captain", "le Capitaine", "", false, false});
    session.setGlossary(glossary);
    ASSERT_NE(session.terms(), nullptr);
    ASSERT_TRUE(session.saveGlossary());
    ASSERT_TRUE(session.save());

    ProjectSession next(realFileSystem());
    ASSERT_TRUE(next.open(path));
    EXPECT_EQ(next.glossaryPath(), dir.file("glossary.tsv"));
    ASSERT_EQ(next.glossary().terms.size(), 1u);
    EXPECT_EQ(next.glossary().terms[0].target, "le Capitaine");
}

} // namespace
} // namespace zyn

namespace zyn {
namespace {

// The document session's project reads and writes through the file system the program state
// names at the time, so a test's faulty disk set after the session was made still applies.
TEST(ProjectSession, TheDocumentSessionsProjectUsesTheStatesFileSystem) {
    test::ensureApplicationOf<QGuiApplication>();
    test::TempDir dir;
    ProgramState state;
    DocumentSession session(state);
    test::FaultyFileSystem disk;
    state.Files = &disk;
    disk.failOn(test::FaultyFileSystem::Op::Rename);
    EXPECT_FALSE(session.project().create(dir.file("fr.zyp"), FrenchProject("text.hqr")));
    EXPECT_FALSE(session.project().isOpen());
    EXPECT_TRUE(session.project().create(dir.file("fr.zyp"), FrenchProject("text.hqr")));
    EXPECT_TRUE(session.project().isOpen());
}

} // namespace
} // namespace zyn
