// The character map of the string editor: paging, what the cells show, and insertion.

#include "editorfixture.h"

#include <QLabel>
#include <QScrollBar>
#include <QtTest/QTest>

namespace zyn::test {
namespace {

using CharacterMapTest = EditorTest;

TEST_F(CharacterMapTest, PagesThroughTheCodes) {
    editEntry({"x"});
    frmTable& map = characterMap();
    const DisplayCodec& codec = editor().displayCodec();
    const struct {
        int value;
        const char* range;
    } pages[] = {
        {0, "Range of characters displayed: 0 to 31."},
        {224, "Range of characters displayed: 224 to 255."},
        {100, "Range of characters displayed: 100 to 131."},
    };
    for (const auto& page : pages) {
        map.HScroll1()->setValue(page.value);
        EXPECT_EQ(map.Label4()->text(), page.range);
        for (int i = 0; i < frmTable::CellCount; ++i) {
            const int code = page.value + i;
            EXPECT_EQ(map.findChild<QLabel*>(QStringLiteral("Label2_%1").arg(i))->text(),
                      QString::number(code));
            EXPECT_EQ(map.cellByte(i), code);
            if (code >= 32 && code != 127) {
                const QChar glyph = codec.charFor(static_cast<std::uint8_t>(code));
                EXPECT_EQ(map.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i))->text(),
                          QString(glyph));
            }
        }
    }
    EXPECT_EQ(map.HScroll1()->maximum(), 224);
    EXPECT_EQ(map.Label1(27)->text(), "DEL") << "control codes are named";

    // Dragging the thumb pages as it goes.
    map.HScroll1()->setSliderDown(true);
    map.HScroll1()->setSliderPosition(7);
    EXPECT_EQ(map.Label2(0)->text(), "7");
    EXPECT_EQ(map.Label1(6)->text(), "CR");
    map.HScroll1()->setSliderDown(false);
}

TEST_F(CharacterMapTest, DoubleClickReplacesTheSelection) {
    editEntry({"abcd"});
    frmTable& map = characterMap();
    select(1, 3);
    map.HScroll1()->setValue(64);

    QTest::mouseDClick(map.Label1(1), Qt::LeftButton);
    EXPECT_EQ(editor().EditedText(), "aAd");
    EXPECT_TRUE(map.isHighlighted(1)) << "the cell lights up";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !map.isHighlighted(1); }));

    QTest::mouseDClick(map.Label1(2), Qt::LeftButton);
    EXPECT_EQ(editor().EditedText(), "aABd") << "then at the caret";
    map.HScroll1()->setValue(0);
    QTest::mouseDClick(map.Label1(0), Qt::LeftButton);
    EXPECT_EQ(editor().EditedText(), std::string("aAB\0d", 5));
}

TEST_F(CharacterMapTest, ARemappingTableChangesCellsAndInsertion) {
    // A ".set" table: its first byte is for code 1, code 0 always shows as 0.
    std::string set(255, 'z');
    set[0] = '1';
    set['A' - 1] = '#';
    prompts.chooseFile(QString::fromStdString(dir.write("table.SeT", set)));
    window->mnuExtraLoadChr_Click();
    ASSERT_TRUE(state.RemapLoaded);

    editEntry({"x"});
    frmTable& map = characterMap();
    EXPECT_EQ(map.cellByte(0), 0);
    EXPECT_EQ(map.cellByte(1), '1');
    EXPECT_EQ(map.cellByte(2), 'z');
    map.HScroll1()->setValue('A');
    EXPECT_EQ(map.Label1(0)->text(), "#");

    // The keyboard groups play no part in what a cell inserts.
    window->mnuKeybGreek_Click();
    caretAtEnd();
    map.Label1_DblClick(0);
    EXPECT_EQ(editor().EditedText(), "z#");
}

TEST_F(CharacterMapTest, FollowsTheEditor) {
    editEntry({"x"});
    frmTable& map = characterMap();
    map.HScroll1()->setValue(40);

    // Closed by the user it hands the keyboard back to the editor and keeps its page for the
    // next Alt+C.
    map.activateWindow();
    map.close();
    EXPECT_FALSE(map.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &box(); }));
    EXPECT_EQ(&characterMap(), &map);
    EXPECT_TRUE(map.isVisible());
    EXPECT_EQ(map.PageStart(), 40);

    editor().hide();
    EXPECT_FALSE(map.isVisible());
    editor().show();
    closeEditor();

    // A new editor brings a new map, starting at code 0.
    window->barButton(12)->click();
    EXPECT_EQ(editor().characterMap(), nullptr);
    EXPECT_EQ(characterMap().PageStart(), 0);
}

} // namespace
} // namespace zyn::test
