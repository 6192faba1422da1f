// File Save and Save As through the main window with each file operation failing in turn: the
// user is told in a message box, Save stays enabled, Modified stays set and the file on disk is
// as it was.

#include "robustness/faultpoints.h"
#include "windows/mainwindowfixture.h"

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
        return faulty.count(point.op);
    });
    EXPECT_EQ(reached.size(), 4u);
}

} // namespace
} // namespace zyn::test
