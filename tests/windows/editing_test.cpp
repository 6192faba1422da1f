// The string editor and its character map, and the character commands of the main window:
// remapping tables, "&Convert...", keyboard groups and ordinal files.

#include "mainwindowfixture.h"
#include "windows/entrytypes.h"
#include "windows/frmeditor.h"
#include "windows/frmtable.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QUndoStack>
#include <QWindow>
#include <QtTest/QTest>
#include <algorithm>

namespace zyn::test {
namespace {

class EditorTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // A ZYN 1 document of the given entries, opened, with the editor on entry index.
    frmEditor& editEntry(const std::vector<std::string>& entries, int index = 0) {
        // A new name each time: opening the file already loaded would not read it again.
        open(writeText(("edit" + std::to_string(++opened_) + ".zyt").c_str(), 1, entries), false);
        return edit(index);
    }
    // The editor on entry index of the open document.
    frmEditor& edit(int index) {
        window->selectEntry(index);
        window->barButton(12)->click();
        return editor();
    }

    frmEditor& editor() const { return *window->editor(); }
    QPlainTextEdit& box() const { return *editor().Text1(); }

    // Typed at the end of the text as the keyboard delivers it; "\n" is Enter, "\b" backspace.
    void type(const QString& text) {
        box().moveCursor(QTextCursor::End);
        for (QChar c : text) {
            const int key = c == QLatin1Char('\n')   ? Qt::Key_Return
                            : c == QLatin1Char('\b') ? Qt::Key_Backspace
                                                     : Qt::Key_unknown;
            QKeyEvent event(QEvent::KeyPress, key, {}, key == Qt::Key_unknown ? QString(c) : "");
            QApplication::sendEvent(&box(), &event);
        }
    }

    // Closes the editor and lets the main window's timer commit the text.
    void closeEditor() {
        editor().close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    }

    // Extra > Load character remapping of the file at path.
    void loadTable(const std::string& path) {
        prompts.chooseFile(QString::fromStdString(path));
        window->mnuExtraLoadChr_Click();
    }
    // A ".cmp" table, identity except for the given slots, loaded through the menu.
    void loadTable(const std::map<int, int>& changes) {
        std::string bytes;
        for (int k = 0; k < 256; ++k)
            bytes.push_back(static_cast<char>(changes.count(k) ? changes.at(k) : k));
        loadTable(dir.write("table.cmp", bytes));
    }

private:
    int opened_ = 0;
};

// A group item moves the menu's one check mark, also chosen twice; what is typed then goes
// through the group's code page and, once it is loaded, the remapping table.
TEST_F(EditorTest, KeysPassThroughTheGroupAndTheTable) {
    const struct {
        const char* group;
        bool table;
        const char* typed;    // UTF-8
        std::string expected; // the entry "ab" after typing
    } cases[] = {
        {"mnuKeybNone", false, "é", "ab\xe9"},
        {"mnuKeybWest", false, "éЖ", "ab\x82"}, // not in the group's code page
        // What the set shows; a character it lacks as its stand-in, never "?".
        {"mnuKeybLetters", false, "é’«", "ab\x82'\xae"},
        // Alef and tav are typed 32 below their code page's codes; a vowel point not at all.
        {"mnuKeybHeb", false, "את\u05B0", "ab\x80\x9a"},
        {"mnuKeybWest", false, "\b\n", "a\r\n"},
        {"mnuKeybNone", true, "xyx", "aby"}, // slot 0 swallows the key
        {"mnuKeybLetters", true, "xy", "aby"},
        // Backspace passes through the table too; Enter is a line break whatever the table does.
        {"mnuKeybNone", true, "\b\n", "abQ\r\n"},
    };
    for (const auto& c : cases) {
        if (c.table && !state.Characters.RemapLoaded)
            loadTable({{'x', 0}, {8, 'Q'}, {13, 0}});
        window->menuItem(c.group)->trigger();
        window->menuItem(c.group)->trigger();
        for (const QAction* item : window->findChild<QMenu*>("mnuKeybGroups")->actions())
            EXPECT_EQ(item->isChecked(), item->objectName() == c.group)
                << item->objectName().toStdString();
        editEntry({"ab"});
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(editor().EditedText(), c.expected) << c.typed;
        prompts.answer(Answer::Yes); // throw the change away
        QTest::keyClick(&box(), Qt::Key_Escape);
    }
}

// At start-up a letter is typed as the code the chosen set shows it with (every letter of
// every set: the character sets' tests).
TEST_F(EditorTest, TheDefaultGroupTypesWhatTheSetShows) {
    EXPECT_TRUE(itemChecked("mnuKeybLetters"));
    window->Combo1()->setCurrentIndex(5);
    window->Combo1_Click();
    editEntry({"x"}).showBytes({});
    type(QString::fromUtf8("\u03B1\u03C9"));
    EXPECT_EQ(editor().EditedText(), "\xE1\xF9");
}

// A character the set lacks, typed or pasted, goes in as its stand-in, marked in the box; the
// line below names each one and what was refused, wraps at any width, and lasts until the next
// entry.
TEST_F(EditorTest, StandInsAreMarkedAndNamedBelowTheBoxUntilTheNextEntry) {
    editEntry({"", "Deux"});
    type(QString::fromUtf8("s\u0153ur t\u2019attend"));
    EXPECT_EQ(editor().EditedText(), "soeur t'attend");
    const auto marked = [&] {
        QStringList texts;
        for (const QTextEdit::ExtraSelection& mark : box().extraSelections())
            texts << mark.cursor.selectedText();
        return texts;
    };
    EXPECT_EQ(marked(), QStringList({"oe", "'"}));
    const QLabel& line = *editor().lblMessage();
    // Each pair held together where the line wraps.
    EXPECT_EQ(line.text(), QString::fromUtf8(
                               "Replaced: \u0153\u00A0\u2192\u00A0oe, \u2019\u00A0\u2192\u00A0'."));
    type(QString::fromUtf8("\u4E2D!"));
    QApplication::clipboard()->setText(QString::fromUtf8("\u2026"));
    box().paste();
    EXPECT_EQ(editor().EditedText(), "soeur t'attend!...");
    EXPECT_EQ(marked(), QStringList({"oe", "'", "..."}));
    EXPECT_EQ(line.text(),
              QString::fromUtf8("Replaced: \u0153\u00A0\u2192\u00A0oe, \u2019\u00A0\u2192\u00A0', "
                                "\u2026\u00A0\u2192\u00A0.... "
                                "\"\u4E2D\" (U+4E2D) not typed: the Western European CharSet has "
                                "no code for it."));
    // Narrow, the line takes the lines it needs below the box.
    editor().resize(260, 400);
    EXPECT_TRUE(line.wordWrap());
    EXPECT_GE(line.height(), 3 * line.fontMetrics().lineSpacing());
    EXPECT_LE(line.geometry().bottom(), editor().height());
    EXPECT_LT(box().geometry().bottom(), line.y());
    QTest::keyClick(&box(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(editor().entry(), 1);
    EXPECT_TRUE(line.text().isEmpty());
    EXPECT_TRUE(marked().isEmpty());
    EXPECT_EQ(session.document().EntryText[0], "soeur t'attend!...");
}

// Escape closes at once when nothing was changed; with a change it asks first, No the default,
// and No keeps the editor open with the text.
TEST_F(EditorTest, EscapeAsksBeforeThrowingAChangeAway) {
    editEntry({"Un", "Deux"});
    const std::size_t asked = prompts.shown().size();
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(prompts.shown().size(), asked);
    edit(0);
    type("!");
    prompts.answer(Answer::No);
    QTest::keyClick(&box(), Qt::Key_Escape);
    ASSERT_NE(window->editor(), nullptr);
    EXPECT_EQ(lastShown().kind, Kind::YesNo);
    EXPECT_EQ(lastShown().preferred, Answer::No);
    EXPECT_EQ(lastShown().text, "The text of string no. 1 was changed. Throw the change away?");
    EXPECT_EQ(editor().EditedText(), "Un!");
    prompts.answer(Answer::Yes);
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(shown(), "Un");
}

// Under the reference text, the memory's suggestions with their likeness and place; Ctrl+N puts
// suggestion N in place of the whole text, one step the box undoes; the text is handed back as
// one step of the document.
TEST_F(EditorTest, CtrlNumberPutsASuggestionInPlaceOfTheText) {
    open(writeText("memory.zyt", 1, {"", "Fin"}), false);
    session.setReference(std::move(
        *ReadTextFile(state.files(), writeText("ref.zyt", 1, {"Thank you!", "End"}), false)));
    auto memory = std::make_shared<TranslationMemory>();
    memory->add("Thank you!", "Merci %1 !", {"FR_000.DIA", 3});
    memory->add("Thank you all!", "Merci a tous !", {"FR_001.DIA", -1});
    session.setTranslationMemory(memory);
    edit(0);
    const QListWidget& list = *editor().lstSuggestions();
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), "Ctrl+1  Merci %1 !  (100%, FR_000.DIA 4)");
    EXPECT_EQ(list.item(1)->text(), "Ctrl+2  Merci a tous !  (75%, FR_001.DIA)");
    type("abc");
    QTest::keyClick(&box(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(editor().EditedText(), "Merci a tous !");
    QTest::keyClick(&box(), Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(editor().EditedText(), "Merci a tous !");
    box().undo();
    EXPECT_EQ(editor().EditedText(), "abc");
    QTest::keyClick(&box(), Qt::Key_1, Qt::ControlModifier);
    closeEditor();
    EXPECT_EQ(shown(), "Merci %1 !");
    EXPECT_EQ(session.undoStack()->count(), 1);
    // Entry 2 has no suggestion: the list is not shown.
    EXPECT_TRUE(edit(1).lstSuggestions()->isHidden());
}

// Ctrl+Enter keeps the text and opens the next entry, Ctrl+Shift+Enter (the keypad's Enter
// too) the one before, each text kept one step; after the last entry the editor closes, on the
// first it stays. The
// preview shows the text as it is typed, and the line below the box how many lines it takes.
TEST_F(EditorTest, CtrlEnterKeepsTheTextAndOpensTheNextEntry) {
    editEntry({"One", "Two", "Three"});
    type("!");
    EXPECT_EQ(shown(), "One!");
    const int lines = session.previewFit().linesShown();
    EXPECT_EQ(editor().lblFit()->text(), QString("1 of %1 lines").arg(lines));
    QTest::keyClick(&box(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(editor().windowTitle(), "String no. 2");
    type(QString("\n").repeated(lines));
    EXPECT_EQ(editor().lblFit()->text(),
              QString("%1 of %2 lines: does not fit").arg(lines + 1).arg(lines));
    QTest::keyClick(&box(), Qt::Key_Enter,
                    Qt::ControlModifier | Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(editor().windowTitle(), "String no. 1");
    // Before the first entry the editor stays on it, the text kept: Escape asks nothing.
    type("+");
    QTest::keyClick(&box(), Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(editor().windowTitle(), "String no. 1");
    EXPECT_EQ(session.document().EntryText[0], "One!+");
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(session.document().EntryText[0], "One!+");
    edit(2);
    type("?");
    QTest::keyClick(&box(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_EQ(session.document().EntryText[2], "Three?");
    EXPECT_EQ(session.undoStack()->count(), 4) << "each text kept";
}

// The editor opens on the entry, holding the main window, and hands its text back on the
// timer's tick; then what it takes in: access keys, composed and pasted text, every byte, and
// ordinal files in the character set selector.
TEST_F(EditorTest, OpensOnTheEntryAndTakesEveryByteAccessKeysComposedAndPastedText) {
    EXPECT_EQ(editEntry({"One", "Two @ lines"}, 1).windowTitle(), "String no. 2");
    EXPECT_FALSE(window->isEnabled());
    EXPECT_FALSE(window->close()) << "nor can it be closed under the editor";
    type("!\nBye");
    QTest::keyClick(&box(), Qt::Key_W, Qt::ControlModifier); // the close box's key
    EXPECT_EQ(session.document().EntryText[1], "Two\r\nlines")
        << "nothing is stored before the tick";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    EXPECT_EQ(session.document().EntryText[1], "Two\r\nlines!\r\nBye");
    EXPECT_EQ(window->Label2()->text(), "Two\nlines!\nBye");

    prompts.answer(Answer::No);
    window->mnuKeybWest_Click();
    editEntry({"abc"});
    type("\b");
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, QStringLiteral("x"));
    QApplication::sendEvent(&box(), &alt);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ü"));
    QApplication::sendEvent(&box(), &composed);
    EXPECT_EQ(editor().EditedText(), "ab\x81") << "Alt+X is no text, composed text is typed";

    // Pasted text is not typed; with a character no byte shows, it is refused whole.
    box().clear();
    QApplication::clipboard()->setText(QString::fromUtf8("é中"));
    box().paste();
    QApplication::clipboard()->setText(QString::fromUtf8("é"));
    box().paste();
    EXPECT_EQ(editor().EditedText(), "\x82");
    EXPECT_TRUE(editor().lblMessage()->text().contains(QString::fromUtf8("\"中\" (U+4E2D)")));

    // Some character sets show bytes as no-break spaces, which a text box's plain text folds.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    window->Combo1()->setCurrentIndex(5);
    window->Combo1_Click();
    editEntry({"x", "y"}).showBytes(all);
    EXPECT_EQ(editor().EditedText(), all);
    prompts.answer(Answer::Yes);
    QTest::keyClick(&box(), Qt::Key_Escape);

    // One line per table slot: the file's group, the slot after it read as 0, then a slot the
    // file does not reach.
    session.openDocument().Document.Ordinals[2] = 77;
    prompts.chooseFile(QString::fromStdString(dir.write("x.ord", "\xff\x7f")));
    window->mnuExtraOrdinal_Click();

    EXPECT_EQ(lastShown().dialog.title, "Load ZYN text ordinal file");
    const QComboBox& lines = *window->Combo1();
    ASSERT_EQ(lines.count(), 3);
    EXPECT_EQ(lines.itemText(0) + " " + lines.itemText(1) + " " + lines.itemText(2), "32767 0 77");
    EXPECT_EQ(window->characterSet(), 161) << "loading chooses no character set";

    // Picking a line chooses the character set of its position.
    window->Combo1()->setCurrentIndex(2);
    window->Combo1_Click();
    EXPECT_EQ(window->characterSet(), 204);

    // A file the loader refuses leaves the lines as they are.
    prompts.chooseFile(QString::fromStdString(dir.write("big.ord", std::string("\x00\x80", 2))));
    window->mnuExtraOrdinal_Click();
    EXPECT_EQ(lastShown().kind, Kind::Notice);
    EXPECT_EQ(lines.count(), 3);
}

// The stand-in font is made smaller until every character fits a cell, with what lies below the
// baseline: "_" shows. The control codes' symbols, in no installed font, come from the program's
// own font after the display font, in the preview, the editor and the map: each visible, each
// different.
// Tied to the main window, the editor stays above it: the window manager keeps a transient
// window over its parent, also when the disabled main window is clicked; the preview under it
// keeps its colours. Alt+C opens the editor's one character map, tied to the editor in turn; it
// pages through the codes, puts a double-clicked code in place of the selection, keeps its page
// when put away and goes with its editor.
TEST_F(EditorTest, TheEditorAndItsOneCharacterMapAreTiedToTheirOwners) {
    open(writeText("colours.zyt", 2, {"abcd"}, {17}), true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QImage preview = window->centralWidget()->grab(QRect(0, 0, 640, 480)).toImage();
    window->barButton(12)->click();
    frmEditor& edit = editor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    // Window systems keep only dialogs and tool windows above their transient parents.
    EXPECT_EQ(edit.windowType(), Qt::Dialog);
    EXPECT_EQ(edit.windowHandle()->transientParent(), window->windowHandle());
    EXPECT_EQ(box().palette().color(QPalette::Text), colorFromValue(GetForeColorA(17)))
        << "a ZYN 2 entry is edited in its type's colour";
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    QTest::keyClick(&box(), Qt::Key_C, Qt::AltModifier);
    // A button's access key clicks it with a short delay.
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit.characterMap() != nullptr; }));
    frmTable& map = *edit.characterMap();
    EXPECT_TRUE(map.isVisible() && map.isEnabled());
    // The test's screen has no room beside the editor: the map is docked at its bottom, below
    // the text box and the line under it, and the editor stays on the screen.
    ASSERT_TRUE(edit.characterMapDocked());
    EXPECT_EQ(map.parentWidget(), &edit);
    EXPECT_FALSE(map.isWindow());
    EXPECT_GE(map.y(), edit.lblFit()->geometry().bottom());
    EXPECT_GE(map.y(), box().geometry().bottom());
    EXPECT_TRUE(edit.screen()->availableGeometry().contains(edit.frameGeometry()));
    EXPECT_EQ(window->centralWidget()->grab(QRect(0, 0, 640, 480)).toImage(), preview);

    for (const QFont& font : {window->Label2()->font(), box().font(), map.Label1(0)->font()}) {
        EXPECT_EQ(font.families().back(), ControlFontFamily);
        EXPECT_NE(QFontInfo(font).family(), ControlFontFamily) << "only a fallback";
    }
    auto ink = [](const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        return dark;
    };
    std::vector<QImage> controls;
    for (int start = 0; start <= frmTable::LastPageStart; start += frmTable::CellCount) {
        map.HScroll1()->setValue(start);
        for (int i = 0; i < frmTable::CellCount; ++i) {
            QLabel& cell = *map.Label1(i);
            const QFontMetricsF metrics(cell.font());
            EXPECT_LE(metrics.height(), cell.contentsRect().height()) << start + i;
            EXPECT_LE(metrics.boundingRect(cell.text()).width(), cell.contentsRect().width())
                << start + i;
            const QImage drawn = cell.grab(cell.contentsRect()).toImage();
            if (start + i == '_') {
                EXPECT_GT(ink(drawn), 10);
            }
            if (start == 0) {
                EXPECT_GT(ink(drawn), 60) << i;
                EXPECT_EQ(std::count(controls.begin(), controls.end(), drawn), 0) << i;
                controls.push_back(drawn);
            }
        }
    }

    EXPECT_EQ(map.HScroll1()->maximum(), 224);
    map.HScroll1()->setValue(100);
    EXPECT_EQ(map.Label4()->text(), "Range of characters displayed: 100 to 131.");
    EXPECT_EQ(map.Label2(31)->text(), "131");
    EXPECT_EQ(map.Label1(27)->text(), QString(QChar(0x2421))) << "DEL shows its symbol";

    QTextCursor cursor = box().textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    box().setTextCursor(cursor);
    map.HScroll1()->setValue(64);
    QTest::mouseDClick(map.Label1(1), Qt::LeftButton);
    EXPECT_EQ(edit.EditedText(), "aAd");
    map.HScroll1()->setValue(0);
    QTest::mouseDClick(map.Label1(0), Qt::LeftButton);
    EXPECT_EQ(edit.EditedText(), std::string("aA\0d", 4)) << "then at the caret";

    // Docked, Alt+C puts it away and brings it back at its page.
    map.HScroll1()->setValue(40);
    edit.Command1_Click();
    EXPECT_TRUE(map.isHidden());
    edit.Command1_Click();
    EXPECT_TRUE(map.isVisible());
    EXPECT_EQ(edit.characterMap(), &map);
    EXPECT_EQ(map.PageStart(), 40);
    QPointer<frmTable> old = &map;
    closeEditor();
    EXPECT_TRUE(!old || !old->isVisible());
}

// The preview and the editor show the display form, and the character map shows and inserts the
// table's slots. A refused table and a cancelled dialog change nothing.
TEST_F(EditorTest, ATableRemapsPreviewEditorAndMap) {
    open(writeText("cats.zyt", 1, {"a cat", "a bat", "A\xFA"}), false);
    prompts.clearLog();
    loadTable(dir.write("short.cmp", std::string(255, 'x')));
    loadTable("");
    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_TRUE(prompts.shown()[1].text.contains("too short"));
    EXPECT_EQ(shown(), "a cat");
    EXPECT_FALSE(itemEnabled("mnuConvert"));

    // Game codes 250 and "A" both show as "A".
    loadTable({{'a', 'b'}, {'b', 'a'}, {250, 'A'}});
    EXPECT_EQ(prompts.shown().at(0).dialog.title, "Load character remapping file");
    EXPECT_EQ(window->caption1(), "b cbt") << "the shadow too";
    EXPECT_EQ(shown(), "b cbt");
    EXPECT_FALSE(itemEnabled("mnuExtraLoadChr"));
    EXPECT_TRUE(itemEnabled("mnuConvert"));

    EXPECT_EQ(edit(0).EditedText(), "b cbt");
    // A map cell shows and inserts its table slot, whatever keyboard group is chosen.
    window->mnuKeybGreek_Click();
    editor().Command1_Click();
    frmTable& map = *editor().characterMap();
    map.HScroll1()->setValue('a');
    EXPECT_EQ(map.Label1(0)->text(), "b");
    map.Label1_DblClick(1);
    EXPECT_EQ(editor().EditedText(), "ab cbt");
    closeEditor();
    window->menuItem("mnuConvert")->trigger();
    EXPECT_EQ(session.document().EntryText[1], "b abt");
}

} // namespace
} // namespace zyn::test
