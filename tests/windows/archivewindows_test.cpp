// Open from HQR and Save to HQR through the main window: the item dialog, its check rules, Load
// and Save, the progress window, and what File Save does with a document from an archive.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "base/itemheader.h"
#include "mainwindowfixture.h"
#include "support/faultyfilesystem.h"
#include "support/lockholder.h"
#include "windows/frmdecomp.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest/QTest>
#include <chrono>

namespace zyn::test {
namespace {

// A ZYN 2 text file whose first entry is first.
std::string twoEntries(const char* first) {
    return TextFileBuilder(2).entry(first, 1).entry("Radio", 33).data();
}

class ArchiveWindowsTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }

    // A ZYN 2 text archive (first slot 724): EN_000.DIA (item 7) stored, EN_001.DIA (9)
    // compressed, EN_002.DIA (11) of an unknown mode. (Which items the dialog takes for blank
    // goes by their place, not their bytes.)
    std::string zyn2Archive(const char* name) {
        ArchiveBuilder builder;
        for (int i = 0; i < 180; ++i) {
            if (i == 7)
                builder.stored(twoEntries("Stored @ text"));
            else if (i == 9)
                builder.compressed(TextFileBuilder(2).entry("Packed text").data(), 2);
            else if (i == 11)
                builder.raw(itemHeader(4, 4, 3) + "MSCF");
            else
                builder.stored("item " + std::to_string(i));
        }
        return dir.write(name, builder.build());
    }

    frmSelHQR& dialog() { return *window->findChild<frmSelHQR*>(); }
    bool dialogShown() { return window->findChild<frmSelHQR*>() && dialog().isVisible(); }

    // Open from HQR (or Save to HQR) on archive, then a click on item when one is given.
    void choose(bool save, const std::string& archive, int item = -1) {
        prompts.chooseFile(QString::fromStdString(archive));
        save ? window->mnuFileSaveToHQR_Click() : window->mnuFileOpenFromHQR_Click();
        if (item >= 0)
            click(item);
    }
    // What the check box does: flip the mark, which tells the dialog.
    void click(int item) {
        QListWidgetItem* row = dialog().List1()->item(item);
        row->setCheckState(row->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    std::vector<std::string> items(const std::string& archive) {
        ArchiveIndex index;
        EXPECT_TRUE(ReadArchiveIndex(state.files(), archive, index).ok());
        return {index.ItemData.begin(), index.ItemData.begin() + index.itemCount()};
    }
};

// The dialog names the archive and its game and lists its items (the demo's as many as the
// full game's); the check rule holds for clicks in it.
TEST_F(ArchiveWindowsTest, ListsTheItemsAndChecksOneDiaItemAndNoBlankOne) {
    auto checked = [&] {
        std::vector<int> rows;
        for (int i = 0; i < dialog().List1()->count(); ++i)
            if (dialog().List1()->item(i)->checkState() == Qt::Checked)
                rows.push_back(i);
        return rows;
    };
    const std::string zyn2 = zyn2Archive("text.hqr");
    choose(false, zyn2);
    EXPECT_EQ(prompts.shown().front().dialog.title, "Load text file from ZYN archive");
    EXPECT_FALSE(dialog().isModal());
    EXPECT_EQ(dialog().Label2()->text().toStdString(), zyn2 + " - ZYN 2");
    EXPECT_EQ(dialog().Command1()->text(), "&Load");
    const struct {
        int click;
        std::vector<int> checked;
        bool loadable;
    } steps[] = {
        {4, {}, false},  // an .ORD item keeps no mark
        {3, {0}, false}, // blank: back to the last accepted item, none yet, so item 0
        {7, {7}, true},  {33, {7}, true}, {9, {9}, true},
    };
    for (const auto& step : steps) {
        click(step.click);
        EXPECT_EQ(checked(), step.checked) << "after a click on " << step.click;
        EXPECT_EQ(dialog().Command1()->isEnabled(), step.loadable) << step.click;
    }

    // The next opening shows the remembered item again, but acts only on a new check.
    dialog().Command2_Click();
    const std::string zyn1 = dir.write("one.hqr", TextArchive(140));
    choose(false, zyn1, 4);
    EXPECT_EQ(dialog().Label2()->text().toStdString(), zyn1 + " - ZYN 1");
    EXPECT_EQ(checked(), std::vector<int>{9});
    dialog().Command1_Click();
    EXPECT_EQ(session.document().SlotCount, 0);
    click(3); // EN_CRE.DIA: not blank in ZYN 1
    EXPECT_TRUE(dialog().Command1()->isEnabled());
    dialog().Command2_Click();
    choose(false, dir.write("demo.hqr", TextArchive(150)));
    EXPECT_EQ(dialog().List1()->count(), 180);
}

// The dialog opens with the filter taking the keys: typing narrows the items by number, name
// or language, Down goes into the list, Enter loads the first item shown that can be loaded; a
// double-click loads an item. The list shows at least 15 items, and the dialog can be resized.
TEST_F(ArchiveWindowsTest, TheFilterNarrowsTheItemsAndEnterOrADoubleClickLoads) {
    window->show();
    choose(false, zyn2Archive("a.hqr"));
    frmSelHQR& items = dialog();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&items));
    EXPECT_EQ(QApplication::focusWidget(), items.txtFilter());
    QListWidget& list = *items.List1();
    EXPECT_GE(list.viewport()->height(), 15 * list.sizeHintForRow(0));
    EXPECT_NE(items.minimumSize(), items.maximumSize());
    EXPECT_EQ(list.item(37)->text(), "037  FR_000.DIA");
    const auto shownRows = [&] {
        std::vector<int> rows;
        for (int row = 0; row < list.count(); ++row)
            if (!list.isRowHidden(row))
                rows.push_back(row);
        return rows;
    };
    const struct {
        const char* filter;
        std::vector<int> rows;
    } filters[] = {
        {"en_000", {6, 7}},
        {"37", {37}},
        {"german 001", {68, 69}},
        {"FR_000.dia", {37}},
    };
    for (const auto& filter : filters) {
        items.txtFilter()->setText(QString::fromUtf8(filter.filter));
        EXPECT_EQ(shownRows(), filter.rows) << filter.filter;
    }
    items.txtFilter()->clear();
    EXPECT_EQ(shownRows().size(), 180u);

    QTest::keyClicks(items.txtFilter(), "fr_00");
    QTest::keyClick(items.txtFilter(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), &list);
    EXPECT_EQ(list.currentRow(), 36);
    items.txtFilter()->setText("en_000");
    list.scrollToItem(list.item(7));
    const QPoint at = list.visualItemRect(list.item(7)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(session.origin().ArchiveItem, 7);
    EXPECT_FALSE(dialogShown());

    // Another archive: the filter has the keys again, empty.
    choose(false, zyn2Archive("b.hqr"));
    EXPECT_EQ(items.focusWidget(), items.txtFilter());
    EXPECT_TRUE(items.txtFilter()->text().isEmpty());
    QTest::keyClick(items.txtFilter(), Qt::Key_Return);
    EXPECT_TRUE(dialogShown()) << "no filter, no item chosen: nothing loaded";
    QTest::keyClicks(items.txtFilter(), "EN_000");
    QTest::keyClick(items.txtFilter(), Qt::Key_Return);
    EXPECT_EQ(session.origin().FilePath, dir.file("b.hqr"));
    EXPECT_EQ(session.origin().ArchiveItem, 7);
    EXPECT_FALSE(dialogShown());
}

// A refused Load leaves the dialog open and the document alone. A Load then makes the document
// that item of that archive until a Load or Save succeeds, and File Save writes it back there.
TEST_F(ArchiveWindowsTest, LoadsItemsThatStayWithTheirArchive) {
    const std::string loose = writeText("loose.zyt", 2, {"Loose"});
    open(loose, true);
    commit("Unsaved");
    const std::string other = zyn2Archive("b.hqr");
    const std::string otherBytes = readBytes(other);
    const std::string archive = zyn2Archive("a.hqr");
    // No to the command's question, Cancel to the dialog's, then No to it.
    prompts.answer(Answer::No).answer(Answer::Cancel).answer(Answer::No);
    choose(false, archive, 7);
    dialog().Command1_Click();
    click(11);
    dialog().Command1_Click();
    EXPECT_EQ(lastShown().title, "Select HQR item to extract");
    EXPECT_TRUE(lastShown().text.contains("comrpession type is not supported"));
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(shown(), "Unsaved");
    EXPECT_EQ(session.origin().FilePath, loose);

    prompts.answer(Answer::No);
    click(9);
    dialog().Command1_Click();
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(shown(), "Packed text");
    EXPECT_EQ(title().toStdString(), titleFor(archive + "; EN_001.DIA", 2));
    EXPECT_TRUE(holdsNoWorkingFile(state.Work.path())) << "working files left";
    commit("Changed");

    // File Open of the archive reads it as a text file, which it is not. The document stays that
    // item of that archive, so File Save below does not write a text file over the archive.
    prompts.answer(Answer::No).chooseFile(QString::fromStdString(archive)).answer(Answer::Yes);
    window->mnuFileOpen_Click();
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_TRUE(session.origin().FromArchive);

    // A missing archive is reported and not created.
    const std::string missing = dir.file("missing.hqr");
    prompts.answer(Answer::No);
    choose(false, missing);
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_FALSE(fileExists(missing));

    // Another archive with an item checked, then Cancel; and a Save to HQR that fails.
    prompts.answer(Answer::No).answer(Answer::No);
    choose(false, other, 9);
    dialog().Command2_Click();
    FaultyFileSystem faulty;
    faulty.failOn(FaultyFileSystem::Op::Rename);
    state.Files = &faulty;
    choose(true, other, 9);
    dialog().Command1_Click();
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_TRUE(dialogShown());
    state.Files = &realFileSystem();

    // File Save writes item 9 back into the first, keeping every other item; the second is as
    // it was.
    window->mnuFileSave_Click();
    std::vector<std::string> expected = items(other);
    expected[9] = StoredItem(TextFileBuilder(2).entry("Changed").data());
    EXPECT_EQ(items(archive), expected);
    EXPECT_EQ(readBytes(other), otherBytes);
}

// The archive the document came from is read afresh like any other: Open from HQR loads another
// of its items after the save question, and Save to HQR writes the document into another item.
TEST_F(ArchiveWindowsTest, TheDocumentsOwnArchiveIsOfferedAgain) {
    const std::string archive = zyn2Archive("a.hqr");
    choose(false, archive, 9);
    dialog().Command1_Click();
    ASSERT_EQ(shown(), "Packed text");
    commit("Changed");

    // No to the command's question, Cancel to the dialog's, then No to it.
    prompts.answer(Answer::No).answer(Answer::Cancel).answer(Answer::No);
    choose(false, archive, 7);
    ASSERT_TRUE(dialogShown());
    EXPECT_EQ(dialog().Label2()->text().toStdString(), archive + " - ZYN 2");
    dialog().Command1_Click();
    EXPECT_EQ(shown(), "Changed");
    dialog().Command1_Click();
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(shown(), "Stored\r\ntext");
    EXPECT_EQ(session.origin().FilePath, archive);
    EXPECT_EQ(session.origin().ArchiveItem, 7);

    commit("Mine");
    prompts.answer(Answer::No);
    choose(true, archive, 9);
    dialog().Command1_Click();
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(items(archive)[9], StoredItem(twoEntries("Mine")));
    EXPECT_EQ(items(archive)[7], StoredItem(twoEntries("Stored @ text")));
    EXPECT_EQ(session.origin().ArchiveItem, 9);
}

// Save to HQR writes into the archive as it is on disk: the chosen item, changed by another
// program after the dialog read it, is replaced only when the user says so; an archive another
// program is rebuilding is left for a later save.
TEST_F(ArchiveWindowsTest, SavesIntoTheArchiveAsItIsOnDisk) {
    const std::string other = zyn2Archive("b.hqr");
    open(writeText("mine.zyt", 2, {"Mine", "Radio"}, {1, 33}), true);
    choose(true, other, 9);
    EXPECT_EQ(dialog().Command1()->text(), "&Save");
    // Another program changes the chosen item and another one.
    const std::vector<ItemChange> theirs = {{9, StoredItem(twoEntries("Theirs")), {}},
                                            {7, StoredItem(twoEntries("Kept")), {}}};
    ASSERT_TRUE(RebuildArchive(realFileSystem(), other, theirs, {}).ok());
    prompts.answer(Answer::No).answer(Answer::Yes);
    dialog().Command1_Click();
    EXPECT_EQ(lastShown().kind, Kind::YesNo);
    EXPECT_EQ(lastShown().title, "Select HQR item to extract");
    EXPECT_TRUE(lastShown().text.startsWith(
        QString::fromStdString("The item EN_001.DIA of the archive " + other + " was changed")));
    EXPECT_TRUE(dialogShown()) << "No leaves the dialog open";
    dialog().Command1_Click();
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(items(other)[9], StoredItem(twoEntries("Mine")));
    EXPECT_EQ(items(other)[7], StoredItem(twoEntries("Kept")));
    EXPECT_EQ(title().toStdString(), titleFor(other + "; EN_001.DIA", 2));

    // Another program holds the archive: after the wait the user is told, nothing is saved.
    state.ArchiveWait.giveUpAfter = std::chrono::milliseconds(300);
    commit("Blocked");
    const std::string before = readBytes(other);
    {
        LockHolder holder(other);
        ASSERT_TRUE(holder.held());
        prompts.clearLog();
        window->mnuFileSave_Click();
    }
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(lastShown().icon, Prompts::Icon::Stop);
    EXPECT_TRUE(lastShown().text.contains("is in use by another program"))
        << lastShown().text.toStdString();
    EXPECT_EQ(readBytes(other), before);
    window->mnuFileSave_Click();
    EXPECT_EQ(items(other)[9], StoredItem(twoEntries("Blocked")));
}

TEST(FrmDecompTest, NamesTheFileAndFollowsTheDecoder) {
    ensureApplication();
    frmDecomp progress;
    progress.start("/work/EN_001.DIA");
    EXPECT_EQ(progress.Label1()->text(), "Expanding file: \n/work/EN_001.DIA . . .");
    QProgressBar* bar = progress.ProgressBar1();
    progress.setProgress(40, 100);
    progress.setProgress(101, 100); // more data than the expanded size: the bar stays
    EXPECT_EQ(bar->value(), 40);
    progress.setProgress(3'000'000'000u, 6'000'000'000u);
    EXPECT_NEAR(double(bar->value()) / bar->maximum(), 0.5, 1e-6);
}

} // namespace
} // namespace zyn::test
