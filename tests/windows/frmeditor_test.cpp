// The string editor: what it opens with, how keys become game codes, and what it hands back.

#include "editorfixture.h"
#include "windows/entrytypes.h"
#include "windows/typedcode.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QtTest/QTest>

namespace zyn::test {
namespace {

TEST(TypedCode, IsTheCharactersCodeInTheGroupsCodePage) {
    const struct {
        const char* character;
        KeyboardGroup group;
        int code; // -1: the code page has no such character
    } cases[] = {
        {"é", KeyboardGroup::None, 233},   {"€", KeyboardGroup::West, 128},
        {"č", KeyboardGroup::SloCze, 232}, {"α", KeyboardGroup::Greek, 225},
        {"Ж", KeyboardGroup::RusUkr, 198}, {"א", KeyboardGroup::Hebrew, 192},
        {"ת", KeyboardGroup::Hebrew, 218}, {"\u05B0", KeyboardGroup::Hebrew, -1}, // a vowel point
        {"α", KeyboardGroup::West, -1},    {"中", KeyboardGroup::None, -1},
    };
    for (const auto& c : cases) {
        const std::optional<std::uint8_t> code = TypedCode(QString::fromUtf8(c.character), c.group);
        EXPECT_EQ(code ? int{*code} : -1, c.code) << c.character;
    }
}

TEST_F(EditorTest, OpensOnTheCurrentEntry) {
    frmEditor& edit = editEntry({"One", "Two @ lines"}, 1);
    EXPECT_EQ(edit.windowTitle(), "String no. 2");
    EXPECT_EQ(box().toPlainText(), "Two\nlines");
    EXPECT_EQ(box().palette().color(QPalette::Text), colorFromValue(DefaultFrontColor));
    EXPECT_FALSE(window->isEnabled());
    EXPECT_FALSE(window->close()) << "nor can it be closed under the editor";
    EXPECT_FALSE(edit.rect().intersects(edit.Command1()->geometry())) << "the button is unseen";
    edit.close();

    open(writeText("two.zyt", 2, {"Radio"}, {33}), true);
    window->barButton(12)->click();
    EXPECT_EQ(editor().windowTitle(), "String no. 1");
    EXPECT_EQ(box().palette().color(QPalette::Text), colorFromValue(GetForeColorA(33)));
}

TEST_F(EditorTest, ClosingHandsTheTextBackForTheTimer) {
    editEntry({"Same", "Hi"}, 0);
    editor().close();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    EXPECT_FALSE(state.Modified) << "an unchanged text is not stored";

    window->selectEntry(1);
    window->barButton(12)->click();
    caretAtEnd();
    type("!");
    press(Qt::Key_Return);
    type("Bye");
    editor().close();
    EXPECT_EQ(state.EntryText[1], "Hi") << "nothing is stored before the tick";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    EXPECT_EQ(state.EntryText[1], "Hi!\r\nBye");
    EXPECT_TRUE(state.Modified);
    EXPECT_TRUE(buttonEnabled(3));
    EXPECT_EQ(window->Label2()->text(), "Hi!\nBye");
}

TEST_F(EditorTest, EveryByteComesBackUnchanged) {
    // Some character sets show bytes as no-break spaces, which a text box's plain text folds.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    for (int set : {13, 5, 2}) {
        window->Combo1()->setCurrentIndex(set);
        window->Combo1_Click();
        editEntry({"x"});
        editor().setText(all);
        EXPECT_EQ(editor().EditedText(), all) << "character set " << set;
        editor().setText("x");
        editor().close();
    }
}

TEST_F(EditorTest, KeysPassThroughTheGroupAndTheTable) {
    const struct {
        void (frmText::*group)();
        std::map<int, int> table; // empty: no remapping table
        const char* typed;        // UTF-8
        std::string expected;     // bytes after "ab"
    } cases[] = {
        {&frmText::mnuKeybNone_Click, {}, "é", "\xe9"},
        {&frmText::mnuKeybWest_Click, {}, "é×¤", "\x82*?"},
        {&frmText::mnuKeybWest_Click, {}, "Жα中", ""}, // not in the group's code page
        {&frmText::mnuKeybGreek_Click, {}, "Αω", "\x80\xaf"},
        {&frmText::mnuKeybRusUkr_Click, {}, "Ая", "\x80\xbf"},
        {&frmText::mnuKeybWest_Click, {{130, 200}}, "é", "\xc8"},
        {&frmText::mnuKeybNone_Click, {{'x', 0}}, "xyx", "y"},
    };
    for (const auto& c : cases) {
        // A table stays for the rest of a run; each case starts as a new run would.
        state.RemapLoaded = false;
        state.RemapTable = {};
        state.Modified = false;
        start();
        (window.get()->*c.group)();
        if (!c.table.empty())
            loadTable(c.table);
        editEntry({"ab"});
        caretAtEnd();
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(editor().EditedText(), "ab" + c.expected) << c.typed;
        editor().close();
    }
}

TEST_F(EditorTest, EnterAndBackspaceFollowTheTable) {
    editEntry({"ab"});
    caretAtEnd();
    press(Qt::Key_Backspace);
    press(Qt::Key_Enter);
    EXPECT_EQ(editor().EditedText(), "a\r\n");
    editor().close();

    loadTable({{8, 'Q'}, {13, 0}});
    editEntry({"ab"});
    caretAtEnd();
    press(Qt::Key_Backspace);
    press(Qt::Key_Return);
    EXPECT_EQ(editor().EditedText(), "abQ");
}

TEST_F(EditorTest, CommandsComposedAndPastedText) {
    window->mnuKeybWest_Click();
    editEntry({"abc"});
    caretAtEnd();
    press(Qt::Key_X, QStringLiteral("x"), Qt::AltModifier);
    press(Qt::Key_Left);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ü"));
    QApplication::sendEvent(&box(), &composed);
    EXPECT_EQ(editor().EditedText(), "ab\x81"
                                     "c");

    press(Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    press(Qt::Key_Delete, QStringLiteral("\x7f"));
    EXPECT_EQ(editor().EditedText(), "");

    // Pasted text is not typed, and what no byte shows becomes "?" at once.
    QApplication::clipboard()->setText(QString::fromUtf8("é中"));
    box().paste();
    EXPECT_EQ(box().toPlainText(), QString::fromUtf8("é?"));
    EXPECT_EQ(editor().EditedText(), "\x82?");
}

TEST_F(EditorTest, ARemappingTableShowsAndHandsBackTheDisplayForm) {
    loadTable({{'a', 'b'}});
    editEntry({"a cat"});
    EXPECT_EQ(editor().EditedText(), "b cbt");
    closeEditor();
    EXPECT_EQ(state.EntryText[0], "b cbt");
    EXPECT_TRUE(state.Modified);
}

TEST_F(EditorTest, WithATableOnlyEditedEntriesAreMappedBackWhenSaved) {
    loadTable({{'a', 'b'}, {'b', 'a'}});
    editEntry({"a cat", "a bat"});
    closeEditor();
    ASSERT_EQ(state.EntryText[0], "b cbt");
    window->mnuFileSave_Click();

    // The edited entry goes back to game codes; the untouched one keeps the bytes it was read
    // with instead of being mapped back although it was never mapped.
    EXPECT_EQ(readBytes(state.FilePath), TextFileBuilder(1).entry("a cat").entry("a bat").bytes());

    // Shown and edited again, the entry in display form is not mapped a second time.
    window->selectEntry(1);
    window->selectEntry(0);
    EXPECT_EQ(shown(), "b cbt");
    window->barButton(12)->click();
    EXPECT_EQ(editor().EditedText(), "b cbt");
    closeEditor();
    EXPECT_FALSE(state.Modified);
}

TEST_F(EditorTest, AltCOpensOneCharacterMap) {
    frmEditor& edit = editEntry({"x"});
    for (int press = 0; press < 2; ++press) {
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
        QTest::keyClick(&box(), Qt::Key_C, Qt::AltModifier);
        // A button's access key clicks it with a short delay.
        EXPECT_TRUE(QTest::qWaitFor([&] { return edit.characterMap() != nullptr; }));
        QTest::qWait(150);
    }
    EXPECT_EQ(edit.findChildren<frmTable*>().size(), 1);
    EXPECT_TRUE(edit.characterMap()->isVisible());
    EXPECT_EQ(edit.EditedText(), "x");

    QPointer<frmTable> map = edit.characterMap();
    edit.close();
    EXPECT_TRUE(!map || !map->isVisible());
}

} // namespace
} // namespace zyn::test
