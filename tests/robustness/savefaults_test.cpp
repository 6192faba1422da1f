// Every write path of the core with each of its file operations failing in turn, and saves on a
// real disk that refuses them: a folder the user may not write to, and a file system that is full.
// Whatever fails, every file in the folder is byte for byte as it was (an older backup of the
// archive included), the failure says why, and the document, its origin and the index are as
// they were.

#include "archive/archiveindex.h"
#include "archive/archiverewrite.h"
#include "base/itemheader.h"
#include "base/safewriter.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/archiveitemflow.h"
#include "flows/filesave.h"
#include "flows/opendocument.h"
#include "flows/programstate.h"
#include "support/archivebuilder.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn::test {
namespace {

// Every file in folder, by name, with its bytes.
std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = readBytes(entry.path().string());
    return files;
}

// A ZYN 2 text whose first entry is first.
TextFileBuilder text(const char* first) {
    return TextFileBuilder(2).entry(first, 3).entry("Radio", 33);
}
// As typed: a saved document holds it as it reads back, "New\r\ntext".
const std::string NewFirstEntry = "New @ text";

// A ZYN 2 archive whose item 1 is the text; item 2 shares item 0's bytes, item 3 is compressed.
std::string archiveWith(const std::string& item) {
    return ArchiveBuilder()
        .stored("ordinals")
        .stored(item)
        .sharedWith(0)
        .compressed(std::string(300, 'z'), 2)
        .build();
}

void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A document in folder whose first entry has an unsaved change, read from EN_000.DAT (a text file
// with a header) or loaded from item 1 of text.hqr as Open from HQR loads it. Either way the
// archive is there with item 1 chosen, as Save to HQR chooses it.
struct Edited {
    ProgramState program;
    OpenDocument open;
};

std::unique_ptr<Edited> openEdited(const std::string& folder, bool fromItem) {
    auto state = std::make_unique<Edited>();
    put(folder + "EN_000.DAT", text("Old @ text").withHeader().bytes());
    const DocumentOrigin item = ArchiveItemOrigin(folder + "text.hqr", 1, "EN_000.DIA");
    put(item.ArchivePath(), archiveWith(text("Old @ text").data()));
    EXPECT_TRUE(
        ReadArchiveIndex(state->program.files(), item.ArchivePath(), state->open.Archive).ok());
    if (fromItem) {
        auto loaded = LoadArchiveItem(state->program.files(), item.ArchivePath(),
                                      state->open.Archive, 1, item.ItemName, true);
        EXPECT_TRUE(loaded.ok());
        if (loaded)
            AdoptText(state->open.Document, std::move(*loaded), item);
    } else if (auto read = ReadTextFile(state->program.files(), folder + "EN_000.DAT", true)) {
        AdoptText(state->open.Document, std::move(*read), LooseFileOrigin(folder + "EN_000.DAT"));
    }
    state->open.Document.EntryText[0] = NewFirstEntry;
    return state;
}

// The message of a failed File Save, Save As (to saveAs) or Save to HQR (item 1 of the
// folder's text.hqr); empty when it saved.
std::string failureOf(Edited& state, bool toHqr = false, const std::string& saveAs = {}) {
    const std::string folder = folderOf(state.open.Document.Origin.FilePath);
    const SaveResult result =
        toHqr             ? WriteDocument(state.program, state.open.Document,
                                          ArchiveItemOrigin(folder + "text.hqr", 1, "EN_000.DIA"),
                                          state.open.Archive, {})
        : !saveAs.empty() ? WriteDocument(state.program, state.open.Document,
                                          SaveAsOrigin(state.open.Document.Origin, saveAs),
                                          state.open.Archive, {})
                          : SaveDocument(state.program, state.open, true, {});
    return result.saved() ? "" : result.message + " (not saved)";
}

// Every point at which a save can fail: the n-th file operation of each kind, for n = 1, 2, ...
// until the save no longer reaches an n-th operation of that kind, each failing with one of the
// errors a disk gives. The run after the last point of each kind is the check of a good save.
TEST(SaveFaults, EveryFailingOperationOfEveryWritePathKeepsEveryFile) {
    using Op = FaultyFileSystem::Op;
    const char* const errors[] = {"No space left on device", "Permission denied",
                                  "Read-only file system"};
    const char* const kinds[] = {"create", "write",  "flush", "rename",
                                 "link",   "delete", "lock",  "copy"};
    const struct {
        const char* name;
        std::string target;   // the file the save writes
        const char* existing; // a file that is there before
        bool toHqr;
        bool noLinks = false; // the file system has no hard links: the backup is a copy
    } paths[] = {
        {"File Save", "EN_000.DAT", nullptr, false},
        {"Save As over another file", "copy.ztf", "copy.ztf", false},
        {"Save As to a new file", "copy.ztf", nullptr, false},
        {"File Save of an archive item", "text.hqr", nullptr, false},
        {"Save to HQR", "text.hqr", nullptr, true},
        {"Save to HQR beside an older backup", "text.hqr", "text.~$R", true},
        {"Save to HQR without hard links", "text.hqr", "text.~$R", true, true},
    };
    for (const auto& path : paths) {
        const bool archive = path.target == "text.hqr";
        int reached = 0;
        for (int kind = 0; kind <= static_cast<int>(Op::Copy); ++kind) {
            const auto op = static_cast<Op>(kind);
            for (int n = 1;; ++n, ++reached) {
                const std::string reason = errors[(n - 1) % 3];
                FaultyFileSystem faulty;
                faulty.failOn(op, n, reason);
                TempDir dir;
                const auto state = openEdited(dir.path(), archive && !path.toHqr);
                if (path.existing)
                    put(dir.file(path.existing), "another file");
                const auto before = filesIn(dir.path());
                const std::vector<std::string> itemsBefore = state->open.Archive.ItemData;
                const bool fromArchive = state->open.Document.Origin.FromArchive;
                state->program.Files = &faulty;
                if (path.noLinks)
                    faulty.refuseLinks();

                const std::string message =
                    failureOf(*state, path.toHqr,
                              path.target == "copy.ztf" ? dir.file("copy.ztf") : std::string());
                SCOPED_TRACE(std::string(path.name) + ", " + kinds[kind] + " #" +
                             std::to_string(n) + " fails: " + reason);
                // Not reached: the save went through. A refused link is no failure either: the
                // backup is copied instead.
                const bool failed = faulty.count(op) >= n && op != Op::Link;
                EXPECT_EQ(state->open.Document.Origin.FromArchive, failed ? fromArchive : archive);
                auto expected = before;
                if (failed) {
                    // The user is told why, and which archive could not be rebuilt.
                    EXPECT_NE(message.find(reason), std::string::npos) << message;
                    EXPECT_TRUE(!archive || message.starts_with("Cannot rebuild the archive " +
                                                                dir.file("text.hqr") + ": "))
                        << message;
                    EXPECT_EQ(state->open.Document.EntryText[0], NewFirstEntry);
                    EXPECT_EQ(state->open.Archive.ItemData, itemsBefore);
                } else {
                    EXPECT_EQ(message, "");
                    EXPECT_EQ(state->open.Document.EntryText[0], "New\r\ntext");
                    expected[path.target] = archive ? archiveWith(text("New @ text").data())
                                                    : text("New @ text").withHeader().bytes();
                    if (archive)
                        expected[BackupName(path.target)] = before.at(path.target);
                }
                EXPECT_EQ(filesIn(dir.path()), expected);
                if (faulty.count(op) < n)
                    break;
            }
        }
        // Create, write, flush and rename of the new file. A rebuild first locks the archive
        // and links its backup under a name of its own, or without links copies it in create,
        // copy and flush; its new archive takes two writes and two copies (the bytes made anew,
        // and the runs of the old archive after each), and is locked before it is renamed into
        // place; the backup is renamed to its name last.
        EXPECT_EQ(reached, !archive ? 4 : path.noLinks ? 13 : 11) << path.name;
    }
}

TEST(RealDisk, SaveIntoAFolderWithoutWritePermissionFails) {
    TempDir dir;
    // Others may enter the test's folder, but not write into the document's folder.
    ::chmod(dir.path().c_str(), 0755);
    const std::string folder = dir.file("locked/");
    ::mkdir(folder.c_str(), 0755);
    const auto state = openEdited(folder, false);
    ::chmod(folder.c_str(), 0555);
    const auto before = filesIn(folder);
    // Root may write anywhere: the save runs as the user nobody.
    const passwd* nobody = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0;
    if (root && (!nobody || ::setegid(nobody->pw_gid) != 0 || ::seteuid(nobody->pw_uid) != 0)) {
        EXPECT_EQ(::setegid(0), 0);
        GTEST_SKIP() << "cannot run a save without write permission here (no user to drop to)";
    }
    const std::string message = failureOf(*state);
    if (root && (::seteuid(0) != 0 || ::setegid(0) != 0))
        FAIL() << "cannot become root again";
    ::chmod(folder.c_str(), 0755);
    EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    EXPECT_EQ(filesIn(folder), before);
}

TEST(RealDisk, FileSaveAndTheArchiveRebuildOnAFullFileSystemFail) {
    TempDir dir;
    const std::string mountPoint = dir.file("small/");
    ::mkdir(mountPoint.c_str(), 0755);
    if (::mount("zyntest", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    const auto loose = openEdited(mountPoint, false);
    const auto item = openEdited(mountPoint, true);
    item->open.Document.EntryText[0] = std::string(8192, 'n');
    put(mountPoint + "text.~$R", "an older backup");
    // Filler up to the last block.
    std::ofstream filler(mountPoint + "filler", std::ios::binary);
    for (const std::string block(4096, 'f'); filler.write(block.data(), block.size()).flush();) {
    }
    const auto before = filesIn(mountPoint);

    for (Edited* state : {loose.get(), item.get()}) {
        EXPECT_NE(failureOf(*state).find("No space left on device"), std::string::npos);
        EXPECT_EQ(filesIn(mountPoint), before);
    }
    ::umount2(mountPoint.c_str(), MNT_DETACH);
}

// A writer's target walked link by link: each link followed from the folder that holds it (a
// relative one there, "..", an absolute one, one to a folder inside the path, one of /proc to
// a descriptor), what the path reaches given back, and anything else refused by name before a
// file is made: a loop, a link leading nowhere (also through a folder that is not there).
// (Another account's link in a shared folder: the tool's writers as real processes.)
TEST(RealDisk, LinksAreWalkedOneByOneAndRefusedBeforeAnythingIsMade) {
    TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directories(dir.file("real/inner"));
    put(dir.file("real/file"), "file");
    fs::create_symlink("real/file", dir.file("relative"));
    fs::create_symlink("../file", dir.file("real/inner/up"));
    fs::create_symlink(dir.file("real/inner/up"), dir.file("absolute"));
    fs::create_directory_symlink("real", dir.file("folder"));
    fs::create_symlink("loop", dir.file("loop"));
    fs::create_symlink("nowhere/file", dir.file("dangling"));
    const int held = ::open(dir.file("real").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const std::string throughHeld = "/proc/self/fd/" + std::to_string(held) + "/file";
    const struct {
        std::string path, reached; // reached: what is written, or part of the refusal
        bool refused;
    } cases[] = {
        {dir.file("relative"), dir.file("real/file"), false},
        {dir.file("absolute"), dir.file("real/file"), false},
        {dir.file("real/inner/../inner/up"), dir.file("real/file"), false},
        {dir.file("folder/file"), dir.file("folder/file"), false},
        {dir.file("folder/new"), dir.file("folder/new"), false},
        {throughHeld, throughHeld, false},
        {dir.file("loop"), "Too many levels of symbolic links", true},
        {dir.file("dangling"), "it is a link that leads nowhere", true},
    };
    for (const auto& c : cases) {
        const auto followed = realFileSystem().followLinks(c.path);
        if (!c.refused) {
            EXPECT_EQ(followed ? *followed : followed.message(), c.reached);
            continue;
        }
        EXPECT_NE(followed.message().find(c.reached), std::string::npos) << followed.message();
        FaultyFileSystem counted;
        EXPECT_FALSE(WriteFileSafely(counted, c.path, "new").ok());
        EXPECT_EQ(counted.count(FaultyFileSystem::Op::Create), 0) << c.path;
    }
    ::close(held);
    EXPECT_EQ(readBytes(dir.file("real/file")), "file");
}

} // namespace
} // namespace zyn::test
