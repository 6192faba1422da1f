// Start-up with and without a file on the command line, and closing the window.

#include "mainwindowfixture.h"
#include "windows/entrytypes.h"

#include <QDir>
#include <filesystem>

namespace zyn::test {
namespace {

using StartupTest = MainWindowTest;

TEST_F(StartupTest, WithoutArgumentOnlyOpenAboutAndExitAreUsable) {
    frmText& w = start();

    EXPECT_EQ(title(), "ZYN Text File Editor");
    EXPECT_EQ(state.BaseCaption, "ZYN Text File Editor");
    EXPECT_EQ(w.backgroundPicture(), TitlePicture);
    EXPECT_EQ(w.Label1()->text(), "");
    EXPECT_EQ(w.Label2()->text(), "");
    EXPECT_FALSE(w.Combo2()->isEnabled());
    EXPECT_EQ(w.Combo2()->count(), 0);
    EXPECT_FALSE(w.Combo1()->isEnabled());
    EXPECT_EQ(w.Combo1()->count(), 14);
    EXPECT_EQ(w.Combo1()->currentText(), "Western European CharSet");
    EXPECT_EQ(w.characterSet(), 0);

    for (int index = 1; index <= frmText::BarPositions; ++index) {
        QToolButton* button = w.barButton(index);
        const bool separator = index == 2 || index == 5 || index == 8 || index == 11 || index == 13;
        ASSERT_EQ(button == nullptr, separator) << index;
        if (button) {
            EXPECT_EQ(button->isEnabled(), index == 1 || index == 14 || index == 15) << index;
        }
    }
    for (const char* item : {"mnuFileSave", "mnuFileSaveAs", "mnuFileSaveToHQR", "mnuType",
                             "mnuFileConvertFile", "mnuConvert", "mnuKeybPolRom"})
        EXPECT_FALSE(itemEnabled(item)) << item;
    for (const char* item : {"mnuFileOpen", "mnuFileOpenFromHQR", "mnuExtraLoadChr",
                             "mnuExtraOrdinal", "mnuFileExit", "mnuHelpAbout", "mnuKeybWest"})
        EXPECT_TRUE(itemEnabled(item)) << item;
    EXPECT_EQ(w.menuItem("mnuFileConvertFile")->text(), "&Can't convert not-loaded file");
    EXPECT_TRUE(itemChecked("mnuKeybNone"));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(StartupTest, WindowHasAFixedClientAreaBelowTheMenuBar) {
    frmText& w = start();
    EXPECT_EQ(w.centralWidget()->size(), QSize(640, 502));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.Image1()->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(w.Label2()->geometry(), QRect(16, 15, 609, 449));
    EXPECT_EQ(w.Label1()->geometry().topLeft() - w.Label2()->geometry().topLeft(), QPoint(2, 4));
}

TEST_F(StartupTest, ArgumentsWithBlanksOrWildcardsAreIgnored) {
    // Each of these names a file that exists and would open if it were taken.
    const std::string blank = writeText("with blank.zyt", 1, {"Hello"});
    writeText("a.zyt", 1, {"Hello"});
    for (const QString& argument :
         {QString::fromStdString("\"" + blank + "\""), QString::fromStdString(blank),
          QString::fromStdString(dir.path() + "*.zyt"),
          QString::fromStdString(dir.path() + "?.zyt"), QString()}) {
        start(argument);
        EXPECT_TRUE(prompts.shown().empty()) << argument.toStdString();
        EXPECT_EQ(title(), "ZYN Text File Editor");
        EXPECT_FALSE(buttonEnabled(4));
        EXPECT_TRUE(state.FilePath.empty());
    }
}

TEST_F(StartupTest, OpensTheFileNamedOnTheCommandLineWithOrWithoutQuotes) {
    const std::string path = writeText("FILE01.ZYT", 1, {"First", "Second"});
    for (const std::string& argument : {path, "\"" + path + "\""}) {
        prompts.clearLog();
        prompts.answer(Answer::No);
        frmText& w = start(QString::fromStdString(argument));

        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(prompts.shown()[0].text, "Is this an ZYN 2 text file?");
        EXPECT_EQ(prompts.shown()[0].title, "ZYN Text File Editor");
        EXPECT_EQ(prompts.shown()[0].buttons, QStringList({"Yes", "No"}));
        EXPECT_EQ(title().toStdString(), "ZYN Text File Editor - (" + path + ") - ZYN 1");
        EXPECT_EQ(w.backgroundPicture(), Zyn1Picture);
        EXPECT_FALSE(itemEnabled("mnuType"));
        EXPECT_EQ(selectedEntry(), "1");
        EXPECT_EQ(w.Combo2()->count(), 2);
        EXPECT_EQ(shown(), "First");
        EXPECT_FALSE(buttonEnabled(3));
        EXPECT_TRUE(buttonEnabled(4));
        EXPECT_TRUE(w.Combo1()->isEnabled());
        EXPECT_EQ(w.menuItem("mnuFileConvertFile")->text(),
                  "&Convert file from ZYN 1 to ZYN 2 format");
        EXPECT_FALSE(state.Modified);
    }
}

TEST_F(StartupTest, ARelativeNameIsOpenedFromTheCurrentFolder) {
    writeText("local.zyt", 1, {"Here"});
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path()));
    prompts.answer(Answer::No);
    start(QStringLiteral("local.zyt"));
    QDir::setCurrent(previous);

    EXPECT_EQ(state.FileTitle, "local.zyt");
    EXPECT_EQ(shown(), "Here");
}

TEST_F(StartupTest, RefusedCommandLineFilesLeaveNoDocument) {
    const std::string text = TextFileBuilder(1).entry("Packed").data();
    const struct {
        std::string bytes;
        QString message;
        Prompts::Icon icon;
    } cases[] = {
        {literalCompressedItem(text, 2),
         "Sorry, no compression supported in this version.\r\nCompression used: KWAJ/MSPAK "
         "compression (02)",
         Prompts::Icon::Information},
        {itemHeader(4, 4, 7) + "abcd",
         "Sorry, no compression supported in this version.\r\nCompression used: Maybe "
         "MSCF/MSZIP compression (03)",
         Prompts::Icon::Information},
        // An offset table whose end slot points past the end of the file.
        {std::string("\x04\x00\x40\x00", 4) + "A", {}, Prompts::Icon::Stop},
    };
    for (const auto& c : cases) {
        prompts.clearLog();
        prompts.answer(Answer::No);
        frmText& w = start(QString::fromStdString(dir.write("refused.zyt", c.bytes)));

        ASSERT_EQ(prompts.shown().size(), 2u);
        const auto& notice = prompts.shown()[1];
        if (!c.message.isEmpty()) {
            EXPECT_EQ(notice.text, c.message);
        }
        EXPECT_EQ(notice.icon, c.icon);
        EXPECT_EQ(notice.title, "ZYN Text File Editor");
        EXPECT_EQ(title(), "ZYN Text File Editor");
        EXPECT_TRUE(state.FilePath.empty());
        EXPECT_EQ(state.SlotCount, 0);
        EXPECT_FALSE(buttonEnabled(4));
        EXPECT_EQ(w.backgroundPicture(), TitlePicture);
    }
}

class ClosingTest : public MainWindowTest {
protected:
    // A shown window with an unsaved change.
    void startModified() {
        path = writeText("close.zyt", 1, {"Old"});
        prompts.answer(Answer::No);
        start(QString::fromStdString(path));
        window->commitEditedText("New");
        window->Timer1_Timer();
        ASSERT_TRUE(state.Modified);
        window->show();
        prompts.clearLog();
    }

    std::string path;
};

TEST_F(ClosingTest, CancelKeepsWindowAndDocument) {
    startModified();
    prompts.answer(Answer::Cancel);
    window->close();

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(state.Modified);
    EXPECT_EQ(state.EntryText[0], "New");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, "Do you want to save the changes to close.zyt?");
    EXPECT_EQ(prompts.shown()[0].buttons, QStringList({"Yes", "No", "Cancel"}));
    EXPECT_EQ(prompts.shown()[0].icon, Prompts::Icon::Question);
}

TEST_F(ClosingTest, YesSavesAndNoDoesNotThenTheWindowCloses) {
    for (const auto& [answer, stored] : {std::pair{Answer::Yes, "New"}, {Answer::No, "Old"}}) {
        startModified();
        prompts.answer(answer);
        window->close();

        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(readBytes(path), TextFileBuilder(1).entry(stored).bytes());
    }
}

TEST_F(ClosingTest, ExitFromMenuAndBarAskLikeTheCloseBox) {
    startModified();
    prompts.answer(Answer::Cancel).answer(Answer::Cancel);
    window->menuItem("mnuFileExit")->trigger();
    window->barButton(15)->click();

    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompts.texts(), QStringList(2, "Do you want to save the changes to close.zyt?"));
}

TEST_F(ClosingTest, AFailedSaveKeepsTheWindowOpen) {
    startModified();
    // The file's folder is gone, so the save cannot write its temporary file.
    std::filesystem::remove_all(dir.path());
    prompts.answer(Answer::Yes);
    window->close();

    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(state.Modified);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].icon, Prompts::Icon::Stop);
}

TEST_F(StartupTest, UnmodifiedWindowClosesWithoutAQuestion) {
    start();
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(prompts.shown().empty());
}

} // namespace
} // namespace zyn::test
