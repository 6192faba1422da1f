// The translation memory in the document session: suggestions for an entry from the document's
// own translations and from the memory built beside it, the entry list's "suggestion", and Fill
// from memory as one step.

#include "archive/archiveindex.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "session/memorybuilder.h"
#include "support/archivebuilder.h"
#include "support/qtapplication.h"
#include "support/suggestionlines.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <map>

namespace zyn::test {
namespace {

class SessionMemoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }

    std::vector<std::string> texts() const {
        const TextDocument& doc = session.document();
        return {doc.EntryText.begin(), doc.EntryText.begin() + doc.entryCount()};
    }
    std::vector<int> where(const std::function<bool(int)>& holds) const {
        std::vector<int> entries;
        for (int i = 0; i < session.entryCount(); ++i)
            if (holds(i))
                entries.push_back(i);
        return entries;
    }

    TempDir dir;
    ProgramState state;
    DocumentSession session{state};
};

TEST_F(SessionMemoryTest, SuggestsFromTheDocumentAndTheMemoryAndFillsInOneStep) {
    const std::string path = dir.write(
        "doc.zyt", TextFileBuilder(2)
                       .entries({"Merci !", "", "Thank you!", "", "Salut", "", "Bonne nuit"})
                       .bytes());
    session.open(std::move(*ReadTextFile(state.files(), path, true)), LooseFileOrigin(path));
    const std::string reference =
        dir.write("ref.zyt", TextFileBuilder(2)
                                 .entries({"Thank you!", "Hello", "Thank you!", "Thank you!", "Bye",
                                           "Bye", "Good night"})
                                 .bytes());
    session.setReference(std::move(*ReadTextFile(state.files(), reference, true)));
    auto memory = std::make_shared<TranslationMemory>();
    memory->add("Hello", "Bonjour", {"X", 1});
    memory->add("Bye", "Au revoir", {"X", 2});
    memory->add("Thank you!", "Merci !", {"X", 3});
    memory->add("Thank you all!", "Merci a tous !", {"X", 4});
    int replaced = 0;
    QObject::connect(&session, &DocumentSession::memoryReplaced, [&] { ++replaced; });
    session.setTranslationMemory(memory);
    EXPECT_EQ(replaced, 1);

    // Entry 5's source has two translations: suggested, yet not filled.
    EXPECT_EQ(where([&](int i) { return session.status(i).suggestion; }),
              (std::vector<int>{1, 2, 3, 5}));
    session.setEntryFilter({}, StatusFilter::Suggestion);
    EXPECT_EQ(where([&](int i) { return session.entryShown(i); }), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(described(session.suggestions(3)),
              (std::vector<std::string>{"100 Merci ! @doc.zyt:0", "75 Merci a tous ! @X:4"}));
    // An entry's own text is no suggestion for it.
    EXPECT_EQ(described(session.suggestions(0)),
              (std::vector<std::string>{"75 Merci a tous ! @X:4"}));
    EXPECT_EQ(described(session.suggestions(5)),
              (std::vector<std::string>{"100 Salut @doc.zyt:4", "100 Au revoir @X:2"}));

    const std::vector<std::string> before = texts();
    const MemoryFill fill = session.fillFromMemory();
    EXPECT_EQ(fill.filled, 3);
    EXPECT_EQ(fill.left, (std::vector<int>{5}));
    const std::vector<std::string> after{"Merci !", "Bonjour", "Merci !",   "Merci !",
                                         "Salut",   "",        "Bonne nuit"};
    EXPECT_EQ(texts(), after);
    EXPECT_EQ(session.undoStack()->count(), 1);
    EXPECT_EQ(where([&](int i) { return session.status(i).suggestion; }), (std::vector<int>{5}));
    session.undoStack()->undo();
    EXPECT_EQ(texts(), before);
    EXPECT_FALSE(session.Modified());
    EXPECT_EQ(where([&](int i) { return session.status(i).suggestion; }),
              (std::vector<int>{1, 2, 3, 5}));
    session.undoStack()->redo();
    EXPECT_EQ(texts(), after);
    EXPECT_EQ(session.fillFromMemory().filled, 0);
    EXPECT_EQ(session.undoStack()->count(), 1);
    // The document's own translations are read again after a change.
    session.editText(3, "Merci bien !");
    EXPECT_EQ(described(session.suggestions(2)),
              (std::vector<std::string>{"100 Merci bien ! @doc.zyt:3", "75 Merci a tous ! @X:4"}));
}

// Opening an item builds the memory of its archive away from the window, pairing its language
// with the reference's; sources that cannot be read are said and passed over.
TEST_F(SessionMemoryTest, OpeningAnItemBuildsTheMemoryOfItsArchive) {
    const std::string archive =
        dir.write("text.hqr", BanksArchive({{1, {"Thank you!", "Hello"}},
                                            {31, {"Merci !", "Bonjour"}},
                                            {61, {"Danke!", "Hallo"}},
                                            {5, {"Hello", "Thank you!", "Bye"}},
                                            {35, {"Hello", "", "Bye"}},
                                            {65, {"Hallo", "Danke!", "Tschuss"}}}));
    const std::string po = dir.write("extra.po", "");
    const PoFileReader readPo = [&](FileSystem&, const std::string& path) -> Result<PoCatalogue> {
        if (path != po)
            return Status::failure(ErrorKind::Io, "cannot read " + path);
        PoCatalogue catalogue;
        catalogue.entries.push_back({"9", "Bye", "Au revoir", false, false, 0, {}, {}, {}});
        catalogue.entries.push_back({"10", "Hello", "Salut", true, false, 0, {}, {}, {}});
        return catalogue;
    };
    MemoryBuilder builder(session, readPo);
    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), archive, index).ok());
    const auto item = [&](int number, const std::string& name) {
        auto loaded = LoadArchiveItem(state.files(), archive, index, number, name, true);
        EXPECT_TRUE(loaded.ok()) << loaded.message();
        return std::move(*loaded);
    };
    session.openArchiveItem(item(35, "FR_GAM.DIA"), ArchiveItemOrigin(archive, 35, "FR_GAM.DIA"),
                            ArchiveIndex(index), ArchiveFlow{});
    session.setReference(item(5, "EN_GAM.DIA"), ArchiveItemOrigin(archive, 5, "EN_GAM.DIA"));
    builder.waitForBuilds();
    EXPECT_EQ(described(session.suggestions(0)),
              (std::vector<std::string>{"100 Bonjour @FR_SYS.DIA:1"}));
    EXPECT_EQ(described(session.suggestions(1)),
              (std::vector<std::string>{"100 Merci ! @FR_SYS.DIA:0"}));
    EXPECT_TRUE(session.memoryProblems().empty());

    // A German reference: the memory pairs German with French.
    session.setReference(item(65, "DE_GAM.DIA"), ArchiveItemOrigin(archive, 65, "DE_GAM.DIA"));
    builder.waitForBuilds();
    EXPECT_EQ(described(session.suggestions(1)),
              (std::vector<std::string>{"100 Merci ! @FR_SYS.DIA:0"}));
    EXPECT_EQ(session.translationMemory()->exact("Thank you!").size(), 0u);

    // Two builds in a row: the newer supersedes the older, whose memory is never handed over.
    int built = 0;
    QObject::connect(&builder, &MemoryBuilder::built, [&] { ++built; });
    const std::string junk = dir.write("junk.hqr", "not an archive");
    session.setMemorySources({dir.file("gone.po"), junk, po});
    session.setReference(item(5, "EN_GAM.DIA"), ArchiveItemOrigin(archive, 5, "EN_GAM.DIA"));
    builder.waitForBuilds();
    EXPECT_EQ(built, 1);
    EXPECT_EQ(session.translationMemory()->exact("Thank you!").size(), 1u);
    EXPECT_EQ(session.memoryProblems().size(), 2u);
    // The PO file's translated message; its fuzzy one is not taken.
    EXPECT_EQ(described(session.translationMemory()->exact("Bye")),
              (std::vector<std::string>{"100 Au revoir @extra.po:8"}));
    EXPECT_EQ(described(session.translationMemory()->exact("Hello")),
              (std::vector<std::string>{"100 Bonjour @FR_SYS.DIA:1"}));
    EXPECT_TRUE(session.translationMemory()->exact("Danke!").empty());
}

} // namespace
} // namespace zyn::test
