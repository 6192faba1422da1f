// File Open, Save, Save As and the version conversion, through the main window.

#include "mainwindowfixture.h"
#include "support/faultyfilesystem.h"
#include "windows/entrytypes.h"

#include <filesystem>

namespace zyn::test {
namespace {

class FilesTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // Edits the current entry as the string editor would.
    void edit(const std::string& text) {
        window->commitEditedText(text);
        window->Timer1_Timer();
    }
};

TEST_F(FilesTest, OpensZyn1AndZyn2Files) {
    const std::string one = writeText("one.zyt", 1, {"Hello @ world", "Bye @"});
    open(one, false);

    const auto& dialog = prompts.shown()[0];
    EXPECT_EQ(dialog.kind, ScriptedPrompts::Kind::OpenFile);
    EXPECT_EQ(dialog.dialog.title, "Load ZYN text file");
    EXPECT_EQ(dialog.dialog.defaultExtension, "zyt");
    EXPECT_EQ(dialog.dialog.filter,
              "ZYN DeCompiled text files (*.zyt)|*.zyt|ZYN text files with HQR header "
              "(*.ztf;*.dat)|*.ztf;*.dat|ZYN Dialog files (*.dia)|*.dia|All files (*.*)|*.*");
    EXPECT_EQ(shown(), "Hello\r\nworld");
    EXPECT_EQ(window->Label2()->text(), "Hello\nworld");
    EXPECT_EQ(window->backgroundPicture(), Zyn1Picture);
    EXPECT_EQ(window->frontColor(), DefaultFrontColor);
    EXPECT_EQ(state.ChosenExt, "ZYT");
    EXPECT_EQ(title().toStdString(), "ZYN Text File Editor - (" + one + ") - ZYN 1");

    const std::string two = writeText("two.dat", 2, {"Map", "Radio"}, {17, 33}, /*header=*/true);
    open(two, true);

    EXPECT_EQ(window->Combo2()->count(), 2);
    EXPECT_EQ(selectedEntry(), "1");
    EXPECT_EQ(shown(), "Map");
    EXPECT_EQ(window->backgroundPicture(), 3000);
    EXPECT_EQ(window->frontColor(), 51200u);
    EXPECT_TRUE(itemChecked("mnuTypeHolomap"));
    EXPECT_TRUE(itemEnabled("mnuType"));
    EXPECT_TRUE(state.HeaderFound);
    EXPECT_EQ(window->menuItem("mnuFileConvertFile")->text(),
              "&Convert file from ZYN 2 to ZYN 1 format");
    EXPECT_EQ(title().toStdString(), "ZYN Text File Editor - (" + two + ") - ZYN 2");
}

TEST_F(FilesTest, ExpandsACompressedFile) {
    const std::string data = TextFileBuilder(1).entry("Packed text").data();
    const std::string path = dir.write("packed.ztf", literalCompressedItem(data, 1));
    open(path, false);

    EXPECT_EQ(shown(), "Packed text");
    EXPECT_TRUE(fileExists(path + ".TMP"));
    EXPECT_EQ(state.FilePath, path);
}

TEST_F(FilesTest, RefusedOrFailedOpenLeavesThePreviousDocument) {
    const std::string good = writeText("good.zyt", 2, {"Keep me", "Second"}, {3, 1});
    open(good, true);
    edit("Edited");
    window->selectEntry(1);

    const struct {
        std::string path;
        bool readable;
        Prompts::Icon icon;
    } cases[] = {
        {dir.write("mode3.ztf", itemHeader(6, 6, 3) + "abcdef"), true, Prompts::Icon::Information},
        {dir.write("damaged.zyt", std::string("\x06\x00\x07\x00", 4)), true, Prompts::Icon::Stop},
        {dir.file("missing.zyt"), false, Prompts::Icon::Stop},
    };
    for (const auto& c : cases) {
        const QString before = title();
        prompts.clearLog();
        prompts.answer(Answer::No).chooseFile(QString::fromStdString(c.path)); // keep the edit
        if (c.readable)
            prompts.answer(Answer::Yes);
        window->mnuFileOpen_Click();

        const auto& notice = prompts.shown().back();
        EXPECT_EQ(notice.kind, ScriptedPrompts::Kind::Notice) << c.path;
        EXPECT_EQ(notice.icon, c.icon) << c.path;
        EXPECT_EQ(notice.title, before);
        EXPECT_EQ(title(), before);
        EXPECT_EQ(state.FilePath, good);
        EXPECT_EQ(state.SlotCount, 3);
        EXPECT_EQ(state.EntryText[0], "Edited");
        EXPECT_TRUE(state.Modified);
        EXPECT_EQ(state.CurrentEntry, 1);
        EXPECT_EQ(selectedEntry(), "2");
        EXPECT_EQ(shown(), "Second");
        EXPECT_TRUE(buttonEnabled(3));
        if (c.icon == Prompts::Icon::Information) {
            EXPECT_EQ(notice.text,
                      "Sorry, that particular comrpession type is not supported in this "
                      "version.\r\nCompression used: Maybe MSCF/MSZIP compression (03)");
        }
    }

    // What stays is still the document that was loaded: saving writes it to its own file.
    window->mnuFileSave_Click();
    EXPECT_EQ(readBytes(good), TextFileBuilder(2).entry("Edited", 3).entry("Second").bytes());
}

TEST_F(FilesTest, ChoosingTheLoadedFileKeepsTheEdits) {
    const std::string path = writeText("same.zyt", 1, {"Text"});
    open(path, false);
    edit("Changed");
    prompts.answer(Answer::No).chooseFile(QString::fromStdString(path));
    window->mnuFileOpen_Click();

    EXPECT_EQ(state.EntryText[0], "Changed");
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(prompts.shown().size(), 4u) << "no version question for the same file";
}

TEST_F(FilesTest, CancelAtTheSaveQuestionShowsNoDialog) {
    open(writeText("a.zyt", 1, {"Text"}), false);
    edit("Changed");
    prompts.clearLog();
    prompts.answer(Answer::Cancel);
    window->barButton(1)->click();

    EXPECT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(state.EntryText[0], "Changed");
}

TEST_F(FilesTest, SaveWritesTheFileAndDisablesSave) {
    const std::string path = writeText("save.zyt", 2, {"One", "Two"}, {1, 129});
    open(path, true);
    EXPECT_FALSE(buttonEnabled(3));
    edit("Line\r\nbreak\r\n");
    EXPECT_TRUE(buttonEnabled(3));
    EXPECT_TRUE(itemEnabled("mnuFileSave"));

    window->barButton(3)->click();

    EXPECT_EQ(readBytes(path),
              TextFileBuilder(2).entry("Line @ break @", 1).entry("Two", 129).bytes());
    EXPECT_FALSE(state.Modified);
    EXPECT_FALSE(buttonEnabled(3));
    EXPECT_FALSE(itemEnabled("mnuFileSave"));
}

TEST_F(FilesTest, SaveAsKeepsOrDropsTheHeaderByExtension) {
    const std::string path = writeText("header.dat", 1, {"Entry"}, {}, /*header=*/true);
    const struct {
        const char* name;
        bool header;
    } cases[] = {{"copy.ztf", true}, {"copy.dat", true}, {"copy.zyt", false}};
    for (const auto& c : cases) {
        open(path, false);
        prompts.chooseFile(QString::fromStdString(dir.file(c.name)));
        window->mnuFileSaveAs_Click();

        const auto& dialog = prompts.shown().back().dialog;
        EXPECT_EQ(dialog.title, "Save ZYN text file as");
        EXPECT_EQ(dialog.initialName.toStdString(), path);
        EXPECT_EQ(readBytes(dir.file(c.name)),
                  TextFileBuilder(1).entry("Entry").withHeader(c.header).bytes())
            << c.name;
        EXPECT_EQ(title().toStdString(),
                  "ZYN Text File Editor - (" + dir.file(c.name) + ") - ZYN 1");
    }
}

TEST_F(FilesTest, ReadOnlyFileShowsTheNoticeThenSaveAs) {
    const std::string path = writeText("locked.zyt", 1, {"Text"});
    open(path, false);
    edit("Changed");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    prompts.clearLog();
    prompts.chooseFile(QString::fromStdString(dir.file("elsewhere.zyt")));
    window->mnuFileSave_Click();

    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].text.toStdString(),
              "The file " + path + " is Read-Only, Hidden, or System. Please, specify a new file.");
    EXPECT_EQ(prompts.shown()[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(prompts.shown()[1].kind, ScriptedPrompts::Kind::SaveFile);
    EXPECT_EQ(readBytes(dir.file("elsewhere.zyt")), TextFileBuilder(1).entry("Changed").bytes());
    EXPECT_EQ(readBytes(path), TextFileBuilder(1).entry("Text").bytes());
}

TEST_F(FilesTest, FailedSaveKeepsModifiedAndTheOldFile) {
    FaultyFileSystem faulty;
    state.Files = &faulty;
    const std::string path = writeText("fail.zyt", 1, {"Text"});
    open(path, false);
    edit("Changed");
    faulty.failOn(FaultyFileSystem::Op::Rename, 1, "No space left on device");
    prompts.clearLog();
    window->mnuFileSave_Click();

    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(prompts.shown()[0].title, title());
    EXPECT_TRUE(prompts.shown()[0].text.contains("No space left on device"));
    EXPECT_TRUE(state.Modified);
    EXPECT_TRUE(buttonEnabled(3));
    EXPECT_EQ(readBytes(path), TextFileBuilder(1).entry("Text").bytes());

    // Yes at the save question of the next open, with the save failing again: the document
    // with its changes stays.
    faulty.failOn(FaultyFileSystem::Op::Rename);
    prompts.clearLog();
    prompts.answer(Answer::Yes);
    window->mnuFileOpen_Click();
    EXPECT_EQ(prompts.shown().size(), 2u) << "no open dialog after the failed save";
    EXPECT_EQ(state.EntryText[0], "Changed");
    state.Files = &realFileSystem();
}

TEST_F(FilesTest, ConvertsBetweenTheGames) {
    const std::string path = writeText("convert.zyt", 1, {"A", "B"});
    open(path, false);
    window->mnuFileConvertFile_Click();

    EXPECT_TRUE(state.IsVersion2);
    EXPECT_TRUE(itemEnabled("mnuType"));
    EXPECT_TRUE(itemChecked("mnuTypeNormal"));
    EXPECT_EQ(window->backgroundPicture(), 5000);
    EXPECT_TRUE(buttonEnabled(3));
    EXPECT_FALSE(itemEnabled("mnuFileConvertFile"));
    EXPECT_EQ(window->menuItem("mnuFileConvertFile")->text(), "&Can't convert not-loaded file");
    window->mnuFileSave_Click();
    EXPECT_EQ(readBytes(path), TextFileBuilder(2).entry("A", 1).entry("B", 1).bytes());

    const std::string two = writeText("convert2.zyt", 2, {"A", "B"}, {3, 5});
    open(two, true);
    window->mnuFileConvertFile_Click();
    EXPECT_FALSE(state.IsVersion2);
    EXPECT_FALSE(itemEnabled("mnuType"));
    EXPECT_EQ(window->backgroundPicture(), Zyn1Picture);
    EXPECT_EQ(window->frontColor(), DefaultFrontColor);
    window->mnuFileSave_Click();
    EXPECT_EQ(readBytes(two), TextFileBuilder(1).entry("A").entry("B").bytes());
}

} // namespace
} // namespace zyn::test
