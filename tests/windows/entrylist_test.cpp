// The entry list as the translation loop leaves it: the suggestion marks of other rows after an
// edit, its filter across closing, and the memory sources window that feeds the suggestions.

#include "document/translationmemory.h"
#include "mainwindowfixture.h"
#include "windows/frmmemorysources.h"
#include "windows/pathtext.h"

#include <QLineEdit>
#include <QTableView>
#include <QUndoStack>

namespace zyn::test {
namespace {

class EntryListTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    QString status(int entry) { return cell(entry, EntryModel::Status); }
    std::vector<int> shownEntries() const {
        std::vector<int> shown;
        for (int i = 0; i < session.entryCount(); ++i)
            if (session.entryShown(i))
                shown.push_back(i);
        return shown;
    }
};

// A translation typed for one entry is the memory's match for every other entry of the same
// source: their rows say so at once, and stop saying so when it is undone.
TEST_F(EntryListTest, AnEditMarksTheOtherRowsOfItsSourceSuggested) {
    open(writeText("doc.zyt", 2, {"", "Fin", ""}), true);
    session.setReference(std::move(
        *ReadTextFile(state.files(), writeText("ref.zyt", 2, {"Hello", "End", "Hello"}), true)));
    session.setTranslationMemory(std::make_shared<TranslationMemory>());
    EXPECT_EQ(status(2), "untranslated");
    commit("Bonjour");
    EXPECT_EQ(status(2), "untranslated, suggestion");
    session.undoStack()->undo();
    EXPECT_EQ(status(2), "untranslated");
}

// The list's filter holds while the list is open: closed, the loop goes through every entry;
// opened again, the filter it shows filters again.
TEST_F(EntryListTest, TheFilterHoldsOnlyWhileTheListIsOpen) {
    window->show();
    open(writeText("doc.zyt", 2, {"Porte", "Cle", "Porte bleue"}), true);
    frmEntries& list = entries();
    list.txtFilter()->setText("Porte");
    EXPECT_EQ(shownEntries(), (std::vector<int>{0, 2}));
    // The list is closed as its dock is.
    window->entriesDock()->close();
    EXPECT_EQ(shownEntries(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(session.keepAndGo(0, "Porte", true), 1);
    entries();
    EXPECT_EQ(list.txtFilter()->text(), "Porte");
    EXPECT_EQ(shownEntries(), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.lstEntries()->model()->rowCount(), 2);
}

// The memory sources window lists the session's sources, adds one once, removes the one chosen,
// and hands the whole list to the session on OK only.
TEST_F(EntryListTest, TheMemorySourcesWindowKeepsEverySourceItIsNotToldToRemove) {
    const std::vector<std::string> sources{dir.write("a.po", ""), dir.write("b.hqr", ""),
                                           dir.write("c.po", "")};
    session.setMemorySources({sources[0], sources[1]});
    {
        frmMemorySources dialog(session, prompts, window.get());
        ASSERT_EQ(dialog.lstSources()->count(), 2);
        prompts.chooseFile(fromNative(sources[2])).chooseFile(fromNative(sources[0]));
        dialog.cmdAdd_Click();
        dialog.cmdAdd_Click();
        EXPECT_EQ(dialog.lstSources()->count(), 3) << "a source already listed is not added";
        dialog.reject();
    }
    EXPECT_EQ(session.memorySources(), (std::vector<std::string>{sources[0], sources[1]}));

    frmMemorySources dialog(session, prompts, window.get());
    prompts.chooseFile(fromNative(sources[2]));
    dialog.cmdAdd_Click();
    dialog.lstSources()->setCurrentRow(1);
    dialog.cmdRemove_Click();
    dialog.accept();
    EXPECT_EQ(session.memorySources(), (std::vector<std::string>{sources[0], sources[2]}));
}

} // namespace
} // namespace zyn::test
