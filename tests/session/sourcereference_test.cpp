// The reference a bank of an archive starts with: the same bank of the source language (the
// project's, else the one compared with last, else EN), never over one remembered or chosen;
// and the signal that the translation loop reached the bank's last entry.

#include "archive/archiveindex.h"
#include "flows/archiveitemflow.h"
#include "session/documentsession.h"
#include "session/projectsession.h"
#include "support/archivebuilder.h"
#include "support/frenchproject.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class SourceReferenceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }

    void SetUp() override {
        // EN, FR and DE hold bank 0 of the dialogues; the IT one is blank.
        ArchiveBuilder builder;
        for (int item = 0; item < 180; ++item) {
            if (item == 121)
                builder.blank();
            else
                builder.stored(
                    TextFileBuilder(2).entries({"text " + std::to_string(item), "Yes"}).data());
        }
        archive = dir.write("text.hqr", builder.build());
        ASSERT_TRUE(ReadArchiveIndex(state.files(), archive, index).ok());
    }

    void openItem(int item) {
        ArchiveIndex copy = index;
        auto loaded = LoadArchiveItem(state.files(), archive, copy, item, "item", true);
        ASSERT_TRUE(loaded.ok()) << loaded.message();
        session.openArchiveItem(std::move(*loaded), ArchiveItemOrigin(archive, item, "item"),
                                std::move(copy), ArchiveFlow{});
    }
    int referenceItem() {
        const TextDocument& reference = session.openDocument().Reference;
        return reference.SlotCount == 0 ? -1 : reference.Origin.ArchiveItem;
    }

    TempDir dir;
    std::string archive;
    ArchiveIndex index;
    ProgramState state;
    DocumentSession session{state};
};

// Which bank a French bank starts compared with.
TEST_F(SourceReferenceTest, TheSameBankOfTheSourceLanguage) {
    struct Case {
        const char* what;
        int lastSource;    // as the settings remember it
        int projectSource; // -1: no project
        int opened;
        int reference; // -1: none
    };
    const Case cases[] = {
        {"EN without a setting or a project", -1, -1, 31, 1},
        {"the language compared with last", 2, -1, 33, 63},
        {"the project's before the last one", 2, 0, 31, 1},
        {"a blank source bank leaves none", 4, -1, 31, -1},
        {"a bank of the source language itself has none", 0, -1, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.lastSource >= 0)
            session.setLastSourceLanguage(c.lastSource);
        if (c.projectSource >= 0) {
            ASSERT_TRUE(session.project().create(dir.file("fr.project"),
                                                 FrenchProject("text.hqr", c.projectSource)));
        }
        openItem(c.opened);
        EXPECT_EQ(referenceItem(), c.reference);
        EXPECT_EQ(session.referenceIsAutomatic(), c.reference >= 0);
        if (c.reference >= 0) {
            // Counted right from the first look: "Yes" is the source's, so untranslated.
            EXPECT_FALSE(session.status(0).untranslated);
            EXPECT_TRUE(session.status(1).untranslated);
        }
        session.project().close();
    }
}

// A reference put back for the document as it opens (the one remembered) stays; one chosen
// from another language of the archive names the language compared with last.
TEST_F(SourceReferenceTest, ARememberedOrChosenReferenceWins) {
    const auto remembered = QObject::connect(&session, &DocumentSession::documentReplaced, [&] {
        ArchiveIndex copy = index;
        auto loaded = LoadArchiveItem(state.files(), archive, copy, 91, "SP", true);
        ASSERT_TRUE(loaded.ok());
        session.setReference(std::move(*loaded), ArchiveItemOrigin(archive, 91, "SP"));
    });
    int languageChanged = 0;
    QObject::connect(&session, &DocumentSession::lastSourceLanguageChanged,
                     [&] { ++languageChanged; });
    openItem(31);
    EXPECT_EQ(referenceItem(), 91);
    EXPECT_FALSE(session.referenceIsAutomatic());
    EXPECT_EQ(session.lastSourceLanguage(), 3);
    EXPECT_EQ(languageChanged, 1);

    // The next bank opened starts with Spanish.
    QObject::disconnect(remembered);
    openItem(33);
    EXPECT_EQ(referenceItem(), 93);
    EXPECT_EQ(languageChanged, 1);
}

// Ctrl+Enter's step says when it finds no entry after the last one, and only going forward.
TEST_F(SourceReferenceTest, TheLoopSaysWhenTheBankHasNoEntryLeft) {
    openItem(31);
    int ended = 0;
    QObject::connect(&session, &DocumentSession::lastEntryKept, [&] { ++ended; });
    EXPECT_EQ(session.keepAndGo(0, "texte", true), 1);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(session.keepAndGo(1, "Oui", true), -1);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(session.keepAndGo(0, "texte", false), -1);
    EXPECT_EQ(ended, 1);
}

} // namespace
} // namespace zyn::test
