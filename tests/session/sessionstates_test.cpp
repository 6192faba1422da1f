// States and notes through the document session: each rule of the translator's steps, one undo
// step for each change, the entry list's filters and counts, and the project written by File
// Save or left with a document thrown away.

#include "project/entrystate.h"
#include "project/projectfile.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "support/frenchproject.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <QUndoStack>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

const std::string Bank = "FR_002.DIA";

class SessionStatesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }

    // The bank as a loose file named after it, against its source; a project around it.
    void openBank(const std::vector<std::string>& target, const std::vector<std::string>& source,
                  const std::string& name = Bank) {
        const std::string path = dir.write(name, TextFileBuilder(2).entries(target).bytes());
        session.open(std::move(*ReadTextFile(state.files(), path, true)), LooseFileOrigin(path));
        const std::string reference =
            dir.write("EN_002.DIA", TextFileBuilder(2).entries(source).bytes());
        session.setReference(std::move(*ReadTextFile(state.files(), reference, true)));
    }
    void createProject() {
        ASSERT_TRUE(session.project().create(dir.file("fr.zyp"), FrenchProject()));
    }
    std::optional<EntryState> recorded(int entry) const {
        const EntryRecord* record = session.record(entry);
        return record ? std::optional<EntryState>(record->state) : std::nullopt;
    }

    TempDir dir;
    ProgramState state;
    DocumentSession session{state};
};

struct RuleCase {
    const char* name;
    std::string target, source;
    std::optional<EntryRecord> before; // the project's record of entry 0 at the start
    std::function<void(DocumentSession&)> step;
    EntryState expected;
    std::optional<EntryState> record; // what the project keeps after the step
};

EntryRecord recordOf(EntryState state, const std::string& source, std::string note = {}) {
    return {state, std::move(note), HashSource(source)};
}

// Each rule is one step: undone, the entry's text, record and state are as before; redone,
// as after.
TEST_F(SessionStatesTest, EachRuleIsOneStepOfTheUndoStack) {
    const std::vector<RuleCase> cases{
        {"Ctrl+Enter keeps a text equal to its source as translated", "Options", "Options",
         std::nullopt, [](DocumentSession& s) { s.keepAndGo(0, "Options", true); },
         EntryState::Translated, EntryState::Translated},
        {"Ctrl+Enter confirms a text from the memory", "Salut", "Hello",
         recordOf(EntryState::NeedsReview, "Hello"),
         [](DocumentSession& s) { s.keepAndGo(0, "Salut", true); }, EntryState::Translated,
         EntryState::Translated},
        {"Ctrl+Enter leaves a reviewed text reviewed", "Salut", "Hello",
         recordOf(EntryState::Reviewed, "Hello"),
         [](DocumentSession& s) { s.keepAndGo(0, "Salut", true); }, EntryState::Reviewed,
         EntryState::Reviewed},
        {"a suggestion handed back as it is needs review", "", "Hello", std::nullopt,
         [](DocumentSession& s) {
             s.tookFromMemory(0, "Bonjour");
             s.editText(0, "Bonjour");
         },
         EntryState::NeedsReview, EntryState::NeedsReview},
        {"a suggestion kept by Ctrl+Enter still needs review", "", "Hello", std::nullopt,
         [](DocumentSession& s) {
             s.tookFromMemory(0, "Bonjour");
             s.keepAndGo(0, "Bonjour", true);
         },
         EntryState::NeedsReview, EntryState::NeedsReview},
        {"a suggestion edited afterwards is typed text", "", "Hello", std::nullopt,
         [](DocumentSession& s) {
             s.tookFromMemory(0, "Bonjour");
             s.editText(0, "Bonjour !");
         },
         EntryState::Translated, std::nullopt},
        {"Ctrl+R marks a translated text reviewed", "Salut", "Hello", std::nullopt,
         [](DocumentSession& s) { s.toggleReviewed(0, "Salut"); }, EntryState::Reviewed,
         EntryState::Reviewed},
        {"Ctrl+R hands the edited text back with the mark", "Salut", "Hello", std::nullopt,
         [](DocumentSession& s) { s.toggleReviewed(0, "Bonjour"); }, EntryState::Reviewed,
         EntryState::Reviewed},
        {"an emptied text is untranslated and its record goes", "Salut", "Hello",
         recordOf(EntryState::Reviewed, "Hello"), [](DocumentSession& s) { s.editText(0, ""); },
         EntryState::Untranslated, std::nullopt},
        {"Replace is a typed edit", "Salut", "Hello", recordOf(EntryState::Reviewed, "Hello"),
         [](DocumentSession& s) {
             s.setSearch(QStringLiteral("Salut"), {});
             s.replaceAll(QStringLiteral("Bonjour"));
         },
         EntryState::Translated, EntryState::Translated},
        // Last: the memory stays with the session.
        {"Fill from memory needs review", "", "Hello", std::nullopt,
         [](DocumentSession& s) {
             auto memory = std::make_shared<TranslationMemory>();
             memory->add("Hello", "Bonjour", {"X", 1});
             s.setTranslationMemory(memory);
             EXPECT_EQ(s.fillFromMemory().filled, 1);
         },
         EntryState::NeedsReview, EntryState::NeedsReview},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        openBank({c.target, "Autre"}, {c.source, "Other"});
        createProject();
        if (c.before)
            session.project().setRecord(Bank, 0, c.before);
        const std::string textBefore = session.entryAsShown(0);
        const EntryState stateBefore = session.entryState(0);
        const std::optional<EntryState> recordBefore = recorded(0);

        c.step(session);
        EXPECT_EQ(session.entryState(0), c.expected);
        EXPECT_EQ(recorded(0), c.record);
        if (c.record) {
            EXPECT_EQ(session.record(0)->sourceHash, HashSource(c.source));
        }
        const std::string textAfter = session.entryAsShown(0);
        ASSERT_EQ(session.undoStack()->count(),
                  stateBefore == c.expected && textBefore == textAfter ? 0 : 1);
        if (session.undoStack()->count() == 0)
            continue;
        EXPECT_TRUE(session.Modified());
        EXPECT_EQ(session.project().isModified(), recordBefore || c.record);
        session.undoStack()->undo();
        EXPECT_EQ(session.entryAsShown(0), textBefore);
        EXPECT_EQ(session.entryState(0), stateBefore);
        EXPECT_EQ(recorded(0), recordBefore);
        session.undoStack()->redo();
        EXPECT_EQ(session.entryAsShown(0), textAfter);
        EXPECT_EQ(session.entryState(0), c.expected);
        session.project().close();
    }
}

// Without a project the states are those of the texts, as before there were projects, and the
// steps that need one change nothing.
TEST_F(SessionStatesTest, WithoutAProjectStatesComeFromTheTexts) {
    openBank({"Options", "", "Salut"}, {"Options", "Hello", "Hello"});
    EXPECT_FALSE(session.keepsStates());
    EXPECT_EQ(session.entryState(0), EntryState::Untranslated);
    EXPECT_EQ(session.entryState(1), EntryState::Untranslated);
    EXPECT_EQ(session.entryState(2), EntryState::Translated);
    session.keepAndGo(0, "Options", true);
    EXPECT_EQ(session.entryState(0), EntryState::Untranslated);
    EXPECT_FALSE(session.toggleReviewed(2, "Salut"));
    EXPECT_FALSE(session.setNote(2, "A note"));
    EXPECT_EQ(session.undoStack()->count(), 0);
    EXPECT_TRUE(session.status(0).untranslated);
}

// A loose file keeps its bank's records when its name is the bank's, in either case; any other
// name keeps none.
TEST_F(SessionStatesTest, ALooseFileNamedAfterABankIsThatBank) {
    createProject();
    session.project().setRecord(Bank, 0, recordOf(EntryState::Reviewed, "Hello"));
    openBank({"Salut"}, {"Hello"}, "fr_002.dia");
    EXPECT_EQ(session.projectBank(), Bank);
    EXPECT_EQ(session.entryState(0), EntryState::Reviewed);
    openBank({"Salut"}, {"Hello"}, "mine.zyt");
    EXPECT_EQ(session.projectBank(), "");
    EXPECT_EQ(session.entryState(0), EntryState::Translated);
}

TEST_F(SessionStatesTest, AChangedSourceNeedsReviewAndShowsTheOldOneWhenTheMemoryHasIt) {
    openBank({"Salut", "Au revoir"}, {"Hello there", "Bye now"});
    createProject();
    session.project().setRecord(Bank, 0, recordOf(EntryState::Reviewed, "Hello"));
    session.project().setRecord(Bank, 1, recordOf(EntryState::Translated, "Bye"));
    auto memory = std::make_shared<TranslationMemory>();
    memory->add("Hello", "Salut", {"X", 0});
    session.setTranslationMemory(memory);
    EXPECT_EQ(session.entryState(0), EntryState::NeedsReview);
    EXPECT_TRUE(session.sourceChanged(0));
    EXPECT_EQ(session.oldSource(0), std::optional<std::string>("Hello"));
    EXPECT_TRUE(session.sourceChanged(1));
    EXPECT_EQ(session.oldSource(1), std::nullopt);
}

// A note is one step, kept with the state; the filters and the counts read the states.
TEST_F(SessionStatesTest, NotesFiltersAndCounts) {
    openBank({"Options", "", "Salut", "Merci", "Bonjour"},
             {"Options", "Hello", "Hi", "Thanks", "Good day"});
    createProject();
    int changed = 0;
    QObject::connect(&session, &DocumentSession::entriesChanged, [&] { ++changed; });
    ASSERT_TRUE(session.setNote(1, "Ask the team.\nBank 14."));
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(session.setNote(1, "Ask the team.\nBank 14."));
    EXPECT_EQ(session.note(1), "Ask the team.\nBank 14.");
    EXPECT_EQ(session.entryState(1), EntryState::Untranslated);
    session.keepAndGo(0, "Options", true);
    session.toggleReviewed(2, "Salut");
    session.tookFromMemory(4, "Bonjour !");
    session.editText(4, "Bonjour !");
    EXPECT_EQ(session.undoStack()->count(), 4);

    const StateTally counts = session.stateCounts();
    EXPECT_EQ(counts.count(EntryState::Translated), 2);
    EXPECT_EQ(counts.count(EntryState::NeedsReview), 1);
    EXPECT_EQ(counts.count(EntryState::Reviewed), 1);
    EXPECT_EQ(counts.count(EntryState::Untranslated), 1);
    const auto shown = [&](StatusFilter filter) {
        session.setEntryFilter({}, filter);
        std::vector<int> entries;
        for (int i = 0; i < session.entryCount(); ++i)
            if (session.entryShown(i))
                entries.push_back(i);
        return entries;
    };
    EXPECT_EQ(shown(StatusFilter::Untranslated), (std::vector<int>{1}));
    EXPECT_EQ(shown(StatusFilter::Translated), (std::vector<int>{0, 3}));
    EXPECT_EQ(shown(StatusFilter::NeedsReview), (std::vector<int>{4}));
    EXPECT_EQ(shown(StatusFilter::Reviewed), (std::vector<int>{2}));
    EXPECT_EQ(shown(StatusFilter::WithNote), (std::vector<int>{1}));

    session.undoStack()->setIndex(0);
    EXPECT_EQ(session.note(1), "");
    EXPECT_EQ(session.project().bankRecords(Bank), nullptr);
}

// File Save writes the project with the text; a project that cannot be written is said, and
// the document stays modified so that the next save tries again.
TEST_F(SessionStatesTest, FileSaveWritesTheProjectAndSaysWhenItCannot) {
    openBank({"Salut"}, {"Hello"});
    createProject();
    ASSERT_TRUE(session.toggleReviewed(0, "Salut"));
    ASSERT_TRUE(session.save({}).saved());
    EXPECT_FALSE(session.Modified());
    auto read = ReadProjectFile(state.files(), dir.file("fr.zyp"));
    ASSERT_TRUE(read);
    ASSERT_NE(read->project.record(Bank, 0), nullptr);
    EXPECT_EQ(read->project.record(Bank, 0)->state, EntryState::Reviewed);

    // A note alone changes no text, yet File Save writes it.
    ASSERT_TRUE(session.setNote(0, "Formal."));
    std::filesystem::remove(dir.file("fr.zyp"));
    std::filesystem::create_directory(dir.file("fr.zyp"));
    const SaveResult failed = session.save({});
    EXPECT_EQ(failed.outcome, SaveOutcome::Failed);
    EXPECT_NE(failed.message.find("fr.zyp could not be written"), std::string::npos)
        << failed.message;
    EXPECT_TRUE(session.Modified());
    std::filesystem::remove(dir.file("fr.zyp"));
    EXPECT_TRUE(session.save({}).saved());
    EXPECT_FALSE(session.Modified());
    read = ReadProjectFile(state.files(), dir.file("fr.zyp"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->project.record(Bank, 0)->note, "Formal.");
}

// A document thrown away (another opened without saving) takes its states and notes with it;
// those saved stay.
TEST_F(SessionStatesTest, ADocumentThrownAwayTakesItsUnsavedRecordsWithIt) {
    openBank({"Salut", "Merci"}, {"Hello", "Thanks"});
    createProject();
    ASSERT_TRUE(session.setNote(0, "Kept."));
    ASSERT_TRUE(session.save({}).saved());
    ASSERT_TRUE(session.toggleReviewed(1, "Merci"));
    ASSERT_TRUE(session.setNote(0, "Thrown away."));
    session.undoStack()->undo();
    session.undoStack()->undo();
    ASSERT_TRUE(session.setNote(1, "Thrown away too."));
    openBank({"Autre"}, {"Other"}, "FR_003.DIA");
    EXPECT_EQ(session.project().record(Bank, 0)->note, "Kept.");
    EXPECT_EQ(session.project().record(Bank, 1), nullptr);
}

} // namespace
} // namespace zyn::test
