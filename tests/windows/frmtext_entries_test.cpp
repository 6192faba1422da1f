// Navigation, entry types, the commit of edited text and the character set of the preview.

#include "mainwindowfixture.h"
#include "windows/entrytypes.h"

#include <QTimer>
#include <QtCore/qtestsupport_core.h>

namespace zyn::test {
namespace {

class EntriesTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    void openThree() { open(writeText("three.zyt", 1, {"A", "B", "C"}), false); }
    void click(int index) { window->barButton(index)->click(); }
};

TEST_F(EntriesTest, NavigatesThroughThreeEntries) {
    openThree();
    click(7);
    click(7);
    EXPECT_EQ(selectedEntry(), "3");
    EXPECT_EQ(shown(), "C");
    click(7);
    EXPECT_EQ(selectedEntry(), "3");
    EXPECT_EQ(state.CurrentEntry, 2);
    click(9);
    EXPECT_EQ(selectedEntry(), "1");
    click(6);
    EXPECT_EQ(state.CurrentEntry, 0);
    EXPECT_EQ(shown(), "A");
    click(10);
    EXPECT_EQ(selectedEntry(), "3");
    click(6);
    EXPECT_EQ(shown(), "B");
    EXPECT_FALSE(state.Modified);

    window->Combo2()->setCurrentIndex(0);
    emit window->Combo2()->activated(0);
    EXPECT_EQ(state.CurrentEntry, 0);
    EXPECT_EQ(shown(), "A");
}

TEST_F(EntriesTest, ADocumentWithoutEntriesShowsNothing) {
    openThree();
    click(10);
    open(dir.write("empty.zyt", std::string("\x02\x00", 2)), true);

    EXPECT_EQ(state.SlotCount, 1);
    EXPECT_EQ(window->Combo2()->count(), 0);
    EXPECT_EQ(window->Label2()->text(), "");
    EXPECT_EQ(window->backgroundPicture(), TitlePicture);
    EXPECT_FALSE(buttonEnabled(10));
    EXPECT_FALSE(itemEnabled("mnuType"));
    EXPECT_TRUE(buttonEnabled(4));
    for (int index : {6, 7, 9, 10})
        window->Toolbar1_ButtonClick(index);
    window->mnuTypeDemo_Click();
    EXPECT_EQ(state.CurrentEntry, 0);
    EXPECT_FALSE(state.Modified);
}

TEST_F(EntriesTest, ChoosingATypeChangesEntryPictureAndColour) {
    open(writeText("types.zyt", 2, {"Normal", "Odd", "Demo"}, {1, 7, 129}), true);
    EXPECT_TRUE(itemChecked("mnuTypeNormal"));
    EXPECT_EQ(window->backgroundPicture(), 5000);

    window->menuItem("mnuTypeDemo")->trigger();
    EXPECT_EQ(state.EntryType[0], 129);
    EXPECT_EQ(window->backgroundPicture(), 4000);
    EXPECT_EQ(window->frontColor(), 16777215u);
    EXPECT_TRUE(buttonEnabled(3));
    EXPECT_TRUE(state.Modified);
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(itemChecked("mnuTypeNormal"));
    EXPECT_EQ(shown(), "Normal");

    // The checked item again changes nothing, not even Modified.
    state.Modified = false;
    window->menuItem("mnuTypeDemo")->trigger();
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(state.Modified);

    // An unknown type: no mark, grey text, the picture of the entry before.
    click(7);
    EXPECT_EQ(window->frontColor(), UnknownTypeColor);
    EXPECT_EQ(window->backgroundPicture(), 4000);
    for (const EntryTypeInfo& type : EntryTypes)
        EXPECT_FALSE(itemChecked(type.menuName)) << type.menuName;
    window->mnuTypeBigFrame_Click();
    EXPECT_EQ(state.EntryType[1], 3);
    EXPECT_EQ(window->backgroundPicture(), 1000);
    EXPECT_TRUE(state.Modified);

    click(10);
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(itemChecked("mnuTypeBigFrame"));
}

TEST_F(EntriesTest, EditedTextIsCommittedByTheTimer) {
    openThree();
    click(7);

    // Closing the editor without a change stores nothing.
    window->commitEditedText("B");
    EXPECT_TRUE(window->Timer1()->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    EXPECT_FALSE(state.Modified);
    EXPECT_FALSE(buttonEnabled(3));

    window->commitEditedText("New\r\ntext");
    EXPECT_EQ(state.EntryText[1], "B") << "nothing is stored before the tick";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    EXPECT_EQ(state.EntryText[1], "New\r\ntext");
    EXPECT_EQ(state.CurrentEntry, 1);
    EXPECT_TRUE(state.Modified);
    EXPECT_TRUE(buttonEnabled(3));
    EXPECT_EQ(window->Label1()->text(), "New\ntext");
    EXPECT_EQ(window->Label2()->text(), "New\ntext");
}

TEST_F(EntriesTest, CharacterSetChangesHowBytesAreShown) {
    openThree();
    window->commitEditedText("\xe1\x82");
    window->Timer1_Timer();
    const QString western = window->Label2()->text();

    window->Combo1()->setCurrentIndex(5);
    emit window->Combo1()->activated(5);
    EXPECT_EQ(window->Combo1()->currentText(), "Greek CharSet");
    EXPECT_EQ(window->characterSet(), 161);
    EXPECT_EQ(window->Label2()->text().at(0), QChar(0x03B1)); // alpha
    EXPECT_NE(window->Label2()->text(), western);
    EXPECT_EQ(window->caption2(), "\xe1\x82");

    prompts.answer(Answer::No); // do not save the edit
    open(writeText("other.zyt", 1, {"X"}), false);
    EXPECT_EQ(window->characterSet(), 161);
}

} // namespace
} // namespace zyn::test
