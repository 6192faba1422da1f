// Open from HQR and Save to HQR through the main window: the item dialog, its check rules, Load
// and Save, the progress window, and what File Save does with a document from an archive.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "archive/itemheader.h"
#include "mainwindowfixture.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "windows/frmdecomp.h"
#include "windows/frmselhqr.h"

#include <QApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>

namespace zyn::test {
namespace {

const std::string StoredText =
    TextFileBuilder(2).entry("Stored @ text", 1).entry("Radio", 33).data();
const QString DialogTitle = QStringLiteral("Select HQR item to extract");

std::string storedItem(const char* text) {
    return StoredItem(TextFileBuilder(2).entry(text).data());
}

// Records the text of every progress window as it is shown.
class ProgressSpy : public QObject {
public:
    ProgressSpy() { qApp->installEventFilter(this); }
    ~ProgressSpy() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (auto* window = qobject_cast<frmDecomp*>(object);
            window && event->type() == QEvent::Show)
            shown << window->Label1()->text();
        return false;
    }
    QStringList shown;
};

class ArchiveWindowsTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }
    void TearDown() override {
        state.Files = &realFileSystem();
        MainWindowTest::TearDown();
    }

    // A ZYN 2 text archive (first slot 724): EN_000.DIA (item 7) stored, EN_001.DIA (9)
    // compressed, EN_002.DIA (11) of an unknown mode, the blank positions blank.
    std::string zyn2Archive(const char* name) {
        builder = ArchiveBuilder();
        for (int i = 0; i < 180; ++i) {
            if (i == 7)
                builder.stored(StoredText);
            else if (i == 9)
                builder.compressed(TextFileBuilder(2).entry("Packed text").data(), 2);
            else if (i == 11)
                builder.raw(itemHeader(4, 4, 3) + "MSCF");
            else if (i % 30 == 2 || i % 30 == 3)
                builder.blank();
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
    void load(const std::string& archive, int item) {
        choose(false, archive, item);
        dialog().Command1_Click();
    }
    // What the check box does: flip the mark, which tells the dialog.
    void click(int item) {
        QListWidgetItem* row = dialog().List1()->item(item);
        row->setCheckState(row->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
    std::vector<int> checkedItems() {
        std::vector<int> checked;
        for (int i = 0; i < dialog().List1()->count(); ++i)
            if (dialog().List1()->item(i)->checkState() == Qt::Checked)
                checked.push_back(i);
        return checked;
    }
    void edit(const std::string& text) {
        window->commitEditedText(text);
        window->Timer1_Timer();
    }
    std::string itemBytes(const std::string& archive, int item) {
        ArchiveIndex index;
        EXPECT_TRUE(ReadArchiveIndex(state.files(), archive, index).ok());
        return index.ItemData.at(static_cast<std::size_t>(item));
    }

    ArchiveBuilder builder;
};

TEST_F(ArchiveWindowsTest, ListsTheItemsOfTheRecognisedArchive) {
    ArchiveBuilder zyn1; // first slot 564, long enough not to be the demo
    for (int i = 0; i < 140; ++i)
        zyn1.stored(std::string(i == 0 ? 200000 : 4, 'x'));
    const struct {
        std::string path;
        const char* suffix;
        int count;
        int probe;
        QString name;
    } cases[] = {
        {dir.write("one.hqr", zyn1.build()), " - ZYN 1", 140, 139, "IT_010.DIA"},
        {dir.write("demo.hqr", TextArchive(150)), " - ZYN 2", 180, 158,
         QString::fromLatin1("PO: N\xe3o utlizado na vers\xe3o demo")},
    };
    for (const auto& c : cases) {
        choose(false, c.path);
        ASSERT_TRUE(dialogShown());
        EXPECT_FALSE(dialog().isModal());
        EXPECT_EQ(dialog().Label2()->text().toStdString(), c.path + c.suffix);
        EXPECT_EQ(dialog().List1()->count(), c.count);
        EXPECT_EQ(dialog().List1()->item(c.probe)->text(), c.name);
        EXPECT_EQ(dialog().Command1()->text(), "&Load");
    }
    const auto& chosen = prompts.shown().front().dialog;
    EXPECT_EQ(chosen.title, "Load text file from ZYN archive");
    EXPECT_EQ(chosen.filter, "ZYN Text Archive (text.hqr)|text.hqr|All files (*.*)|*.*");
    EXPECT_EQ(chosen.defaultExtension, "hqr");
}

TEST_F(ArchiveWindowsTest, OnlyOneDiaItemCanBeCheckedAndBlankItemsAreRefused) {
    choose(false, zyn2Archive("text.hqr"));
    const struct {
        int click;
        std::vector<int> checked;
        bool loadable;
    } steps[] = {
        {4, {}, false},  // an .ORD item keeps no mark
        {3, {0}, false}, // blank: back to the last accepted item, none yet, so item 0
        {7, {7}, true},  {7, {7}, true}, {4, {7}, true}, {33, {7}, true}, {9, {9}, true},
    };
    for (const auto& step : steps) {
        click(step.click);
        EXPECT_EQ(checkedItems(), step.checked) << "after a click on " << step.click;
        EXPECT_EQ(dialog().Command1()->isEnabled(), step.loadable) << step.click;
    }

    // The next opening shows the remembered item again, but acts only on a new check.
    dialog().Command2_Click();
    choose(false, dir.write("one.hqr", TextArchive(140)));
    click(4);
    EXPECT_EQ(checkedItems(), std::vector<int>{9});
    dialog().Command1_Click();
    EXPECT_EQ(state.SlotCount, 0);
    click(3); // EN_CRE.DIA: not blank in ZYN 1
    EXPECT_TRUE(dialog().Command1()->isEnabled());
}

TEST_F(ArchiveWindowsTest, LoadsStoredAndCompressedItems) {
    const struct {
        const char* archive;
        int item;
        const char* name;
        const char* text;
        bool expanded;
    } cases[] = {
        {"a.hqr", 7, "EN_000.DIA", "Stored\r\ntext", false},
        {"b.hqr", 9, "EN_001.DIA", "Packed text", true},
    };
    for (const auto& c : cases) {
        const std::string archive = zyn2Archive(c.archive);
        ProgressSpy spy;
        load(archive, c.item);

        EXPECT_FALSE(dialogShown());
        EXPECT_EQ(shown(), c.text);
        EXPECT_EQ(title().toStdString(),
                  "ZYN Text File Editor - (" + archive + "; " + c.name + ") - ZYN 2");
        EXPECT_TRUE(state.FromArchive && state.IsVersion2);
        EXPECT_EQ(state.FilePath, archive);
        EXPECT_EQ(state.ArchiveItem, c.item);
        EXPECT_FALSE(buttonEnabled(3));
        EXPECT_TRUE(std::filesystem::is_empty(state.Work.path())) << "working files left";
        EXPECT_EQ(spy.shown,
                  c.expanded ? QStringList{QString::fromStdString(
                                   "Expanding file: \n" + state.Work.path() + c.name + " . . .")}
                             : QStringList{});
    }
}

TEST_F(ArchiveWindowsTest, FileSaveWritesTheItemBackIntoItsArchive) {
    const std::string archive = zyn2Archive("text.hqr");
    const std::string original = readBytes(archive);
    load(archive, 7);
    edit("Changed");
    window->mnuFileSave_Click();

    ArchiveIndex index;
    ASSERT_TRUE(ReadArchiveIndex(state.files(), archive, index).ok());
    for (int i = 0; i < 180; ++i) {
        if (i == 7)
            continue;
        ASSERT_EQ(index.ItemData[i], builder.itemBytes(i)) << "item " << i;
    }
    EXPECT_EQ(index.ItemData[7],
              StoredItem(TextFileBuilder(2).entry("Changed", 1).entry("Radio", 33).data()));
    EXPECT_EQ(readBytes(BackupName(archive)), original);
    EXPECT_FALSE(state.Modified);
}

TEST_F(ArchiveWindowsTest, SaveToHqrMakesTheDocumentThatItem) {
    const std::string archive = zyn2Archive("text.hqr");
    const std::string loose = writeText("loose.zyt", 2, {"Loose"});
    open(loose, true);
    choose(true, archive, 9);
    EXPECT_EQ(dialog().Command1()->text(), "&Save");
    dialog().Command1_Click(); // written although unmodified

    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(itemBytes(archive, 9), storedItem("Loose"));
    EXPECT_EQ(itemBytes(archive, 7), builder.itemBytes(7));
    EXPECT_EQ(title().toStdString(),
              "ZYN Text File Editor - (" + archive + "; EN_001.DIA) - ZYN 2");

    // File Save now writes the item, never a loose file over the archive.
    const std::string looseBytes = readBytes(loose);
    edit("Again");
    window->mnuFileSave_Click();
    EXPECT_EQ(itemBytes(archive, 9), storedItem("Again"));
    EXPECT_EQ(readBytes(loose), looseBytes);
}

TEST_F(ArchiveWindowsTest, RefusedLoadLeavesTheDialogOpenAndTheDocumentAlone) {
    const std::string loose = writeText("loose.zyt", 2, {"Loose"});
    open(loose, true);
    edit("Unsaved");
    prompts.answer(Answer::No).answer(Answer::Cancel).answer(Answer::No);
    load(zyn2Archive("text.hqr"), 7); // No to the command's question, Cancel to the dialog's
    EXPECT_EQ(prompts.shown().back().title, DialogTitle);
    click(11);
    dialog().Command1_Click();

    const auto& notice = prompts.shown().back();
    EXPECT_EQ(notice.icon, Prompts::Icon::Information);
    EXPECT_EQ(notice.title, DialogTitle);
    EXPECT_EQ(notice.text, "Sorry, that particular comrpession type is not supported in this "
                           "version.\r\nCompression used: Maybe MSCF/MSZIP compression (03)");
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(shown(), "Unsaved");
    EXPECT_TRUE(state.Modified);
    EXPECT_FALSE(state.FromArchive);
    EXPECT_EQ(state.FilePath, loose);
    EXPECT_EQ(state.ArchivePath, "");
}

TEST_F(ArchiveWindowsTest, FailedRebuildKeepsTheArchiveAndTheChanges) {
    const std::string archive = zyn2Archive("a.hqr");
    const std::string other = zyn2Archive("b.hqr");
    load(archive, 7);
    edit("Changed");
    const std::string before = readBytes(archive);
    const std::string otherBefore = readBytes(other);

    FaultyFileSystem faulty;
    state.Files = &faulty;
    for (const std::string& target : {archive, other}) {
        faulty.failOn(FaultyFileSystem::Op::Rename, 1, "No space left on device");
        if (target == other) {
            prompts.answer(Answer::No);
            choose(true, other, 9);
            dialog().Command1_Click();
        } else {
            window->mnuFileSave_Click();
        }
        EXPECT_TRUE(prompts.shown().back().text.contains(QString::fromStdString(target)));
        EXPECT_TRUE(state.Modified);
        EXPECT_TRUE(buttonEnabled(3));
    }
    EXPECT_TRUE(dialogShown());
    EXPECT_EQ(readBytes(archive), before);
    EXPECT_EQ(readBytes(other), otherBefore);
    EXPECT_EQ(state.ArchivePath, archive);
    EXPECT_EQ(state.ArchiveItem, 7);
}

TEST_F(ArchiveWindowsTest, TheDocumentKeepsItsArchiveUnlessALoadOrSaveSucceeds) {
    const std::string archive = zyn2Archive("a.hqr");
    const std::string other = zyn2Archive("b.hqr");
    const std::string otherBytes = readBytes(other);
    load(archive, 7);
    edit("Changed");

    // Its own archive is not offered again; a missing one is reported and not created.
    const std::string missing = dir.file("missing.hqr");
    prompts.answer(Answer::No).answer(Answer::No).answer(Answer::No);
    choose(false, archive);
    choose(true, archive);
    choose(false, missing);
    EXPECT_FALSE(dialogShown());
    EXPECT_EQ(prompts.shown().back().icon, Prompts::Icon::Stop);
    EXPECT_FALSE(fileExists(missing));

    // Another archive with an item checked, then Cancel: File Save writes item 7 of the first.
    prompts.answer(Answer::No);
    choose(false, other, 9);
    dialog().Command2_Click();
    window->mnuFileSave_Click();
    EXPECT_EQ(itemBytes(archive, 7),
              StoredItem(TextFileBuilder(2).entry("Changed", 1).entry("Radio", 33).data()));
    EXPECT_EQ(readBytes(other), otherBytes);
}

TEST(FrmDecompTest, FollowsTheDecoder) {
    ensureApplication();
    frmDecomp progress;
    QProgressBar* bar = progress.ProgressBar1();
    progress.setProgress(40, 100);
    progress.setProgress(101, 100); // more data than the expanded size: the bar stays
    EXPECT_EQ(bar->value(), 40);
    progress.setProgress(3'000'000'000u, 6'000'000'000u);
    EXPECT_NEAR(double(bar->value()) / bar->maximum(), 0.5, 1e-6);
}

} // namespace
} // namespace zyn::test
