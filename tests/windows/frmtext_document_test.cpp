// A document through the main window: File Open, Save, Save As and the version conversion,
// navigation, entry types and the character set of the preview.

#include "mainwindowfixture.h"
#include "support/lzssencoder.h"
#include "windows/entrytypes.h"

#include <filesystem>

namespace zyn::test {
namespace {

class DocumentTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }
};

// Opens a ZYN 1 file and a compressed ZYN 2 file, then the walk of cancelled, refused and
// repeated opens, which leave the document, and of saves, which go where they can.
TEST_F(DocumentTest, OpensAndSavesAndWhatCancelledOrRefusedOpensLeave) {
    open(writeText("one.zyt", 1, {"Hello", "Bye"}), false);

    const auto& dialog = prompts.shown()[0].dialog;
    EXPECT_EQ(dialog.defaultExtension, "zyt");
    EXPECT_EQ(dialog.filter,
              "ZYN DeCompiled text files (*.zyt)|*.zyt|ZYN text files with HQR header "
              "(*.ztf;*.dat)|*.ztf;*.dat|ZYN Dialog files (*.dia)|*.dia|All files (*.*)|*.*");
    EXPECT_EQ(window->backgroundPicture(), Zyn1Picture);
    EXPECT_FALSE(itemEnabled("mnuType"));
    EXPECT_TRUE(buttonEnabled(4) && itemEnabled("mnuFileSaveToHQR") &&
                window->Combo1()->isEnabled());

    // A compressed file is read from its expanded copy, but stays the document's file.
    const std::string two =
        dir.write("two.dat",
                  CompressedItem(TextFileBuilder(2).entry("Map", 17).entry("Radio", 33).data(), 1));
    open(two, true);

    EXPECT_EQ(shown(), "Map");
    // Its expanded copy is kept in the private working folder, not beside the user's file.
    EXPECT_TRUE(fileExists(state.Work.path() + "two.dat.TMP"));
    EXPECT_EQ(title().toStdString(), titleFor(two, 2));

    const std::string good = writeText("good.zyt", 2, {"Keep me", "Second"}, {3, 1});
    open(good, true);
    commit("Edited");
    // Cancel at the save question opens nothing; the file already loaded is not read again.
    // (A file dialog or a version question here would find no scripted answer and fail.)
    prompts.answer(Answer::Cancel);
    window->barButton(1)->click();
    prompts.answer(Answer::No).chooseFile(QString::fromStdString(good));
    window->mnuFileOpen_Click();
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
        EXPECT_EQ(title(), before);
        EXPECT_EQ(selectedEntry(), "2");
        EXPECT_EQ(shown(), "Second");
    }

    // Once the file is read-only, Save shows the notice, then Save As from the file's name.
    commit("Changed");
    std::filesystem::permissions(good, std::filesystem::perms::owner_read);
    prompts.clearLog();
    prompts.chooseFile(QString::fromStdString(dir.file("elsewhere.zyt")));
    window->mnuFileSave_Click();
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].icon, Prompts::Icon::Stop);
    EXPECT_EQ(prompts.shown()[1].dialog.initialName.toStdString(), good);
    EXPECT_EQ(readBytes(dir.file("elsewhere.zyt")),
              TextFileBuilder(2).entry("Edited", 3).entry("Changed").bytes());
    EXPECT_EQ(readBytes(good), TextFileBuilder(2).entry("Keep me", 3).entry("Second").bytes());
}

// A type changes the entry, its picture and colour, and moves the menu's one mark; the selector
// chooses an entry as the buttons and their keys do (the key walk); the character set changes
// how bytes are shown, and outlives an open.
TEST_F(DocumentTest, TypesEntriesCharacterSetsAndAnEmptyDocument) {
    open(writeText("types.zyt", 2, {"Normal", "Odd", "Demo"}, {1, 7, 129}), true);
    window->menuItem("mnuTypeDemo")->trigger();
    EXPECT_EQ(window->backgroundPicture(), 4000);
    EXPECT_EQ(window->frontColor(), 16777215u);
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));

    // An unknown type: no mark, grey text, the picture of the entry before.
    window->barButton(7)->click();
    EXPECT_EQ(window->frontColor(), UnknownTypeColor);
    EXPECT_EQ(window->backgroundPicture(), 4000);
    for (const EntryTypeInfo& type : EntryTypes)
        EXPECT_FALSE(itemChecked(type.menuName)) << type.menuName;
    window->mnuTypeBigFrame_Click();
    EXPECT_EQ(state.Document.EntryType[1], 3);

    window->Combo2()->setCurrentIndex(2);
    emit window->Combo2()->activated(2);
    EXPECT_EQ(shown(), "Demo");
    EXPECT_TRUE(itemChecked("mnuTypeDemo"));
    EXPECT_FALSE(itemChecked("mnuTypeBigFrame"));

    commit("\xe1");
    window->Combo1()->setCurrentIndex(5);
    emit window->Combo1()->activated(5);
    EXPECT_EQ(window->Label2()->text(), QString(QChar(0x03B1))); // alpha
    EXPECT_EQ(window->Label1()->text(), window->Label2()->text());

    // A document without entries shows nothing, and there is nothing to move through or edit.
    prompts.answer(Answer::No); // do not save the edits
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
    EXPECT_FALSE(session.Modified());
}

} // namespace
} // namespace zyn::test
