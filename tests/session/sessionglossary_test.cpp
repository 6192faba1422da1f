// The glossary where an entry is translated: the terms its source holds and those its
// translation lacks, and a term added beside the project or, when the disk refuses, nothing.

#include "session/documentsession.h"
#include "session/projectsession.h"
#include "session/sessionglossary.h"
#include "support/faultyfilesystem.h"
#include "support/frenchproject.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

Glossary shipTerms() {
    Glossary glossary;
    glossary.terms = {{"Captain", "Capitaine", "", false, false},
                      {"the Captain", "le Capitaine", "", false, false},
                      {"Vornak", "", "a name", true, false},
                      {"Ring", "Anneau", "", false, true}};
    return glossary;
}

class SessionGlossaryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }

    void SetUp() override {
        const std::string doc = dir.write("fr.zyt", TextFileBuilder(2).entries({"", ""}).bytes());
        const std::string ref =
            dir.write("en.zyt", TextFileBuilder(2)
                                    .entries({"Ask the Captain of Vornak, Captain.", "No terms"})
                                    .bytes());
        session.open(std::move(*ReadTextFile(state.files(), doc, true)), LooseFileOrigin(doc));
        session.setReference(std::move(*ReadTextFile(state.files(), ref, true)));
        ASSERT_TRUE(session.project().create(dir.file("fr.zyp"), FrenchProject()));
    }

    TempDir dir;
    ProgramState state;
    DocumentSession session{state};
};

// Each term once, in the order it first stands in the source, with every place (a term inside
// a longer one too); a term is missing until its target (or, not translated, the source term)
// is in the translation.
TEST_F(SessionGlossaryTest, TheSourcesTermsEachOnceWithWhatTheTranslationLacks) {
    EXPECT_TRUE(EntryTermsOf(session, 0, "").empty()) << "no glossary yet";
    session.project().setGlossary(shipTerms());
    struct Case {
        const char* translation;
        std::vector<bool> missing; // of: the Captain, Captain, Vornak
    };
    for (const Case& c : std::vector<Case>{
             {"", {true, true, true}},
             {"Demandez au capitaine de Vornak.", {true, false, false}},
             {"Le Capitaine, capitaines", {false, false, true}},
         }) {
        const std::vector<EntryTerm> terms = EntryTermsOf(session, 0, c.translation);
        ASSERT_EQ(terms.size(), 3u) << c.translation;
        EXPECT_EQ(terms[0].term, 1u);
        EXPECT_EQ(terms[1].term, 0u);
        EXPECT_EQ(terms[2].term, 2u);
        ASSERT_EQ(terms[0].places.size(), 1u);
        EXPECT_EQ(terms[0].places[0].start, 4u);
        ASSERT_EQ(terms[1].places.size(), 2u);
        EXPECT_EQ(terms[1].places[0].start, 8u);
        EXPECT_EQ(terms[1].places[1].start, 27u);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(terms[i].missing, c.missing[i]) << c.translation << " term " << i;
    }
    EXPECT_TRUE(EntryTermsOf(session, 1, "").empty());
    EXPECT_EQ(TermTranslation(shipTerms().terms[2]), "Vornak");
    EXPECT_EQ(TermTranslation(shipTerms().terms[1]), "le Capitaine");
}

// A term added is written beside the project and named in the project file, so the next run
// has it; a disk that refuses leaves glossary, project and files as they were.
TEST_F(SessionGlossaryTest, AnAddedTermIsKeptOrNothingChanges) {
    ProjectSession& project = session.project();
    ASSERT_TRUE(AddGlossaryTerm(project, {"Ring", "Anneau", "", false, true}));
    ProjectSession next(realFileSystem());
    ASSERT_TRUE(next.open(dir.file("fr.zyp")));
    ASSERT_EQ(next.glossary().terms.size(), 1u);
    EXPECT_EQ(next.glossary().terms[0].target, "Anneau");

    FaultyFileSystem disk;
    ProjectSession failing(disk);
    ASSERT_TRUE(failing.open(dir.file("fr.zyp")));
    const std::string before = readBytes(dir.file("glossary.tsv"));
    int said = 0;
    QObject::connect(&failing, &ProjectSession::glossaryChanged, [&] { ++said; });
    disk.failOn(FaultyFileSystem::Op::Rename);
    EXPECT_FALSE(AddGlossaryTerm(failing, {"Captain", "Capitaine", "", false, false}));
    EXPECT_EQ(failing.glossary().terms.size(), 1u);
    EXPECT_EQ(said, 0);
    EXPECT_EQ(readBytes(dir.file("glossary.tsv")), before);

    // A project without a glossary yet whose own file cannot be written: no term, no name. The
    // other project's glossary in the same folder is left alone.
    ProjectSession bare(disk);
    ASSERT_TRUE(bare.create(dir.file("de.zyp"), FrenchProject()));
    disk.failOn(FaultyFileSystem::Op::Rename, 2);
    EXPECT_FALSE(AddGlossaryTerm(bare, {"Captain", "Capitaine", "", false, false}));
    EXPECT_TRUE(bare.glossary().terms.empty());
    EXPECT_TRUE(bare.project().glossary.empty());
    EXPECT_EQ(readBytes(dir.file("glossary.tsv")), before);
    ASSERT_TRUE(AddGlossaryTerm(bare, {"Captain", "Kapitän", "", false, false}));
    EXPECT_EQ(bare.glossaryPath(), dir.file("de-glossary.tsv"));
}

} // namespace
} // namespace zyn::test
