// File Save, Save As, File Save of an archive item and Save to HQR through the windows, with each
// file operation failing in turn: the user is told in a message box, Save stays enabled,
// Modified stays set and the file or archive on disk is as it was.

#include "archive/archiverewrite.h"
#include "robustness/faultpoints.h"
#include "support/archivebuilder.h"
#include "windows/frmselhqr.h"
#include "windows/mainwindowfixture.h"

#include <QListWidget>

namespace zyn::test {
namespace {

const std::string OldText = TextFileBuilder(1).entry("Old @ text").bytes();

class WindowFaultsTest : public MainWindowTest {
protected:
    void SetUp() override { start(); }
    void TearDown() override {
        state.Files = &realFileSystem();
        MainWindowTest::TearDown();
    }

    // Opens a fresh copy of the old file under a name of its own and edits it.
    std::string openEdited() {
        state.Files = &realFileSystem();
        const std::string path = dir.write("doc" + std::to_string(++opened) + ".zyt", OldText);
        if (state.Modified)
            prompts.answer(Answer::No);
        open(path, false);
        window->commitEditedText("New text");
        window->Timer1_Timer();
        prompts.clearLog();
        return path;
    }

    // After a save at point: a failure was shown with its reason, or the save went through.
    // skipped: the boxes shown before the save itself (Save As's dialog).
    void expectOutcome(const FaultPoint& point, bool failed, std::size_t skipped = 0) {
        if (failed) {
            ASSERT_EQ(prompts.shown().size(), skipped + 1) << point.describe();
            const auto& notice = prompts.shown()[skipped];
            EXPECT_EQ(notice.kind, ScriptedPrompts::Kind::Notice);
            EXPECT_EQ(notice.icon, Prompts::Icon::Stop);
            EXPECT_EQ(notice.title, title());
            EXPECT_TRUE(notice.text.contains(QString::fromStdString(point.reason)))
                << notice.text.toStdString();
        } else {
            EXPECT_EQ(prompts.shown().size(), skipped) << point.describe();
        }
        EXPECT_EQ(state.Modified, failed) << point.describe();
        EXPECT_EQ(buttonEnabled(3), failed) << point.describe();
        EXPECT_EQ(itemEnabled("mnuFileSave"), failed) << point.describe();
    }

    // A fresh ZYN 2 text archive (180 items) whose item 7 holds a text; every other item a
    // few bytes.
    std::string writeArchive() {
        ArchiveBuilder builder;
        for (int i = 0; i < 180; ++i)
            builder.stored(i == 7 ? TextFileBuilder(2).entry("Archived", 1).data()
                                  : "item " + std::to_string(i));
        return dir.write("text" + std::to_string(++opened) + ".hqr", builder.build());
    }

    // Open from HQR or Save to HQR: the archive, a check on item, then Load or Save.
    void throughItemDialog(bool save, const std::string& archive, int item) {
        // Unsaved changes are asked about before the archive is chosen, and again by Load.
        if (state.Modified)
            prompts.answer(Answer::No);
        if (state.Modified && !save)
            prompts.answer(Answer::No);
        prompts.chooseFile(QString::fromStdString(archive));
        save ? window->mnuFileSaveToHQR_Click() : window->mnuFileOpenFromHQR_Click();
        auto* dialog = window->findChild<frmSelHQR*>();
        ASSERT_NE(dialog, nullptr);
        dialog->List1()->item(item)->setCheckState(Qt::Checked);
        dialog->Command1_Click();
    }

    // The archive as it was, and at most its backup beside it.
    void expectArchiveKept(const FaultPoint& point, const std::string& archive,
                           const std::string& old, const std::set<std::string>& before) {
        EXPECT_TRUE(readBytes(archive) == old) << point.describe();
        std::set<std::string> after = filesIn(dir.path());
        const std::string backup = BackupName(archive);
        if (after.erase(backup.substr(dir.path().size())) == 1) {
            EXPECT_TRUE(readBytes(backup) == old) << point.describe();
        }
        EXPECT_EQ(after, before) << point.describe();
    }

    int opened = 0;
};

TEST_F(WindowFaultsTest, FileSave) {
    const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
        const std::string path = openEdited();
        FaultyFileSystem faulty;
        faulty.failOn(point.op, point.nth, point.reason);
        state.Files = &faulty;
        const auto before = filesIn(dir.path());
        window->mnuFileSave_Click();
        const bool failed = faulty.count(point.op) >= point.nth;
        expectOutcome(point, failed);
        EXPECT_EQ(readBytes(path) == OldText, failed) << point.describe();
        EXPECT_EQ(filesIn(dir.path()), before) << point.describe();
        state.Files = &realFileSystem(); // faulty ends with this attempt
        return faulty.count(point.op);
    });
    EXPECT_EQ(reached.size(), 4u);
}

TEST_F(WindowFaultsTest, SaveAs) {
    const std::string other = TextFileBuilder(1).entry("Another file").bytes();
    const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
        const std::string path = openEdited();
        const std::string target = dir.write("target.zyt", other);
        FaultyFileSystem faulty;
        faulty.failOn(point.op, point.nth, point.reason);
        state.Files = &faulty;
        const auto before = filesIn(dir.path());
        prompts.chooseFile(QString::fromStdString(target));
        window->mnuFileSaveAs_Click();
        const bool failed = faulty.count(point.op) >= point.nth;
        // The save dialog, then what the save showed.
        EXPECT_EQ(prompts.shown().front().kind, ScriptedPrompts::Kind::SaveFile);
        expectOutcome(point, failed, 1);
        EXPECT_EQ(readBytes(path), OldText) << point.describe();
        EXPECT_EQ(readBytes(target) == other, failed) << point.describe();
        EXPECT_EQ(filesIn(dir.path()), before) << point.describe();
        state.Files = &realFileSystem(); // faulty ends with this attempt
        return faulty.count(point.op);
    });
    EXPECT_EQ(reached.size(), 4u);
}

TEST_F(WindowFaultsTest, FileSaveOfAnArchiveItem) {
    const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
        const std::string archive = writeArchive();
        const std::string old = readBytes(archive);
        throughItemDialog(false, archive, 7);
        window->commitEditedText("Changed");
        window->Timer1_Timer();
        prompts.clearLog();
        FaultyFileSystem faulty;
        faulty.failOn(point.op, point.nth, point.reason);
        state.Files = &faulty;
        const auto before = filesIn(dir.path());
        window->mnuFileSave_Click();
        const bool failed = faulty.count(point.op) >= point.nth;
        expectOutcome(point, failed);
        if (failed)
            expectArchiveKept(point, archive, old, before);
        else
            EXPECT_FALSE(readBytes(archive) == old);
        state.Files = &realFileSystem(); // faulty ends with this attempt
        return faulty.count(point.op);
    });
    // The copy to the backup; create, write, flush and rename of the new archive.
    EXPECT_EQ(reached.size(), 5u);
}

TEST_F(WindowFaultsTest, SaveToHqr) {
    const auto reached = forEachFaultPoint([&](const FaultPoint& point) {
        const std::string path = openEdited();
        const std::string archive = writeArchive();
        const std::string old = readBytes(archive);
        FaultyFileSystem faulty;
        faulty.failOn(point.op, point.nth, point.reason);
        state.Files = &faulty;
        const auto before = filesIn(dir.path());
        throughItemDialog(true, archive, 9);
        const bool failed = faulty.count(point.op) >= point.nth;
        auto* dialog = window->findChild<frmSelHQR*>();
        if (failed) {
            const auto& notice = prompts.shown().back();
            EXPECT_EQ(notice.kind, ScriptedPrompts::Kind::Notice) << point.describe();
            EXPECT_TRUE(notice.text.contains(QString::fromStdString(point.reason)))
                << notice.text.toStdString();
            EXPECT_TRUE(dialog->isVisible()) << "the dialog stays for another try";
            expectArchiveKept(point, archive, old, before);
            EXPECT_FALSE(state.FromArchive);
            dialog->Command2_Click();
        } else {
            EXPECT_NE(prompts.shown().back().kind, ScriptedPrompts::Kind::Notice);
            EXPECT_FALSE(readBytes(archive) == old);
            EXPECT_TRUE(state.FromArchive);
        }
        EXPECT_EQ(state.Modified, failed) << point.describe();
        EXPECT_EQ(buttonEnabled(3), failed) << point.describe();
        EXPECT_EQ(readBytes(path), OldText);
        state.Files = &realFileSystem(); // faulty ends with this attempt
        return faulty.count(point.op);
    });
    EXPECT_EQ(reached.size(), 5u);
}

} // namespace
} // namespace zyn::test
