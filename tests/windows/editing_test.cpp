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
#include <QScrollBar>
#include <QTimer>
#include <QUndoStack>
#include <QWindow>
#include <QtTest/QTest>
#include <map>

namespace zyn::test {
namespace {

class EditorTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // A ZYN 1 document of the given entries, opened, with the editor on entry index.
    frmEditor& editEntry(const std::vector<std::string>& entries, int index = 0) {
        // A new name each time: opening the file already loaded would not read it again.
        open(writeText(("edit" + std::to_string(++opened_) + ".zyt").c_str(), 1, entries), false);
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

    using MainWindowTest::loadTable;
    // A ".cmp" table, identity except for the given slots, loaded through the menu.
    void loadTable(const std::map<int, int>& changes) {
        std::string bytes;
        for (int k = 0; k < 256; ++k)
            bytes.push_back(static_cast<char>(changes.count(k) ? changes.at(k) : k));
        loadTable(dir.write("table.cmp", bytes));
        ASSERT_TRUE(state.Characters.RemapLoaded);
    }

    frmTable& characterMap() {
        editor().Command1_Click();
        return *editor().characterMap();
    }

private:
    int opened_ = 0;
};

TEST_F(EditorTest, OpensOnTheEntryAndHandsItsTextBackOnTheTimersTick) {
    frmEditor& edit = editEntry({"One", "Two @ lines"}, 1);
    EXPECT_EQ(edit.windowTitle(), "String no. 2");
    EXPECT_EQ(box().toPlainText(), "Two\nlines");
    EXPECT_EQ(box().palette().color(QPalette::Text), colorFromValue(DefaultFrontColor));
    EXPECT_FALSE(window->isEnabled());
    EXPECT_FALSE(window->close()) << "nor can it be closed under the editor";
    closeEditor();
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(state.Document.Modified || buttonEnabled(3)) << "an unchanged text is not stored";

    window->barButton(12)->click();
    type("!\nBye");
    editor().close();
    EXPECT_EQ(state.Document.EntryText[1], "Two\r\nlines") << "nothing is stored before the tick";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->Timer1()->isActive(); }));
    EXPECT_EQ(state.Document.EntryText[1], "Two\r\nlines!\r\nBye");
    EXPECT_TRUE(state.Document.Modified && buttonEnabled(3));
    EXPECT_EQ(window->Label2()->text(), "Two\nlines!\nBye");

    // A ZYN 2 entry is edited in its type's colour.
    prompts.answer(Answer::No);
    open(writeText("two.zyt", 2, {"Radio"}, {33}), true);
    window->barButton(12)->click();
    EXPECT_EQ(box().palette().color(QPalette::Text), colorFromValue(GetForeColorA(33)));
}

// A group item moves the menu's one check mark, also chosen twice; what is typed then goes
// through the group's code page and the remapping table.
TEST_F(EditorTest, KeysPassThroughTheGroupAndTheTable) {
    const struct {
        const char* group;
        std::map<int, int> table; // empty: no remapping table
        const char* typed;        // UTF-8
        std::string expected;     // the entry "ab" after typing
    } cases[] = {
        {"mnuKeybNone", {}, "é", "ab\xe9"},
        {"mnuKeybWest", {}, "éЖ", "ab\x82"}, // not in the group's code page
        // Alef and tav are typed 32 below their code page's codes; a vowel point not at all.
        {"mnuKeybHeb", {}, "את\u05B0", "ab\x80\x9a"},
        {"mnuKeybWest", {{130, 200}}, "é", "ab\xc8"},
        {"mnuKeybNone", {{'x', 0}}, "xyx", "aby"}, // slot 0 swallows the key
        // Backspace passes through the table too; Enter is a line break whatever the table does.
        {"mnuKeybWest", {}, "\b\n", "a\r\n"},
        {"mnuKeybNone", {{8, 'Q'}, {13, 0}}, "\b\n", "abQ\r\n"},
    };
    for (const auto& c : cases) {
        // A table stays for the rest of a run; each case starts as a new run would.
        state.Characters.RemapLoaded = false;
        state.Characters.RemapTable = {};
        state.Document.Modified = false;
        start();
        window->menuItem(c.group)->trigger();
        window->menuItem(c.group)->trigger();
        for (const QAction* item : window->findChild<QMenu*>("mnuKeybGroups")->actions())
            EXPECT_EQ(item->isChecked(), item->objectName() == c.group)
                << item->objectName().toStdString();
        if (!c.table.empty())
            loadTable(c.table);
        editEntry({"ab"});
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(editor().EditedText(), c.expected) << c.typed;
        editor().close();
    }
}

TEST_F(EditorTest, EveryByteAccessKeysComposedAndPastedText) {
    window->mnuKeybWest_Click();
    editEntry({"abc"});
    type("\b");
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, QStringLiteral("x"));
    QApplication::sendEvent(&box(), &alt);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ü"));
    QApplication::sendEvent(&box(), &composed);
    EXPECT_EQ(editor().EditedText(), "ab\x81") << "Alt+X is no text, composed text is typed";

    // Pasted text is not typed, and what no byte shows becomes "?" at once.
    box().clear();
    QApplication::clipboard()->setText(QString::fromUtf8("é中"));
    box().paste();
    EXPECT_EQ(box().toPlainText(), QString::fromUtf8("é?"));
    EXPECT_EQ(editor().EditedText(), "\x82?");

    // Some character sets show bytes as no-break spaces, which a text box's plain text folds.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    for (int set : {13, 5}) {
        window->Combo1()->setCurrentIndex(set);
        window->Combo1_Click();
        editEntry({"x"}).setText(all);
        EXPECT_EQ(editor().EditedText(), all) << "character set " << set;
        editor().setText("x");
        editor().close();
    }
}

// The stand-in font is made smaller until every character fits a cell, with what lies below the
// baseline: "_" shows. The control codes' symbols, in no installed font, come from the program's
// own font after the display font, in the preview, the editor and the map: each visible, each
// different.
TEST_F(EditorTest, TheCharacterMapFitsItsFontToTheCellsAndShowsEachControlCode) {
    editEntry({"_"});
    frmTable& map = characterMap();
    for (const QWidget* shown :
         {static_cast<QWidget*>(window->Label2()), static_cast<QWidget*>(&box()),
          static_cast<QWidget*>(map.Label1(0))}) {
        EXPECT_EQ(shown->font().families().back(), ControlFontFamily);
        EXPECT_NE(QFontInfo(shown->font()).family(), ControlFontFamily) << "only a fallback";
    }
    for (int start = 0; start <= frmTable::LastPageStart; start += frmTable::CellCount) {
        map.HScroll1()->setValue(start);
        for (int i = 0; i < frmTable::CellCount; ++i) {
            const QLabel& cell = *map.Label1(i);
            const QFontMetricsF metrics(cell.font());
            EXPECT_LE(metrics.height(), cell.contentsRect().height()) << start + i;
            EXPECT_LE(metrics.boundingRect(cell.text()).width(), cell.contentsRect().width())
                << start + i;
        }
    }
    auto drawn = [&](int i) {
        return map.Label1(i)->grab(map.Label1(i)->contentsRect()).toImage();
    };
    auto ink = [](const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        return dark;
    };
    map.HScroll1()->setValue('_');
    EXPECT_GT(ink(drawn(0)), 10);
    map.HScroll1()->setValue(0);
    std::vector<QImage> controls;
    for (int code = 0; code < frmTable::CellCount; ++code) {
        controls.push_back(drawn(code));
        EXPECT_GT(ink(controls.back()), 60) << code;
        for (int other = 0; other < code; ++other)
            EXPECT_NE(controls.back(), controls[static_cast<std::size_t>(other)])
                << code << " " << other;
    }
}

// Tied to the main window, the editor stays above it: the window manager keeps a transient
// window over its parent, also when the disabled main window is clicked; the preview under it
// keeps its colours. Alt+C opens the editor's one character map, tied to the editor in turn; it
// pages through the codes, puts a double-clicked code in place of the selection, keeps its page
// when closed and goes with its editor.
TEST_F(EditorTest, TheEditorAndItsOneCharacterMapAreTiedToTheirOwners) {
    open(writeText("colours.zyt", 2, {"abcd"}, {17}), true);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto preview = [&] {
        return window->centralWidget()->grab(QRect(0, 0, 640, 480)).toImage();
    };
    const QImage before = preview();
    window->barButton(12)->click();
    frmEditor& edit = editor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    // Window systems keep only dialogs and tool windows above their transient parents.
    EXPECT_EQ(edit.windowType(), Qt::Dialog);
    ASSERT_NE(edit.windowHandle(), nullptr);
    EXPECT_EQ(edit.windowHandle()->transientParent(), window->windowHandle());
    EXPECT_TRUE(edit.isEnabled() && box().isEnabled()) << "the one window that works meanwhile";
    for (int press = 0; press < 2; ++press) {
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
        QTest::keyClick(&box(), Qt::Key_C, Qt::AltModifier);
        // A button's access key clicks it with a short delay.
        EXPECT_TRUE(QTest::qWaitFor([&] { return edit.characterMap() != nullptr; }));
        QTest::qWait(150);
    }
    EXPECT_EQ(edit.findChildren<frmTable*>().size(), 1);
    frmTable& map = *edit.characterMap();
    EXPECT_TRUE(map.isVisible() && map.isEnabled());
    EXPECT_EQ(map.windowType(), Qt::Dialog);
    EXPECT_EQ(map.windowHandle()->transientParent(), edit.windowHandle());
    EXPECT_EQ(edit.EditedText(), "abcd");
    EXPECT_EQ(preview(), before);

    EXPECT_EQ(map.HScroll1()->maximum(), 224);
    for (int start : {0, 224, 100}) {
        map.HScroll1()->setValue(start);
        EXPECT_EQ(
            map.Label4()->text(),
            QStringLiteral("Range of characters displayed: %1 to %2.").arg(start).arg(start + 31));
        EXPECT_EQ(map.Label2(31)->text(), QString::number(start + 31));
    }
    EXPECT_EQ(map.Label1(0)->text(), QString(edit.displayCodec().charFor(100)));
    EXPECT_EQ(map.Label1(27)->text(), QString(QChar(0x2421))) << "DEL shows its symbol";

    QTextCursor cursor = box().textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    box().setTextCursor(cursor);
    map.HScroll1()->setValue(64);
    QTest::mouseDClick(map.Label1(1), Qt::LeftButton);
    EXPECT_EQ(edit.EditedText(), "aAd");
    QTest::mouseDClick(map.Label1(2), Qt::LeftButton);
    EXPECT_EQ(edit.EditedText(), "aABd") << "then at the caret";
    map.HScroll1()->setValue(0);
    QTest::mouseDClick(map.Label1(0), Qt::LeftButton);
    EXPECT_EQ(edit.EditedText(), std::string("aAB\0d", 5));

    map.HScroll1()->setValue(40);
    map.close();
    EXPECT_EQ(&characterMap(), &map);
    EXPECT_EQ(map.PageStart(), 40);
    QPointer<frmTable> old = &map;
    closeEditor();
    EXPECT_TRUE(!old || !old->isVisible());
}

// The preview and the editor show the display form; only entries edited in it are mapped back,
// and a character no slot holds stops the save instead of ending its entry. A refused table and a
// cancelled dialog change nothing.
TEST_F(EditorTest, ATableRemapsPreviewAndEditorAndOnlyEditedEntriesAreMappedBack) {
    open(writeText("cats.zyt", 1,
                   {"a cat", "a bat",
                    "x\xFA"
                    "A"}),
         false);
    prompts.clearLog();
    loadTable(dir.write("short.cmp", std::string(255, 'x')));
    loadTable("");
    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_TRUE(prompts.shown()[1].text.contains("too short"));
    EXPECT_EQ(shown(), "a cat");
    EXPECT_FALSE(itemEnabled("mnuConvert"));

    // Game codes 250 and "A" both show as "A"; nothing shows as 200.
    loadTable({{'a', 'b'}, {'b', 'a'}, {250, 'A'}, {200, 201}});
    const auto& dialog = prompts.shown().at(0).dialog;
    EXPECT_EQ(dialog.title, "Load character remapping file");
    EXPECT_EQ(window->caption1(), "b cbt");
    EXPECT_EQ(shown(), "b cbt");
    EXPECT_FALSE(itemEnabled("mnuExtraLoadChr"));
    EXPECT_TRUE(itemEnabled("mnuConvert"));

    // Opened and closed unchanged, an entry keeps its codes.
    for (const int entry : {0, 2}) {
        window->selectEntry(entry);
        window->barButton(12)->click();
        closeEditor();
    }
    EXPECT_EQ(state.Document.EntryText[2], "x\xFA"
                                           "A");
    EXPECT_FALSE(state.Document.Modified);
    window->selectEntry(0);
    window->barButton(12)->click();
    EXPECT_EQ(editor().EditedText(), "b cbt");
    // A map cell shows and inserts its table slot, whatever keyboard group is chosen.
    window->mnuKeybGreek_Click();
    frmTable& map = characterMap();
    map.HScroll1()->setValue('a');
    EXPECT_EQ(map.Label1(0)->text(), "b");
    map.Label1_DblClick(1);
    EXPECT_EQ(editor().EditedText(), "ab cbt");
    editor().setText("b dbt\xC8");
    closeEditor();
    EXPECT_EQ(state.Document.EntryText[0], "b dbt\xC8");
    window->mnuFileSave_Click();
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_TRUE(lastShown().text.contains(QString::fromUtf8("entry 1 holds the character "
                                                            "\"\u255A\" (code 200)")))
        << lastShown().text.toStdString();
    EXPECT_TRUE(state.Document.Modified);
    commit("b dbt");
    window->mnuFileSave_Click();
    EXPECT_EQ(readBytes(state.Document.FilePath), TextFileBuilder(1)
                                                      .entry("a dat")
                                                      .entry("a bat")
                                                      .entry("x\xFA"
                                                             "A")
                                                      .bytes());

    // Neither shown, edited nor converted, an entry in display form is mapped a second time.
    window->selectEntry(1);
    EXPECT_EQ(shown(), "b abt");
    window->menuItem("mnuConvert")->trigger();
    EXPECT_EQ(state.Document.EntryText[1], "b abt");
    EXPECT_TRUE(state.Document.Modified) << "converting is a step of the undo stack";
    window->menuItem("mnuEditUndo")->trigger();
    EXPECT_EQ(state.Document.EntryText[1], "a bat");
    EXPECT_FALSE(state.Document.Modified) << "undone back to the saved state";
    window->menuItem("mnuEditRedo")->trigger();
    EXPECT_EQ(state.Document.EntryText[1], "b abt");
    window->selectEntry(0);
    EXPECT_EQ(shown(), "b dbt");
    window->barButton(12)->click();
    EXPECT_EQ(editor().EditedText(), "b dbt");
    closeEditor();
    EXPECT_EQ(state.Document.EntryText[0], "b dbt");

    // Another open starts with every entry in game codes: an untouched entry saves as it was.
    prompts.answer(Answer::No);
    open(writeText("dogs.zyt", 1, {"a dog", "x"}), false);
    window->selectEntry(1);
    commit("y");
    window->mnuFileSave_Click();
    EXPECT_EQ(readBytes(state.Document.FilePath),
              TextFileBuilder(1).entry("a dog").entry("y").bytes());
}

TEST_F(EditorTest, OrdinalsFillTheCharacterSetSelector) {
    open(writeText("two.zyt", 1, {"a", "b"}), false);
    prompts.clearLog();
    // One line per table slot: the file's group, the slot after it read as 0, then a slot the
    // file does not reach.
    state.Document.Ordinals[2] = 77;
    prompts.chooseFile(QString::fromStdString(dir.write("x.ord", "\xff\x7f")));
    window->mnuExtraOrdinal_Click();

    const auto& dialog = prompts.shown().at(0).dialog;
    EXPECT_EQ(dialog.title, "Load ZYN text ordinal file");
    auto lines = [&] {
        QStringList texts;
        for (int i = 0; i < window->Combo1()->count(); ++i)
            texts << window->Combo1()->itemText(i);
        return texts;
    };
    EXPECT_EQ(lines(), (QStringList{"32767", "0", "77"}));
    EXPECT_EQ(window->characterSet(), 0) << "loading chooses no character set";

    // Picking a line chooses the character set of its position.
    window->Combo1()->setCurrentIndex(2);
    window->Combo1_Click();
    EXPECT_EQ(window->characterSet(), 204);

    // A file the loader refuses leaves the lines as they are.
    prompts.chooseFile(QString::fromStdString(dir.write("big.ord", std::string("\x00\x80", 2))));
    window->mnuExtraOrdinal_Click();
    EXPECT_EQ(lastShown().kind, Kind::Notice);
    EXPECT_EQ(lines(), (QStringList{"32767", "0", "77"}));
}

} // namespace
} // namespace zyn::test
