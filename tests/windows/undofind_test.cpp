// The Edit menu over the session's undo stack, the Find and Replace windows, and the keys of the
// main window.

#include "mainwindowfixture.h"
#include "windows/entrytypes.h"
#include "windows/frmeditor.h"
#include "windows/frmfind.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

namespace zyn::test {
namespace {

class UndoFindTest : public MainWindowTest {
protected:
    // A ZYN 2 document of the entries, opened in a shown, active main window.
    void openShown(const std::vector<std::string>& entries) {
        start().show();
        open(writeText("doc.zyt", 2, entries), true);
        activate(window.get());
    }
    static void activate(QWidget* widget) {
        widget->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget));
    }
    void key(QKeySequence sequence) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget()
                                                      : QApplication::activeWindow();
        QTest::keyClick(target, sequence[0].key(), sequence[0].keyboardModifiers());
    }
    void click(QWidget* window, const char* button) {
        window->findChild<QPushButton*>(button)->click();
    }
    void undo() { window->menuItem("mnuEditUndo")->trigger(); }
    int current() const { return session.currentEntry(); }
};

// Undo shows the entry it changes back, Save follows the stack's clean state, and the menus
// follow the version a conversion and its undo leave.
TEST_F(UndoFindTest, TheEditMenuUndoesThroughTheSessionAndTheWindowFollows) {
    openShown({"One", "Two", "Three"});
    window->selectEntry(1);
    window->menuItem("mnuTypeDemo")->trigger();
    window->selectEntry(2);
    undo();
    EXPECT_EQ(selectedEntry(), "2");
    EXPECT_TRUE(itemChecked("mnuTypeNormal") && !itemEnabled("mnuFileSave"));

    window->menuItem("mnuFileConvertFile")->trigger();
    EXPECT_FALSE(itemEnabled("mnuFileConvertFile") || itemEnabled("mnuType"));
    EXPECT_EQ(window->menuItem("mnuFileConvertFile")->text(), "&Can't convert not-loaded file");
    EXPECT_EQ(window->backgroundPicture(), Zyn1Picture);
    EXPECT_EQ(window->frontColor(), DefaultFrontColor);
    undo();
    EXPECT_TRUE(itemEnabled("mnuType"));
    EXPECT_EQ(window->backgroundPicture(), 5000);
    EXPECT_EQ(window->menuItem("mnuFileConvertFile")->text(),
              "&Convert file from ZYN 2 to ZYN 1 format");
}

TEST_F(UndoFindTest, FindAndReplaceWalkTheEntries) {
    openShown({"The cat sat", "Catalog", "A dog", "the CAT", "cat"});
    key(Qt::CTRL | Qt::Key_F);
    frmFind* find = window->findWindow();
    ASSERT_TRUE(find && find->isVisible());
    EXPECT_EQ(find->parentWidget(), window.get()) << "tied to the main window";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == find; }));
    EXPECT_EQ(QApplication::focusWidget(), find->Text1());

    QTest::keyClicks(find->Text1(), "cat");
    QTest::keyClick(find->Text1(), Qt::Key_Return);
    EXPECT_EQ(current(), 1);
    // Whole words skip "Catalog".
    window->selectEntry(0);
    find->Check2()->setChecked(true);
    click(find, "Command1");
    EXPECT_EQ(current(), 3);
    QTest::keyClick(find->Text1(), Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());

    // F3 and Shift+F3 from the main window search for the same text, whole words.
    activate(window.get());
    key(Qt::Key_F3);
    EXPECT_EQ(current(), 4);
    key(Qt::SHIFT | Qt::Key_F3);
    EXPECT_EQ(current(), 3);
    session.setSearch("bird", {});
    window->mnuEditFindNext_Click();
    EXPECT_EQ(lastShown().text, "No entry holds \"bird\".");
    EXPECT_EQ(current(), 3);

    // Replace changes the current entry, then finds the next (matching case, so not "Catalog"
    // nor "CAT"); Replace All every entry, a character the set lacks as its stand-in (said below
    // the field), unless the replacement holds one without a stand-in.
    key(Qt::CTRL | Qt::Key_H);
    frmFind* replace = window->replaceWindow();
    ASSERT_TRUE(replace && replace->isVisible());
    replace->Text1()->setText("cat");
    replace->Text2()->setText("dog");
    replace->Check1()->setChecked(true);
    window->selectEntry(0);
    click(replace, "Command3");
    EXPECT_EQ(session.document().EntryText[0], "The dog sat");
    EXPECT_EQ(current(), 4);
    undo();
    replace->Check1()->setChecked(false);
    click(replace, "Command4");
    EXPECT_EQ(lastShown().text, "4 entries changed.");
    EXPECT_EQ(session.document().EntryText[3], "the dog");
    EXPECT_TRUE(replace->lblStandIns()->isHidden());
    undo();
    replace->Text2()->setText(QString::fromUtf8("dog…"));
    EXPECT_EQ(replace->lblStandIns()->text(), QString::fromUtf8("Written as: … → ..."));
    EXPECT_FALSE(replace->lblStandIns()->isHidden());
    click(replace, "Command4");
    EXPECT_EQ(session.document().EntryText[3], "the dog...");
    replace->Text2()->setText(QString::fromUtf8("dog中"));
    click(replace, "Command4");
    EXPECT_TRUE(lastShown().text.startsWith("Nothing was replaced: the Western European CharSet"));
}

TEST_F(UndoFindTest, EveryKeyOfTheMainWindow) {
    openShown({"A", "B", "C"});
    const struct {
        QKeySequence key;
        int entry; // the current entry afterwards
    } moves[] = {
        {Qt::Key_PageUp, 0},         {Qt::Key_PageDown, 1},        {Qt::Key_PageDown, 2},
        {Qt::Key_PageDown, 2},       {Qt::Key_PageUp, 1},          {Qt::Key_PageUp, 0},
        {Qt::CTRL | Qt::Key_End, 2}, {Qt::CTRL | Qt::Key_Home, 0}, {Qt::CTRL | Qt::Key_End, 2},
    };
    for (const auto& m : moves) {
        key(m.key);
        EXPECT_EQ(selectedEntry().toInt(), m.entry + 1) << m.key.toString().toStdString();
    }

    for (QKeySequence edit :
         {QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        key(edit);
        ASSERT_TRUE(window->editor() && window->editor()->isVisible())
            << edit.toString().toStdString();
        window->editor()->close();
        activate(window.get());
    }

    commit("Changed");
    key(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(shown(), "C");
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(shown(), "Changed");
    key(Qt::CTRL | Qt::Key_Z);
    key(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(shown(), "Changed");
    key(Qt::CTRL | Qt::Key_S);
    EXPECT_FALSE(session.Modified());

    // The dialogs of Open and Save As, cancelled, and Exit.
    prompts.chooseFile({}).chooseFile({});
    key(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(lastShown().dialog.title, "Load ZYN text file");
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(lastShown().dialog.title, "Save ZYN text file as");
    key(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace zyn::test
