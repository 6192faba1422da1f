// Spell checking in the string editor: the red underline while typing, the suggestions and
// "Add to dictionary" of the context menu, the language menu, and a missing dictionary said
// below the text box; the entry list's status.

#include "characters/charactersets.h"
#include "mainwindowfixture.h"
#include "session/documentspelling.h"
#include "support/dictionarybuilder.h"
#include "windows/editorspelling.h"
#include "windows/frmeditor.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace zyn::test {
namespace {

class EditorSpellingTest : public MainWindowTest {
protected:
    void SetUp() override {
        writeDictionary(dir, "fr_FR", {"il", "est", "parti", "maintenant", "déjà"});
        session.spelling().setPlaces({dir.path()}, dir.file("words"));
        start();
        open(writeText("FR_000.DIA", 1, {"Il est mainenant parti", western("Il est déjàa parti")}),
             false);
        window->selectEntry(0);
        window->barButton(12)->click();
    }

    static std::string western(const char* text) {
        return Utf8ToCodes(text, &CharacterSets[WesternCharacterSetIndex]).codes;
    }
    QPlainTextEdit& box() const { return *window->editor()->Text1(); }
    // The underlined stretches of the first line, as (start, length).
    std::vector<std::pair<int, int>> underlined() const {
        std::vector<std::pair<int, int>> found;
        for (const QTextLayout::FormatRange& range :
             box().document()->firstBlock().layout()->formats())
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline &&
                range.format.underlineColor() == Qt::red)
                found.emplace_back(range.start, range.length);
        return found;
    }
    // The context menu's item of that text at a place of the text, triggered.
    bool choose(int position, const QString& item) {
        std::unique_ptr<QMenu> menu(window->editor()->spelling().contextMenu(position));
        for (QAction* action : menu->actions())
            if (action->text() == item) {
                action->trigger();
                return true;
            }
        return false;
    }
};

TEST_F(EditorSpellingTest, UnknownWordsAreUnderlinedAndTheMenuMendsThem) {
    EXPECT_EQ(underlined(), (std::vector<std::pair<int, int>>{{7, 9}}));
    EntryModel list(session);
    EXPECT_EQ(list.data(list.index(0, EntryModel::Status), Qt::DisplayRole).toString(), "spelling");

    // A suggestion takes the word's place, as typed.
    ASSERT_TRUE(choose(10, "maintenant"));
    EXPECT_EQ(window->editor()->EditedText(), "Il est maintenant parti");
    EXPECT_TRUE(underlined().empty());

    // Typed, a name is underlined until it is added; then it is known in every entry.
    box().moveCursor(QTextCursor::End);
    box().insertPlainText(" Vornaks");
    EXPECT_EQ(underlined(), (std::vector<std::pair<int, int>>{{24, 7}}));
    ASSERT_TRUE(choose(26, "Add to dictionary"));
    EXPECT_TRUE(underlined().empty());
    EXPECT_TRUE(fileExists(dir.file("words/fr_FR.txt")));
    EXPECT_TRUE(window->editor()->lblMessage()->text().isEmpty());

    // A language without its dictionary is said below the box, naming the package.
    window->findChild<QAction*>("mnuSpellingEN")->trigger();
    EXPECT_EQ(window->editor()->lblMessage()->text(),
              "no dictionary for English: install the package hunspell-en-us");
    EXPECT_TRUE(window->findChild<QAction*>("mnuSpellingEN")->isChecked());
}

// Add to dictionary says below the box why a word could not be kept, and nothing when it was.
TEST_F(EditorSpellingTest, AddToDictionarySaysAFailureAndNoSuccess) {
    dir.write("blocked", "a file where the folder of the user's words would be");
    session.spelling().setPlaces({dir.path()}, dir.file("blocked/words"));
    ASSERT_TRUE(choose(10, "Add to dictionary"));
    EXPECT_FALSE(window->editor()->lblMessage()->text().isEmpty());
    session.spelling().setPlaces({dir.path()}, dir.file("words"));
    ASSERT_TRUE(choose(10, "Add to dictionary"));
    EXPECT_TRUE(window->editor()->lblMessage()->text().isEmpty());
}

// A suggestion is put in as the letters it is, whatever keyboard group types.
TEST_F(EditorSpellingTest, ASuggestionIsItsLettersWhateverTheKeyboardGroup) {
    window->editor()->close();
    window->mnuKeybGreek_Click();
    window->selectEntry(1);
    window->barButton(12)->click();
    ASSERT_TRUE(choose(10, QString::fromUtf8("déjà")));
    EXPECT_EQ(window->editor()->EditedText(), western("Il est déjà parti"));
}

} // namespace
} // namespace zyn::test
