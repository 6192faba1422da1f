// Remapping tables, "&Convert...", the keyboard group menu and ordinal files in the main window.

#include "mainwindowfixture.h"
#include "support/textfilebuilder.h"

namespace zyn::test {
namespace {

// Every code k shows as k + 1, so the table's effect is plain in any text.
std::string shiftingTable(std::size_t length) {
    std::string bytes;
    for (std::size_t k = 0; k < length; ++k)
        bytes.push_back(static_cast<char>(k + 1));
    return bytes;
}

class CharactersTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    void loadTable(const std::string& path) {
        prompts.chooseFile(QString::fromStdString(path));
        window->mnuExtraLoadChr_Click();
    }
};

TEST_F(CharactersTest, LoadingATableRemapsThePreview) {
    open(writeText("abc.zyt", 1, {"abc", "xyz"}), false);
    prompts.clearLog();
    loadTable(dir.write("shift.cmp", shiftingTable(256)));

    const auto& dialog = prompts.shown().at(0).dialog;
    EXPECT_EQ(dialog.title, "Load character remapping file");
    EXPECT_EQ(dialog.defaultExtension, "cmp");
    EXPECT_TRUE(dialog.filter.startsWith("Character remapping files (*.cmp)|*.cmp|"));
    EXPECT_TRUE(dialog.filter.endsWith("|Character set remapping files (*.set)|*.set|"
                                       "All files (*.*)|*.*"));

    EXPECT_TRUE(state.RemapLoaded);
    EXPECT_EQ(window->caption1(), "bcd");
    EXPECT_EQ(window->caption2(), "bcd");
    EXPECT_EQ(state.EntryText[0], "abc") << "the document keeps its codes";
    EXPECT_FALSE(itemEnabled("mnuExtraLoadChr"));
    EXPECT_TRUE(itemEnabled("mnuConvert"));

    // Selecting an entry shows it remapped too.
    window->selectEntry(1);
    EXPECT_EQ(shown(), "yz{");
}

TEST_F(CharactersTest, TheNameDecidesTheFormat) {
    const struct {
        const char* name;
        bool set;
    } cases[] = {
        {"table.set", true}, {"TABLE.SeT", true}, {"table.cmp", false}, {"set.bin", false}};
    for (const auto& c : cases) {
        state.RemapLoaded = false;
        state.RemapTable = {};
        start();
        loadTable(dir.write(c.name, shiftingTable(300)));
        // A ".set" file starts at code 1 and always shows code 0 as 0.
        EXPECT_EQ(state.RemapTable[0], c.set ? 0 : 1) << c.name;
        EXPECT_EQ(state.RemapTable[1], c.set ? 1 : 2) << c.name;
    }
}

TEST_F(CharactersTest, ARefusedTableChangesNothing) {
    open(writeText("abc.zyt", 1, {"abc"}), false);
    prompts.clearLog();
    loadTable(dir.write("short.cmp", shiftingTable(255)));
    loadTable(dir.file("missing.cmp"));
    loadTable("");

    // Two dialogs with a notice each, one cancelled.
    ASSERT_EQ(prompts.shown().size(), 5u);
    EXPECT_TRUE(prompts.shown()[1].text.contains("too short"));
    EXPECT_EQ(prompts.shown()[3].kind, ScriptedPrompts::Kind::Notice);
    EXPECT_FALSE(state.RemapLoaded);
    EXPECT_FALSE(state.RemapTable[0].has_value());
    EXPECT_EQ(shown(), "abc");
    EXPECT_TRUE(itemEnabled("mnuExtraLoadChr"));
    EXPECT_FALSE(itemEnabled("mnuConvert"));
}

TEST_F(CharactersTest, ConvertRewritesEveryEntryButNothingElse) {
    open(writeText("abc.zyt", 1, {"abc", "A @ B"}), false);
    loadTable(dir.write("shift.cmp", shiftingTable(256)));
    window->menuItem("mnuConvert")->trigger();

    EXPECT_EQ(state.EntryText[0], "bcd");
    EXPECT_EQ(state.EntryText[1], "B\x0e\x0b"
                                  "C");
    EXPECT_FALSE(state.Modified);
    EXPECT_FALSE(buttonEnabled(3));
    EXPECT_EQ(shown(), "bcd") << "the preview is not refreshed";
    EXPECT_TRUE(itemEnabled("mnuConvert"));
}

TEST_F(CharactersTest, ChoosingAKeyboardGroupMovesTheCheckMark) {
    const char* items[] = {"mnuKeybNone",   "mnuKeybWest",   "mnuKeybSloCze", "mnuKeybPolRom",
                           "mnuKeybHunTur", "mnuKeybGreek",  "mnuKeybHeb",    "mnuKeybRusUkr",
                           "mnuKeybSweNor", "mnuKeybChiBopo"};
    auto checked = [&] {
        QStringList names;
        for (const char* item : items)
            if (itemChecked(item))
                names << item;
        return names;
    };
    EXPECT_EQ(checked(), QStringList{"mnuKeybNone"});

    const struct {
        const char* item;
        KeyboardGroup group;
    } choices[] = {
        {"mnuKeybGreek", KeyboardGroup::Greek},
        {"mnuKeybGreek", KeyboardGroup::Greek}, // again: it stays checked
        {"mnuKeybSweNor", KeyboardGroup::SweNor},
        {"mnuKeybNone", KeyboardGroup::None},
    };
    for (const auto& choice : choices) {
        window->menuItem(choice.item)->trigger();
        EXPECT_EQ(checked(), QStringList{choice.item});
        EXPECT_EQ(window->keyboardGroup(), choice.group);
        EXPECT_EQ(state.KeybActive, choice.group != KeyboardGroup::None);
    }
    EXPECT_EQ(TranslateKey(state, 233), 233);
    window->mnuKeybWest_Click();
    EXPECT_EQ(TranslateKey(state, 233), 130);
}

TEST_F(CharactersTest, OrdinalsFillTheCharacterSetSelector) {
    open(writeText("four.zyt", 1, {"a", "b", "c", "d"}), false);
    prompts.clearLog();
    // Three groups; the slot after them reads as 0, the last of the five slots keeps its value.
    state.Ordinals[4] = 77;
    prompts.chooseFile(
        QString::fromStdString(dir.write("x.ord", std::string("\x05\x00\xff\x7f\x10\x01", 6))));
    window->mnuExtraOrdinal_Click();

    const auto& dialog = prompts.shown().at(0).dialog;
    EXPECT_EQ(dialog.title, "Load ZYN text ordinal file");
    EXPECT_EQ(dialog.defaultExtension, "ord");
    EXPECT_EQ(dialog.filter, "ZYN text ordinal files (*.ord;*.zti;*.dat;*.zdc)|*.ord;*.zti;*.dat;"
                             "*.zdc|All files (*.*)|*.*");
    QStringList lines;
    for (int i = 0; i < window->Combo1()->count(); ++i)
        lines << window->Combo1()->itemText(i);
    EXPECT_EQ(lines, (QStringList{"5", "32767", "272", "0", "77"}));
    EXPECT_EQ(state.ChosenExt, "ORD");
    EXPECT_EQ(window->characterSet(), 0) << "loading chooses no character set";

    // Picking a line chooses the character set of its position.
    window->Combo1()->setCurrentIndex(4);
    window->Combo1_Click();
    EXPECT_EQ(window->characterSet(), 255);
    EXPECT_EQ(shown(), "a");

    // A file the loader refuses, and a cancelled dialog, leave the lines as they are.
    prompts.chooseFile(QString::fromStdString(dir.write("big.ord", std::string("\x00\x80", 2))));
    window->mnuExtraOrdinal_Click();
    prompts.chooseFile({});
    window->mnuExtraOrdinal_Click();
    EXPECT_EQ(window->Combo1()->count(), 5);
    EXPECT_EQ(window->Combo1()->itemText(0), "5");
    EXPECT_EQ(prompts.shown().at(2).kind, ScriptedPrompts::Kind::Notice);
}

} // namespace
} // namespace zyn::test
