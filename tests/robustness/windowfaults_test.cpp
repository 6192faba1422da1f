// File Save, Save As, File Save of an archive item and Save to HQR through the windows, with each
// file operation failing in turn: the user is told in a message box of the window that saved,
// Save stays enabled, Modified stays set and every file on disk is as it was.

#include "robustness/faultpoints.h"
#include "support/archivebuilder.h"
#include "windows/frmselhqr.h"
#include "windows/mainwindowfixture.h"

#include <QListWidget>
#include <algorithm>

namespace zyn::test {
namespace {

class WindowFaultsTest : public MainWindowTest {};

enum class Path { FileSave, SaveAs, FileSaveOfAnArchiveItem, SaveToHqr };

TEST_F(WindowFaultsTest, EveryFailingOperationOfEverySaveIsShownAndKeepsEveryFile) {
    start();
    // A ZYN 2 text archive of 180 items whose item 7 holds a text.
    ArchiveBuilder builder;
    for (int i = 0; i < 180; ++i)
        builder.stored(i == 7 ? TextFileBuilder(2).entry("Archived").data() : std::to_string(i));
    const std::string archiveBytes = builder.build();
    // Open from HQR or Save to HQR: the archive, a check on item, then Load or Save.
    const auto throughItemDialog = [&](bool save, const std::string& archive, int item) {
        // Unsaved changes are asked about before the archive is chosen, and again by Load.
        if (state.Document.Modified)
            prompts.answer(Answer::No);
        if (state.Document.Modified && !save)
            prompts.answer(Answer::No);
        prompts.chooseFile(QString::fromStdString(archive));
        save ? window->mnuFileSaveToHQR_Click() : window->mnuFileOpenFromHQR_Click();
        auto* dialog = window->findChild<frmSelHQR*>();
        dialog->List1()->item(item)->setCheckState(Qt::Checked);
        dialog->Command1_Click();
    };
    int opened = 0; // each file is opened under a name of its own, so that File Open reads it

    for (const Path path :
         {Path::FileSave, Path::SaveAs, Path::FileSaveOfAnArchiveItem, Path::SaveToHqr}) {
        const bool archive = path == Path::FileSaveOfAnArchiveItem || path == Path::SaveToHqr;
        const int reached =
            forEachFaultPoint([&](const FaultPoint& point, FaultyFileSystem& faulty) {
                const std::string fresh = std::to_string(++opened);
                if (path == Path::FileSaveOfAnArchiveItem) {
                    throughItemDialog(false, dir.write(fresh + ".hqr", archiveBytes), 7);
                } else {
                    if (state.Document.Modified)
                        prompts.answer(Answer::No);
                    open(dir.write(fresh + ".zyt", TextFileBuilder(1).entry("Old").bytes()), false);
                }
                commit("Changed");
                const std::string target = // the file the save writes
                    path == Path::SaveAs      ? dir.write("target.zyt", "another file")
                    : path == Path::SaveToHqr ? dir.write(fresh + ".hqr", archiveBytes)
                                              : state.Document.FilePath;
                const std::string name = target.substr(dir.path().size());
                const bool fromArchive = state.Document.FromArchive;
                const auto before = filesIn(dir.path());
                prompts.clearLog();
                state.Files = &faulty;

                if (path == Path::SaveAs)
                    prompts.chooseFile(QString::fromStdString(target));
                if (path == Path::SaveToHqr)
                    throughItemDialog(true, target, 9);
                else
                    path == Path::SaveAs ? window->mnuFileSaveAs_Click()
                                         : window->mnuFileSave_Click();
                state.Files = &realFileSystem(); // faulty ends with this attempt

                // A refused link is no failure: the backup is copied instead.
                const bool failed =
                    faulty.count(point.op) >= point.nth && point.op != FaultyFileSystem::Op::Link;
                SCOPED_TRACE(name + ", " + point.describe());
                auto* dialog = window->findChild<frmSelHQR*>();
                const auto& shown = prompts.shown();
                EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                                        [](const auto& box) { return box.kind == Kind::Notice; }),
                          failed ? 1 : 0);
                if (failed && !shown.empty()) {
                    // Titled by the window that saved; Save As has named the main window already.
                    EXPECT_EQ(shown.back().title,
                              path == Path::SaveToHqr ? dialog->windowTitle() : title());
                    EXPECT_EQ(shown.back().icon, Prompts::Icon::Stop);
                    EXPECT_TRUE(shown.back().text.contains(QString::fromStdString(point.reason)))
                        << shown.back().text.toStdString();
                }
                EXPECT_EQ(state.Document.Modified, failed);
                EXPECT_EQ(buttonEnabled(3), failed);
                EXPECT_EQ(state.Document.FromArchive, failed ? fromArchive : archive);
                // A failed Save to HQR leaves the dialog open for another try.
                EXPECT_EQ(dialog && dialog->isVisible(), failed && path == Path::SaveToHqr);
                if (dialog && dialog->isVisible())
                    dialog->Command2_Click();

                const auto after = filesIn(dir.path());
                // The backup is in place once its link was renamed: the first rename.
                const bool backupKept =
                    !failed || point.op != FaultyFileSystem::Op::Rename || point.nth > 1;
                auto expected = keptWithBackup(before, name, archive && backupKept);
                if (!failed) {
                    EXPECT_NE(after.at(name), before.at(name));
                    expected[name] = after.at(name);
                }
                EXPECT_TRUE(after == expected);
            });
        EXPECT_EQ(reached, archive ? 6 : 4);
    }
}

} // namespace
} // namespace zyn::test
