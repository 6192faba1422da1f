// The recovery file of the session's unsaved changes: written a while after the last change, its
// folder made through the file-system seam.

#include "session/documentrecovery.h"
#include "session/documentsession.h"
#include "support/faultyfilesystem.h"
#include "support/qtapplication.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace zyn::test {
namespace {

class RecoveryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApplicationOf<QGuiApplication>(); }
    void SetUp() override {
        state.Files = &files;
        const std::string path =
            dir.write("doc.zyt", TextFileBuilder(1).entries({"A", "B"}).bytes());
        auto read = ReadTextFile(files, path, false);
        ASSERT_TRUE(read.ok()) << read.message();
        session.open(std::move(*read), LooseFileOrigin(path));
    }

    TempDir dir;
    FaultyFileSystem files;
    ProgramState state;
    DocumentSession session{state};
};

// The time runs from the last change: while edits come sooner than the wait, nothing is written;
// the file is written once they stop.
TEST_F(RecoveryTest, EachChangeStartsTheWaitAgain) {
    DocumentRecovery recovery(session, dir.file("recovery"), std::chrono::milliseconds(400));
    int written = 0;
    QObject::connect(&recovery, &DocumentRecovery::written, [&] { ++written; });
    for (int i = 0; i < 10; ++i) {
        session.editText(i % 2, "Edit " + std::to_string(i));
        QTest::qWait(100);
    }
    EXPECT_EQ(written, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return written == 1; }, 3000));
}

// A recovery folder that cannot be made keeps nothing and says so on the terminal; the next
// write, once the folder can be made, keeps the changes.
TEST_F(RecoveryTest, AFolderThatCannotBeMadeKeepsNothingUntilItCan) {
    DocumentRecovery recovery(session, dir.file("data/recovery"));
    session.editText(0, "One");
    files.failOn(FaultyFileSystem::Op::MakeFolder);
    recovery.writeNow();
    EXPECT_EQ(recovery.file(), "");
    EXPECT_FALSE(fileExists(dir.file("data")));
    recovery.writeNow();
    ASSERT_NE(recovery.file(), "");
    EXPECT_TRUE(fileExists(recovery.file()));
}

} // namespace
} // namespace zyn::test
