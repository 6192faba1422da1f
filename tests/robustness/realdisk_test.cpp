// Saves on a real disk that refuses them: a folder the user may not write to, and a file system
// that is full. The saves fail with the system's reason and leave every file as it was.

#include "archive/archiveindex.h"
#include "archive/archiveitemflow.h"
#include "archive/archiverewrite.h"
#include "document/programstate.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "robustness/faultpoints.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <pwd.h>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zyn::test {
namespace {

const std::string OldText = TextFileBuilder(1).entry("Old @ text").entry("Second").bytes();

std::unique_ptr<ProgramState> editedDocument(const std::string& path) {
    auto state = std::make_unique<ProgramState>();
    auto read = ReadTextFile(state->files(), path, false);
    EXPECT_TRUE(read.ok()) << read.message();
    if (read)
        AdoptText(*state, std::move(*read));
    SetFileName(*state, path);
    state->EntryText[0] = "New text";
    state->Modified = true;
    return state;
}

// Runs save in a child process that has dropped to the user nobody when the test runs as root,
// and returns the message of its failure ("" when it saved, "!" when it could not start).
std::string saveAsUnprivileged(const std::function<std::string()>& save) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "!";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string message = "!";
        const passwd* nobody = ::getpwnam("nobody");
        if (::geteuid() != 0 ||
            (nobody && ::setgid(nobody->pw_gid) == 0 && ::setuid(nobody->pw_uid) == 0))
            message = save();
        const ssize_t written = ::write(pipeFds[1], message.data(), message.size());
        ::_exit(written == static_cast<ssize_t>(message.size()) ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? message : "!";
}

TEST(RealDisk, SaveIntoAFolderWithoutWritePermissionFails) {
    TempDir dir;
    // Others may enter the test's folder, but not write into the document's folder; the
    // document itself may be written, so the save gets as far as its temporary file.
    ::chmod(dir.path().c_str(), 0755);
    const std::string folder = dir.file("locked/");
    ::mkdir(folder.c_str(), 0755);
    const std::string path = folder + "EN_000.ZYT";
    { std::ofstream(path, std::ios::binary) << OldText; }
    ::chmod(path.c_str(), 0666);
    auto state = editedDocument(path);
    if (::geteuid() != 0)
        ::chmod(folder.c_str(), 0555);

    const std::string saved = saveAsUnprivileged([&] {
        const SaveResult result = SaveDocument(*state);
        return result.outcome == SaveOutcome::Failed ? result.message : std::string();
    });
    if (saved == "!")
        GTEST_SKIP() << "cannot run a save without write permission here (no user to drop to)";
    EXPECT_NE(saved.find("Permission denied"), std::string::npos) << saved;
    EXPECT_EQ(readBytes(path), OldText);
    EXPECT_EQ(filesIn(folder), std::set<std::string>{"EN_000.ZYT"});

    const std::string savedAs = saveAsUnprivileged([&] {
        PrepareSaveAs(*state, folder + "COPY.ZYT");
        const SaveResult result = SaveDocument(*state);
        return result.outcome == SaveOutcome::Failed ? result.message : std::string();
    });
    EXPECT_NE(savedAs.find("Permission denied"), std::string::npos) << savedAs;
    EXPECT_EQ(filesIn(folder), std::set<std::string>{"EN_000.ZYT"});
}

// A small file system of its own, mounted for the test and filled to the last block.
class FullFileSystem : public testing::Test {
protected:
    void SetUp() override {
        mountPoint = dir.file("small/");
        ::mkdir(mountPoint.c_str(), 0755);
        if (::mount("zyntest", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0)
            GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
        mounted = true;
    }
    void TearDown() override {
        if (mounted)
            ::umount2(mountPoint.c_str(), MNT_DETACH);
    }

    // Writes filler until the file system refuses another byte.
    void fill() {
        const std::string path = mountPoint + "filler";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }

    TempDir dir;
    std::string mountPoint;
    bool mounted = false;
};

TEST_F(FullFileSystem, FileSaveFailsAndKeepsTheOldFile) {
    const std::string path = mountPoint + "EN_000.ZYT";
    { std::ofstream(path, std::ios::binary) << OldText; }
    auto state = editedDocument(path);
    fill();
    const auto before = filesIn(mountPoint);

    const SaveResult result = SaveDocument(*state);
    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_NE(result.message.find("No space left on device"), std::string::npos) << result.message;
    EXPECT_TRUE(state->Modified);
    EXPECT_EQ(readBytes(path), OldText);
    EXPECT_EQ(filesIn(mountPoint), before);
}

TEST_F(FullFileSystem, ArchiveRebuildFailsAndKeepsTheArchive) {
    auto state = std::make_unique<ProgramState>();
    ArchiveBuilder builder;
    builder.stored("ordinals").stored(TextFileBuilder(1).entry("Old").data());
    state->ArchivePath = mountPoint + "text.hqr";
    { std::ofstream(state->ArchivePath, std::ios::binary) << builder.build(); }
    const std::string old = readBytes(state->ArchivePath);
    state->ArchiveItem = 1;
    ASSERT_TRUE(ReadArchiveIndex(state->files(), state->ArchivePath, *state).ok());
    ASSERT_TRUE(LoadArchiveItem(*state).ok());
    SetFileName(*state, state->ArchivePath); // as the item dialog's Load does
    state->EntryText[0] = std::string(8192, 'n');
    state->Modified = true;
    fill();
    const auto before = filesIn(mountPoint);

    const SaveResult result = SaveDocument(*state);
    EXPECT_EQ(result.outcome, SaveOutcome::Failed);
    EXPECT_NE(result.message.find("No space left on device"), std::string::npos) << result.message;
    EXPECT_TRUE(state->Modified);
    EXPECT_EQ(readBytes(state->ArchivePath), old);
    auto after = filesIn(mountPoint);
    // A backup made before the disk ran out holds the archive as it was.
    if (after.erase("text.~$R") == 1) {
        EXPECT_EQ(readBytes(BackupName(state->ArchivePath)), old);
    }
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace zyn::test
