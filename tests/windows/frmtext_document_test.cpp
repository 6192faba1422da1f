// A document through the main window: File Open, Save, Save As and the version conversion,
// navigation, entry types and the character set of the preview.

#include "mainwindowfixture.h"
#include "support/faultyfilesystem.h"
#include "windows/entrytypes.h"

#include <filesystem>

namespace zyn::test {
namespace {

class DocumentTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    void openThree() { open(writeText("three.zyt", 1, {"A", "B", "C"}), false); }
    void click(int index) { window->barButton(index)->click(); }
};

TEST_F(DocumentTest, OpensZyn1AndCompressedZyn2Files) {
    const std::string one = writeText("one.zyt", 1, {"Hello @ world", "Bye @"});
    open(one, false);

    const auto& dialog = prompts.shown()[0].dialog;
    EXPECT_EQ(dialog.title, "Load ZYN text file");
    EXPECT_EQ(dialog.defaultExtension, "zyt");
    EXPECT_EQ(dialog.filter,
              "ZYN DeCompiled text files (*.zyt)|*.zyt|ZYN text files with HQR header "
              "(*.ztf;*.dat)|*.ztf;*.dat|ZYN Dialog files (*.dia)|*.dia|All files (*.*)|*.*");
    EXPECT_EQ(window->Label2()->text(), "Hello\nworld");
    EXPECT_EQ(window->backgroundPicture(), Zyn1Picture);
    EXPECT_FALSE(itemEnabled("mnuType"));
    EXPECT_TRUE(buttonEnabled(4) && itemEnabled("mnuFileSaveToHQR") &&
                window->Combo1()->isEnabled());

    // A compressed file is read from its expanded copy, but stays the document's file.
    const std::string two = dir.write(
        "two.dat",
        literalCompressedItem(TextFileBuilder(2).entry("Map", 17).entry("Radio", 33).data(), 1));
    // A link planted where the copy used to go is left alone.
    std::filesystem::create_symlink(dir.write("victim", "victim"), two + ".TMP");
    open(two, true);

    EXPECT_EQ(shown(), "Map");
    // Its expanded copy is kept in the private working folder, not beside the user's file.
    EXPECT_TRUE(fileExists(state.Work.path() + "two.dat.TMP"));
    EXPECT_EQ(readBytes(dir.file("victim")), "victim");
    EXPECT_TRUE(itemEnabled("mnuType"));
    EXPECT_EQ(title().toStdString(), titleFor(two, 2));
}

TEST_F(DocumentTest, CancelledRefusedOrRepeatedOpensLeaveTheDocumentAndSavesGoWhereTheyCan) {
    const std::string good = writeText("good.zyt", 2, {"Keep me", "Second"}, {3, 1});
    open(good, true);
    commit("Edited");
    // Cancel at the save question opens nothing; the file already loaded is not read again.
    prompts.clearLog();
    prompts.answer(Answer::Cancel);
    window->barButton(1)->click();
    EXPECT_EQ(prompts.shown().size(), 1u) << "no file dialog after Cancel";
    prompts.answer(Answer::No).chooseFile(QString::fromStdString(good));
    window->mnuFileOpen_Click();
    EXPECT_EQ(prompts.shown().size(), 3u) << "no version question for the same file";
    EXPECT_EQ(state.Document.EntryText[0], "Edited");
    window->selectEntry(1);
    const QString before = title();

    // A file that cannot be read is reported before the version question.
    for (const std::string& path :
         {dir.write("mode3.ztf", itemHeader(6, 6, 3) + "abcdef"), dir.file("missing.zyt")}) {
        const bool readable = fileExists(path);
        prompts.answer(Answer::No).chooseFile(QString::fromStdString(path)); // keep the edit
        if (readable)
            prompts.answer(Answer::Yes);
        window->mnuFileOpen_Click();

        EXPECT_EQ(lastShown().icon, readable ? Prompts::Icon::Information : Prompts::Icon::Stop);
        EXPECT_EQ(lastShown().title, before);
        if (readable) {
            EXPECT_EQ(lastShown().text,
                      "Sorry, that particular comrpession type is not supported in this "
                      "version.\r\nCompression used: Maybe MSCF/MSZIP compression (03)");
        }
        EXPECT_EQ(title(), before);
        EXPECT_EQ(selectedEntry(), "2");
        EXPECT_EQ(shown(), "Second");
        EXPECT_TRUE(buttonEnabled(3));
    }

    // A save that fails is reported in the window's name; the change stays unsaved.
    FaultyFileSystem faulty;
    faulty.failOn(FaultyFileSystem::Op::Rename, 1, "Permission denied");
    state.Files = &faulty;
    window->barButton(3)->click();
    state.Files = &realFileSystem();
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_EQ(lastShown().title, before);
    EXPECT_TRUE(lastShown().text.contains("Permission denied"));
    EXPECT_TRUE(state.Document.Modified && buttonEnabled(3));

    // What stays is still the document that was loaded: saving writes it to its own file.
    window->mnuFileSave_Click();

    // Once the file is read-only, Save shows the notice, then Save As from the file's name.
    commit("Changed");
    std::filesystem::permissions(good, std::filesystem::perms::owner_read);
    prompts.clearLog();
    prompts.chooseFile(QString::fromStdString(dir.file("elsewhere.zyt")));
    window->mnuFileSave_Click();
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(prompts.shown()[1].kind, Kind::SaveFile);
    EXPECT_EQ(prompts.shown()[1].dialog.initialName.toStdString(), good);
    EXPECT_EQ(readBytes(dir.file("elsewhere.zyt")),
              TextFileBuilder(2).entry("Edited", 3).entry("Changed").bytes());
    EXPECT_EQ(readBytes(good), TextFileBuilder(2).entry("Edited", 3).entry("Second").bytes());
}

// Conversion marks the document changed; Save writes it in the other game's format and
// disables itself.
TEST_F(DocumentTest, ConvertsBetweenTheGamesAndSaves) {
    const std::string path = writeText("convert.zyt", 1, {"A", "B"});
    open(path, false);
    window->mnuFileConvertFile_Click();

    EXPECT_TRUE(itemEnabled("mnuType"));
    EXPECT_TRUE(itemChecked("mnuTypeNormal"));
    EXPECT_EQ(window->backgroundPicture(), 5000);
    EXPECT_FALSE(itemEnabled("mnuFileConvertFile"));
    EXPECT_EQ(window->menuItem("mnuFileConvertFile")->text(), "&Can't convert not-loaded file");
    window->barButton(3)->click();
    EXPECT_EQ(readBytes(path), TextFileBuilder(2).entry("A", 1).entry("B", 1).bytes());
    EXPECT_FALSE(state.Document.Modified || buttonEnabled(3) || itemEnabled("mnuFileSave"));
}

TEST_F(DocumentTest, NavigatesAndShowsThreeEntriesAndNoneOfAnEmptyDocument) {
    openThree();
    const struct {
        int button;
        const char* selected;
    } steps[] = {{7, "2"}, {7, "3"}, {7, "3"}, {9, "1"}, {6, "1"}, {10, "3"}, {6, "2"}};
    for (const auto& step : steps) {
        click(step.button);
        EXPECT_EQ(selectedEntry(), step.selected) << "button " << step.button;
        EXPECT_EQ(state.Document.CurrentEntry, selectedEntry().toInt() - 1);
        EXPECT_EQ(shown(), std::string(1, char('A' + state.Document.CurrentEntry)));
    }
    EXPECT_FALSE(state.Document.Modified);

    window->Combo2()->setCurrentIndex(0);
    emit window->Combo2()->activated(0);
    EXPECT_EQ(state.Document.CurrentEntry, 0);
    EXPECT_EQ(shown(), "A");

    // The character set changes how bytes are shown, and outlives an open.
    click(10);
    commit("\xe1");
    window->Combo1()->setCurrentIndex(5);
    emit window->Combo1()->activated(5);
    EXPECT_EQ(window->characterSet(), 161);
    EXPECT_EQ(window->Label2()->text(), QString(QChar(0x03B1))); // alpha
    EXPECT_EQ(window->Label1()->text(), window->Label2()->text());
    EXPECT_EQ(shown(), "\xe1");

    // A document without entries shows nothing, and there is nothing to move through or edit.
    prompts.answer(Answer::No); // do not save the edit
    open(dir.write("empty.zyt", std::string("\x02\x00", 2)), true);
    EXPECT_EQ(window->characterSet(), 161);
    EXPECT_EQ(window->Combo2()->count(), 0);
    EXPECT_EQ(window->Label2()->text(), "");
    EXPECT_EQ(window->backgroundPicture(), TitlePicture);
    EXPECT_FALSE(buttonEnabled(10) || itemEnabled("mnuType"));
    for (int index : {6, 7, 9, 10, 12})
        window->Toolbar1_ButtonClick(index);
    window->mnuTypeDemo_Click();
    EXPECT_EQ(state.Document.CurrentEntry, 0);
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_FALSE(state.Document.Modified);
}

TEST_F(DocumentTest, ChoosingATypeChangesEntryPictureAndColour) {
    open(writeText("types.zyt", 2, {"Normal", "Odd", "Demo"}, {1, 7, 129}), true);
    EXPECT_TRUE(itemChecked("mnuTypeNormal"));
    EXPECT_EQ(window->backgroundPicture(), 5000);

    window->menuItem("mnuTypeDemo")->trigger();
    EXPECT_EQ(state.Document.EntryType[0], 129);
    EXPECT_EQ(window->backgroundPicture(), 4000);
    EXPECT_EQ(window->frontColor(), 16777215u);
    EXPECT_TRUE(buttonEnabled(3) && state.Document.Modified);
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(itemChecked("mnuTypeNormal"));

    // The checked item again changes nothing, not even Modified.
    state.Document.Modified = false;
    window->menuItem("mnuTypeDemo")->trigger();
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(state.Document.Modified);

    // An unknown type: no mark, grey text, the picture of the entry before.
    click(7);
    EXPECT_EQ(window->frontColor(), UnknownTypeColor);
    EXPECT_EQ(window->backgroundPicture(), 4000);
    for (const EntryTypeInfo& type : EntryTypes)
        EXPECT_FALSE(itemChecked(type.menuName)) << type.menuName;
    window->mnuTypeBigFrame_Click();
    EXPECT_EQ(state.Document.EntryType[1], 3);
    EXPECT_EQ(window->backgroundPicture(), 1000);
    EXPECT_TRUE(state.Document.Modified);

    click(10);
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(itemChecked("mnuTypeBigFrame"));
}

} // namespace
} // namespace zyn::test
