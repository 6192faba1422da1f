// The main window: start-up with and without a file on the command line, the about box and
// closing the window; then a document through it: File Open, Save, Save As and the version
// conversion, navigation, entry types and the character set of the preview; and the pictures and
// icons the windows load from the resource file.

#include "mainwindowfixture.h"
#include "windows/entrytypes.h"
#include "windows/frmabout.h"

#include <QApplication>
#include <QDir>
#include <QImage>
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

        EXPECT_EQ(prompts.shown().front().kind, Kind::YesNoCancel);
        EXPECT_EQ(prompts.shown().front().text, "Do you want to save the changes to TO CLOSE.ZYT?");
        EXPECT_EQ(window->isVisible(), c.answer == Answer::Cancel || c.saveFails) << c.way;
        if (!c.saveFails) {
            EXPECT_EQ(readBytes(path),
                      TextFileBuilder(1).entry(c.answer == Answer::Yes ? "New" : "Old").bytes());
        }
    }
    QDir::setCurrent(previous);
}

using DocumentTest = MainWindowTest;

// Opens a ZYN 1 file and a compressed ZYN 2 file, then the walk of cancelled, refused and
// repeated opens, which leave the document, and of saves, which go where they can.
TEST_F(DocumentTest, OpensAndSavesAndWhatCancelledOrRefusedOpensLeave) {
    start();
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
    EXPECT_EQ(session.document().EntryText[0], "Edited");
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
}

// A type changes the entry, its picture and colour, and moves the menu's one mark; the selector
// chooses an entry as the buttons and their keys do (the key walk); the character set changes
// how bytes are shown, and outlives an open.
TEST_F(DocumentTest, TypesEntriesCharacterSetsAndAnEmptyDocument) {
    start();
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
    EXPECT_EQ(session.document().EntryType[1], 3);

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
    EXPECT_EQ(session.currentEntry(), 0);
    EXPECT_EQ(window->editor(), nullptr);
    EXPECT_FALSE(session.Modified());
}

// No Q_INIT_RESOURCE here: linking the windows library must be enough, as it is for the
// program.
TEST(Resources, EveryPictureAndIconLoads) {
    for (const char* name :
         {"pictures/title", "pictures/1000", "pictures/2000", "pictures/3000", "pictures/4000",
          "pictures/5000",  "pictures/6000", "icons/open",    "icons/save",    "icons/saveas",
          "icons/back",     "icons/forward", "icons/first",   "icons/last",    "icons/edit",
          "icons/about",    "icons/exit",    "icons/app",     "icons/app-48",  "icons/app-32",
          "icons/app-16"})
        EXPECT_FALSE(QImage(QStringLiteral(":/") + QLatin1String(name)).isNull()) << name;
}

} // namespace
} // namespace zyn::test
