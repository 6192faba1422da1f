// Start-up with and without a file on the command line, the about box, and closing the window.

#include "mainwindowfixture.h"
#include "support/lzssencoder.h"
#include "windows/entrytypes.h"
#include "windows/frmabout.h"

#include <QApplication>
#include <QDir>
#include <filesystem>
#include <functional>

namespace zyn::test {
namespace {

using StartupTest = MainWindowTest;

// Without an argument nothing is opened; a name that is no file is said so, and a compressed
// file is refused: each opens nothing. Then a file named on the command line, changed, is closed.
TEST_F(StartupTest, WithoutAFileOnlyOpenAboutAndExitAreUsableAndClosingAsksToSave) {
    const std::string packed =
        dir.write("packed.zyt", CompressedItem(TextFileBuilder(1).entry("A").data(), 2));
    for (const std::string& argument : {std::string(), dir.path() + "no such*.zyt", packed}) {
        prompts.clearLog();
        if (argument == packed)
            prompts.answer(Answer::No);
        frmText& w = start(QString::fromStdString(argument));
        EXPECT_EQ(prompts.shown().size(), argument.empty() ? 0u : argument == packed ? 2u : 1u);
        EXPECT_EQ(title(), "ZYN Text File Editor") << argument;
        EXPECT_EQ(w.backgroundPicture(), TitlePicture);
        EXPECT_FALSE(w.Combo2()->isEnabled() || w.Combo1()->isEnabled());
        for (int index : {1, 3, 4, 6, 7, 9, 10, 12, 14, 15})
            EXPECT_EQ(buttonEnabled(index), index == 1 || index == 14 || index == 15) << index;
        for (const char* item :
             {"mnuFileSaveAs", "mnuFileSaveToHQR", "mnuType", "mnuFileConvertFile", "mnuConvert"})
            EXPECT_FALSE(itemEnabled(item)) << item;
        EXPECT_TRUE(itemEnabled("mnuFileOpenFromHQR") && itemEnabled("mnuExtraLoadChr"));
    }
    EXPECT_EQ(window->Label1()->pos() - window->Label2()->pos(), QPoint(2, 4)) << "the shadow";

    // Each About opens another box, which leaves the window usable. Unmodified, the window
    // closes without a question; the boxes stay open.
    window->show();
    window->mnuHelpAbout_Click();
    window->barButton(14)->click();
    EXPECT_TRUE(window->isEnabled());
    std::vector<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<frmAbout*>(widget); box && box->isVisible())
            boxes.push_back(box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0]->findChild<QLabel*>("lblVersion")->text(), "Version " ZYN_VERSION_TEXT);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(boxes[0]->isVisible() && boxes[1]->isVisible());
    for (frmAbout* box : boxes)
        delete box;

    // The close box, "E&xit" and the Exit button all ask the same question, and the answer
    // decides. The file comes from the command line, where the argument is the whole name, blanks
    // included, surrounding quotes go, and a bare name is taken from the current folder.
    const std::function<void(frmText&)> ways[] = {
        [](frmText& w) { w.close(); },
        [](frmText& w) { w.menuItem("mnuFileExit")->trigger(); },
        [](frmText& w) { w.barButton(15)->click(); },
    };
    const struct {
        int way;
        Answer answer;
        bool saveFails;
    } cases[] = {
        {1, Answer::Cancel, false},
        {2, Answer::Yes, false},
        {0, Answer::No, false},
        {0, Answer::Yes, true},
    };
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path()));
    for (const auto& c : cases) {
        const std::string path = writeText("TO CLOSE.ZYT", 1, {"Old"});
        prompts.answer(Answer::No).answer(c.answer);
        start("\"TO CLOSE.ZYT\"").show();
        EXPECT_EQ(lastShown().text, "Is this an ZYN 2 text file?");
        EXPECT_EQ(title().toStdString(), titleFor(path, 1));
        commit("New");
        prompts.clearLog();
        // With the file's folder gone the save cannot write its temporary file.
        if (c.saveFails)
            std::filesystem::remove_all(dir.path());
        ways[c.way](*window);

        const bool saved = c.answer == Answer::Yes && !c.saveFails;
        EXPECT_EQ(prompts.shown().front().kind, Kind::YesNoCancel);
        EXPECT_EQ(prompts.shown().front().text, "Do you want to save the changes to TO CLOSE.ZYT?");
        EXPECT_EQ(window->isVisible(), c.answer == Answer::Cancel || c.saveFails) << c.way;
        EXPECT_EQ(session.Modified(), !saved) << c.way;
        if (!c.saveFails) {
            EXPECT_EQ(readBytes(path), TextFileBuilder(1).entry(saved ? "New" : "Old").bytes());
        }
    }
    QDir::setCurrent(previous);
}

} // namespace
} // namespace zyn::test
