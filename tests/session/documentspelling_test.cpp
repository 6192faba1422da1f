// The session's spell checking: which entries hold unknown words, in the language of the bank
// or the one chosen, the source's names left alone, the user's words known at once.

#include "session/documentsession.h"
#include "session/documentspelling.h"
#include "support/dictionarybuilder.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class SpellingSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }
    void SetUp() override {
        writeDictionary(dir, "fr_FR", {"il", "est", "parti", "maintenant"});
        session.spelling().setPlaces({dir.path()}, dir.file("words"));
    }

    void open(const std::string& name, const std::vector<std::string>& entries,
              bool reference = false) {
        const std::string path = dir.write(name, TextFileBuilder(2).entries(entries).bytes());
        auto read = ReadTextFile(state.files(), path, true);
        ASSERT_TRUE(read.ok()) << read.message();
        if (reference)
            session.setReference(std::move(*read));
        else
            session.open(std::move(*read), LooseFileOrigin(path));
    }
    std::vector<bool> misspelled() const {
        std::vector<bool> found;
        for (int i = 0; i < session.entryCount(); ++i)
            found.push_back(session.status(i).misspelled);
        return found;
    }

    TempDir dir;
    ProgramState state;
    DocumentSession session{state};
};

TEST_F(SpellingSessionTest, EntriesWithUnknownWordsAreSaidOnceTheLanguageIsKnown) {
    const std::vector<std::string> entries{"Il est parti", "Il est mainenant parti",
                                           "Vornak est parti", "Vornak"};
    open("FR_000.DIA", entries);
    EXPECT_EQ(misspelled(), (std::vector<bool>{false, true, true, true}));
    open("EN_000.DIA", {"Hi", "He left", "Vornak left", "Bye"}, true);
    EXPECT_EQ(misspelled(), (std::vector<bool>{false, true, false, true}));
    session.setEntryFilter({}, StatusFilter::Spelling);
    EXPECT_TRUE(session.entryShown(1) && session.entryShown(3));
    EXPECT_FALSE(session.entryShown(0) || session.entryShown(2));
    session.editText(1, "Il est maintenant parti");
    EXPECT_FALSE(session.status(1).misspelled);

    // Added, the word is known at once.
    int changed = 0;
    QObject::connect(&session.spelling(), &DocumentSpelling::changed, [&changed] { ++changed; });
    ASSERT_TRUE(session.spelling().addWord(QStringLiteral("Vornak")));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(misspelled(), std::vector<bool>(4, false));
    // None finds nothing.
    session.editText(1, "mainenant");
    session.spelling().setChoice(DocumentSpelling::Off);
    EXPECT_FALSE(session.status(1).misspelled);
    session.spelling().setChoice(DocumentSpelling::FromBank);
    EXPECT_TRUE(session.status(1).misspelled);
}

} // namespace
} // namespace zyn::test
