// zyntext's writers run as real processes against what people really do to them: two runs into
// one folder, kills at random moments, links, private and read-only files, and links planted at
// the names older versions wrote through; and the working folders of runs that were stopped.

#include "archive/archiveindex.h"
#include "base/interruptcleanup.h"
#include "base/itemheader.h"
#include "base/workingfolder.h"
#include "support/archivebuilder.h"
#include "support/lockholder.h"
#include "support/lzssencoder.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <pwd.h>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

// How many files and folders folder holds: what a run adds to it, temporary files included.
long entries(const std::string& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

struct stat statOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

const std::string NewText = TextFileBuilder(1).entry("New").bytes();
const std::string NewJson = R"({"game": 1, "entries": [{"text": "New"}]})";
const std::string OldArchive = ArchiveBuilder().stored("old item").build();
const std::string NewArchive = ArchiveBuilder().stored("new item").build();

TEST(SafeWrites, EveryWriterFollowsLinksKeepsPermissionsAndRefusesWhatItMayNotWrite) {
    // Links to a victim planted at the fixed names the earlier writers wrote through.
    const char* const planted[] = {"TEMP$$$$.$$$", "target.hqr.~$N", "target.~$R.part",
                                   "target.hqr.part"};
    // Each writer of the tool, writing target.hqr of the folder it runs in.
    const struct {
        std::vector<std::string> args;
        std::string before, after; // the target's bytes
    } writers[] = {
        {{"build", "in.json", "target.hqr"}, "old", NewText},
        {{"hqr", "extract", "a.hqr", "0", "target.hqr"}, "old", itemHeader(8, 8, 0) + "new item"},
        {{"expand", "in.ztf", "target.hqr"}, "old", "new item"},
        {{"hqr", "replace", "target.hqr", "0", "item.bin"}, OldArchive, NewArchive},
    };
    // Dangling: a link to a file that is not there, which is never made.
    enum Kind { Private, Link, New, Owned, ReadOnly, Folder, Fifo, Dangling };
    const passwd* nobody = ::getpwnam("nobody");
    for (const auto& writer : writers) {
        for (const Kind kind : {Private, Link, New, Owned, ReadOnly, Folder, Fifo, Dangling}) {
            SCOPED_TRACE(writer.args[0] + " " + writer.args[1] + ", target kind " +
                         std::to_string(kind));
            const bool archive = writer.before == OldArchive;
            if ((kind == Owned && (::geteuid() != 0 || !nobody)) || (kind == New && archive))
                continue; // only root may give a file away; an archive to replace must exist
            TempDir dir;
            dir.write("in.json", NewJson);
            dir.write("a.hqr", NewArchive);
            dir.write("in.ztf", CompressedItem("new item", 2));
            dir.write("item.bin", "new item");
            for (const char* name : planted)
                fs::create_symlink(dir.write("victim", "victim"), dir.file(name));
            fs::create_directory(dir.file("real"));
            // The file written: where the link leads, or the target itself.
            const bool link = kind == Link || kind == Dangling;
            const std::string file = dir.file(link ? "real/target.hqr" : "target.hqr");
            if (kind == Folder)
                fs::create_directory(file);
            else if (kind == Fifo)
                ::mkfifo(file.c_str(), 0644);
            else if (kind != New && kind != Dangling)
                dir.write(file.substr(dir.path().size()), writer.before);
            if (link)
                fs::create_symlink("real/target.hqr", dir.file("target.hqr"));
            if (kind == Owned && ::chown(file.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
                FAIL() << "cannot give the file away";
            ::chmod(file.c_str(), kind == ReadOnly ? 0444 : kind == Private ? 0600 : 0644);

            const long before = entries(dir.path()) + entries(dir.file("real"));
            const ToolRun run = zyntext(writer.args, dir.path(), "umask 027;");
            const long added = entries(dir.path()) + entries(dir.file("real")) - before;
            const std::string backup = file.substr(0, file.size() - 4) + ".~$R";
            EXPECT_EQ(readBytes(dir.file("victim")), "victim");
            if (kind >= ReadOnly) {
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(run.err.rfind("zyntext: ", 0), 0u) << run.err;
                EXPECT_EQ(fs::status(file).type(), kind == Folder     ? fs::file_type::directory
                                                   : kind == Fifo     ? fs::file_type::fifo
                                                   : kind == Dangling ? fs::file_type::not_found
                                                                      : fs::file_type::regular);
                EXPECT_TRUE(kind != ReadOnly || readBytes(file) == writer.before);
                EXPECT_EQ(added, 0);
                continue;
            }
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(readBytes(file), writer.after);
            EXPECT_EQ(fs::is_symlink(dir.file("target.hqr")), link);
            const mode_t mode = kind == New ? 0640 : kind == Private ? 0600 : 0644;
            EXPECT_EQ(statOf(file).st_mode & 0777, mode);
            EXPECT_TRUE(kind != Owned || statOf(file).st_uid == nobody->pw_uid);
            // The backup lies beside the archive file and keeps its bits.
            if (archive) {
                EXPECT_EQ(readBytes(backup), OldArchive);
                EXPECT_EQ(statOf(backup).st_mode & 0777, mode);
            }
            EXPECT_EQ(added, archive + (kind == New)); // the backup or the new file, nothing else
        }
    }
}

// The backup's name is the rebuild's own: a link or a second name of someone's file planted
// there (in a shared folder, by another account) is replaced as a name, never written through.
// A rebuild that would change no byte is not made: the archive and the older backup stay.
TEST(SafeWrites, WhateverStandsAtTheBackupNameIsReplacedNeverWrittenThrough) {
    enum Planted { LinkToVictim, LinkToNothing, SecondNameOfVictim };
    const passwd* nobody = ::getpwnam("nobody");
    for (const Planted planted : {LinkToVictim, LinkToNothing, SecondNameOfVictim}) {
        SCOPED_TRACE("planted " + std::to_string(planted));
        TempDir dir;
        dir.write("text.hqr", OldArchive);
        dir.write("item.bin", "new item");
        const std::string victim = dir.write("victim", "victim"), backup = dir.file("text.~$R");
        ::chmod(victim.c_str(), 0600);
        if (planted == SecondNameOfVictim)
            fs::create_hard_link(victim, backup);
        else
            fs::create_symlink(planted == LinkToVictim ? victim : dir.file("made"), backup);
        if (nobody && ::geteuid() == 0) { // as another account would
            EXPECT_EQ(::lchown(backup.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        }

        const ToolRun run = zyntext({"hqr", "replace", "text.hqr", "0", "item.bin"}, dir.path());
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readBytes(dir.file("text.hqr")), NewArchive);
        EXPECT_EQ(readBytes(victim), "victim");
        EXPECT_EQ(statOf(victim).st_mode & 0777, 0600u);
        EXPECT_EQ(statOf(victim).st_nlink, 1u);
        EXPECT_FALSE(fileExists(dir.file("made")));
        EXPECT_FALSE(fs::is_symlink(backup));
        EXPECT_EQ(readBytes(backup), OldArchive);
        EXPECT_EQ(entries(dir.path()), 4);
        // Again: the item holds that already, so nothing is written and the backup stays.
        const ino_t inode = statOf(dir.file("text.hqr")).st_ino;
        EXPECT_EQ(zyntext({"hqr", "replace", "text.hqr", "0", "item.bin"}, dir.path()).out,
                  "Item 0 of " + dir.file("text.hqr") +
                      " already holds this; nothing was changed.\n");
        EXPECT_EQ(statOf(dir.file("text.hqr")).st_ino, inode);
        EXPECT_EQ(readBytes(backup), OldArchive);
    }
}

// What an archive holds, item by item, or nothing when it cannot be read whole.
std::vector<std::string> itemsOf(const std::string& path) {
    ArchiveIndex index;
    if (!ReadArchiveIndex(realFileSystem(), path, index).ok())
        return {};
    return {index.ItemData.begin(), index.ItemData.end()};
}

// An archive of items of 4 KB, and its items with item k given new data.
struct ArchiveStates {
    explicit ArchiveStates(int items) {
        ArchiveBuilder builder;
        for (int i = 0; i < items; ++i)
            builder.raw(original.emplace_back(StoredItem(std::string(4096, char('a' + i % 26)))));
        bytes = builder.build();
    }
    std::vector<std::string>
    with(std::initializer_list<std::pair<int, std::string>> changes) const {
        std::vector<std::string> items = original;
        for (const auto& [item, data] : changes)
            items[static_cast<std::size_t>(item)] = StoredItem(data);
        return items;
    }

    std::string bytes;
    std::vector<std::string> original;
};

// How long run takes, in microseconds.
long microsecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const auto took = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::microseconds>(took).count();
}

// The shell words that send a run SIGTERM or SIGKILL at a random moment of its first micros
// microseconds.
std::string killedWithin(bool kill, long micros) {
    static std::mt19937 random(std::random_device{}());
    const long delay = std::uniform_int_distribution<long>(1, micros)(random);
    return std::string("timeout -s ") + (kill ? "KILL " : "TERM ") + std::to_string(delay / 1e6) +
           " ";
}

// A build killed at a random moment leaves the old or the new bytes, and beside it another build
// into the same folder always writes its own output whole: the two never share a temporary file.
// (A killed rebuild of an archive: the turns of two replaces below.)
TEST(SafeWrites, AKilledBuildLeavesTheOldOrTheNewBytesAndTheBuildBesideItWhole) {
    TempDir dir;
    dir.write("in.json", NewJson);
    dir.write("two.json", R"({"game": 2, "entries": [{"text": "Two", "type": 3}]})");
    const std::string two = TextFileBuilder(2).entry("Two", 3).bytes();
    const std::string target = dir.file("work/out.zyt");
    // Prepares the folder and runs; the status is the build alongside's.
    const auto run = [&](const std::string& prefix) {
        fs::remove_all(dir.file("work"));
        fs::create_directory(dir.file("work"));
        dir.write("work/out.zyt", "old");
        return std::system(("cd " + quoted(dir.file("work")) + " && { " + prefix +
                            toolLine({"build", "../in.json", "out.zyt"}) + " >/dev/null 2>&1 & " +
                            toolLine({"build", "../two.json", "two.zyt"}) +
                            "; s=$?; wait; exit $s; }")
                               .c_str());
    };
    // One undisturbed run gives the new bytes and how long a run takes.
    const long took = microsecondsOf([&] { ASSERT_EQ(run(""), 0); });
    const std::string after = readBytes(target);
    int kept = 0, replaced = 0, withTemporary = 0;
    for (int round = 0; round < 30; ++round) {
        const bool kill = round % 2;
        const int status = run(killedWithin(kill, took));
        const std::string now = readBytes(target);
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_TRUE(now == "old" || now == after) << now.size() << " bytes";
        (now == after ? replaced : kept)++;
        EXPECT_TRUE(status == 0 && readBytes(dir.file("work/two.zyt")) == two);
        // Removed on SIGTERM; SIGKILL leaves no time to remove the run's temporary file.
        const long left = entries(dir.file("work")) - 2;
        EXPECT_LE(left, kill ? 1 : 0);
        withTemporary += left;
    }
    std::cout << kept << " old, " << replaced << " new, " << withTemporary
              << " files left by SIGKILL\n";
}

// Rebuilds of one archive take turns: the second waits for the first and starts from what it
// left, so no change is lost, also when the first is killed at any moment (SIGTERM or SIGKILL,
// within the time an undisturbed run takes). The backup is always a whole earlier archive.
TEST(SafeWrites, TwoReplacesOfOneArchiveTakeTurnsAlsoWhenTheFirstIsKilled) {
    const ArchiveStates states(2000);
    const auto first = states.with({{7, "first"}}), second = states.with({{1500, "second"}});
    const auto both = states.with({{7, "first"}, {1500, "second"}});
    TempDir dir;
    dir.write("first", "first");
    dir.write("second", "second");
    const std::string cd = "cd " + quoted(dir.path()) + " && ";
    const auto firstRun = toolLine({"hqr", "replace", "text.hqr", "7", "first"}) + " >/dev/null";
    const auto secondRun = toolLine({"hqr", "replace", "text.hqr", "1500", "second"});
    dir.write("text.hqr", states.bytes);
    const long took = microsecondsOf([&] { ASSERT_EQ(std::system((cd + firstRun).c_str()), 0); });

    int finished = 0;
    for (int round = 0; round < 36; ++round) {
        const int kill = round % 3; // none, SIGTERM, SIGKILL
        const std::string timeout = kill == 0 ? "" : killedWithin(kill == 2, took);
        // Succeeds when the second run does, and the first unless it was killed.
        const std::string line = cd + "{ " + timeout + firstRun + " & a=$!; sleep 0.002; " +
                                 secondRun + " >/dev/null; b=$?; wait $a; a=$?; [ $b = 0 ] && " +
                                 "{ [ $a = 0 ] || [ " + std::to_string(kill) + " != 0 ]; }; }";
        dir.write("text.hqr", states.bytes);
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(std::system(line.c_str()), 0);
        const auto items = itemsOf(dir.file("text.hqr"));
        ASSERT_TRUE(items == both || (kill != 0 && items == second));
        finished += kill != 0 && items == both;
        const auto backup = itemsOf(dir.file("text.~$R"));
        EXPECT_TRUE(backup == states.original || backup == first || backup == second);
        // SIGKILL may leave the killed run's new archive and its backup under its own name,
        // when the second run took the lock first; the next round's runs remove them.
        EXPECT_LE(entries(dir.path()), 4 + 2 * (kill == 2));
    }
    std::cout << finished << " of 24 killed runs had finished\n";
}

// Every command that rebuilds an archive and finds it locked says so after a second, and gives
// up after --wait seconds having changed nothing. (Waiting until the lock is let go: the runs
// above and below.)
TEST(SafeWrites, ARebuildWaitsForTheArchiveLockAndGivesUpInTime) {
    TempDir dir;
    const std::string bytes = ArchiveStates(20).bytes, archive = dir.write("text.hqr", bytes);
    dir.write("fr.po", "msgctxt \"1\"\nmsgid \"a\"\nmsgstr \"b\"\n");
    LockHolder holder(archive);
    ASSERT_TRUE(holder.held());
    for (std::vector<std::string> args :
         {std::vector<std::string>{"hqr", "replace", archive, "3", dir.write("item.bin", "mine")},
          {"build", dir.write("in.json", NewJson), archive + ":3"},
          {"po", "import", dir.file("fr.po"), archive + ":3", "--game", "1"}}) {
        args.insert(args.end(), {"--wait", "2"});
        const ToolRun run = zyntext(args);
        EXPECT_EQ(run.exitCode, 1) << args[0];
        // (The sanitizer build may add its report of the PO reader's suppressed leak.)
        EXPECT_TRUE(run.err.starts_with(
            "zyntext: waiting for another program to finish rebuilding " + archive +
            " ...\nzyntext: Cannot rebuild the archive " + archive +
            ": it is in use by another program, which still held it after 2 seconds. Nothing was "
            "changed.\n"))
            << run.err;
        EXPECT_EQ(readBytes(archive), bytes);
        EXPECT_EQ(entries(dir.path()), 4);
    }
}

// Eight imports into eight entries of one item at the same time, as a batch script runs them:
// each reads the item once it holds the archive's lock, so all eight changes are kept.
TEST(SafeWrites, ImportsAtTheSameTimeIntoOneItemKeepEveryChange) {
    TempDir dir;
    std::vector<std::string> texts;
    for (int entry = 0; entry < 8; ++entry)
        texts.push_back("entry " + std::to_string(entry));
    const std::string bank = TextFileBuilder(2).entries(texts).data();
    for (const std::string target : {"text.hqr:1", "text.hqr"}) {
        const bool whole = target == "text.hqr";
        std::string line = "cd " + quoted(dir.path()) + " && s=0;";
        for (int entry = 1; entry <= 8; ++entry) {
            const std::string po = "po" + std::to_string(entry);
            dir.write(po, "msgctxt \"" + std::string(whole ? "1:" : "") + std::to_string(entry) +
                              "\"\nmsgid \"x\"\nmsgstr \"mine " + std::to_string(entry) + "\"\n");
            line += toolLine({"po", "import", po, target, "--game", "2"}) + " 2>/dev/null & ";
            line += "p=\"$p $!\"; ";
        }
        line += "for p in $p; do wait $p || s=1; done; exit $s";
        for (int round = 0; round < 5; ++round) {
            dir.write("text.hqr", ArchiveBuilder().stored("other").stored(bank).build());
            EXPECT_EQ(std::system(line.c_str()), 0) << target << ", round " << round;
            const auto items = itemsOf(dir.file("text.hqr"));
            ASSERT_EQ(items.size(), 2u);
            for (int entry = 1; entry <= 8; ++entry)
                EXPECT_NE(items[1].find("mine " + std::to_string(entry)), std::string::npos)
                    << target << ", round " << round << ": entry " << entry << " lost";
        }
    }
}

// The spare accounts of the tests of other accounts: the user, and the other account that
// plants links and files where the user writes. Only root may run as them (and give them files).
constexpr uid_t TheUser = 5001, TheOther = 5002;
const std::string AsTheUser = "setpriv --reuid=5001 --regid=5001 --clear-groups";

bool otherAccountsAvailable() {
    return ::geteuid() == 0 && std::system("command -v setpriv >/dev/null") == 0;
}

void giveTo(const std::string& path, uid_t owner) {
    EXPECT_EQ(::lchown(path.c_str(), owner, owner), 0) << path;
}

// In a folder that is sticky or that others may write to, a link is followed only when it is
// the user's own or the folder owner's, whatever fs.protected_symlinks says (it is off on many
// machines, and the system's rule leaves out folders that are not sticky). Another account's
// link there, at the end of the path, inside a chain of links or as a folder of it, is refused
// by every writer, naming that link; nothing is written or made.
TEST(SafeWrites, AnotherAccountsLinkInASharedFolderIsNeverFollowed) {
    if (!otherAccountsAvailable())
        GTEST_SKIP() << "needs root and setpriv to run as another account";
    TempDir top;
    ::chmod(top.path().c_str(), 0755);
    const std::string home = top.file("home/"), victim = home + "notes.txt";
    fs::create_directory(home);
    top.write("one.json", NewJson);
    top.write("a.hqr", ArchiveBuilder().stored(NewText).build());
    top.write("item.bin", "new item");
    const std::vector<std::vector<std::string>> writers = {
        {"build", "one.json", "@"},
        {"hqr", "extract", "a.hqr", "0", "@"},
        {"hqr", "replace", "@", "0", "item.bin"},
        {"po", "export", "a.hqr:0", "--game", "1", "-o", "@"},
    };
    for (const mode_t mode : {01777, 0777, 0770}) {
        for (const bool asRoot : {false, true}) {
            // Planted: at the target, at the end of the user's own link, as the target's folder.
            for (const std::string planted : {"out", "mine", "folder/notes.txt"}) {
                const std::string shared = top.file("shared/");
                fs::remove_all(shared);
                fs::create_directory(shared);
                ::chmod(shared.c_str(), mode);
                EXPECT_EQ(::chown(shared.c_str(), 0, TheUser), 0); // the user's group may write
                std::ofstream(victim) << "private";
                for (const std::string& made : {home, victim})
                    giveTo(made, TheUser);
                ::chmod(home.c_str(), 0700);
                ::chmod(victim.c_str(), 0600);
                fs::create_symlink(victim, shared + "out");
                giveTo(shared + "out", TheOther);
                fs::create_symlink("out", shared + "mine");
                giveTo(shared + "mine", TheUser);
                fs::create_directory_symlink(home, shared + "folder");
                giveTo(shared + "folder", TheOther);
                // The link refused: to root, the user's own link is another account's too.
                const bool first = planted != "mine" || asRoot;
                const std::string link = first ? planted.substr(0, planted.find('/')) : "out";
                const std::string owner = first && planted == "mine" ? "(uid 5001)" : "(uid 5002)";
                for (auto args : writers) {
                    SCOPED_TRACE(args[0] + " " + args[1] + " through " + planted + ", folder " +
                                 (mode == 01777  ? "1777"
                                  : mode == 0777 ? "777"
                                                 : "770") +
                                 (asRoot ? ", as root" : ""));
                    std::replace(args.begin(), args.end(), std::string("@"), shared + planted);
                    const ToolRun run = zyntext(args, top.path(), asRoot ? "" : AsTheUser);
                    EXPECT_EQ(run.exitCode, 1) << run.out;
                    EXPECT_NE(run.err.find("the link " + shared + link +
                                           " belongs to another account " + owner),
                              std::string::npos)
                        << run.err;
                    EXPECT_EQ(readBytes(victim), "private");
                    EXPECT_EQ(statOf(victim).st_mode & 0777, 0600u);
                    EXPECT_EQ(entries(shared), 3);
                    EXPECT_EQ(entries(home), 1);
                }
            }
        }
    }
    // The user's own link, one of the folder's owner, and any link in a folder only its owner
    // may write to, are followed.
    const std::string shared = top.file("shared/");
    ::chmod(shared.c_str(), 01777);
    giveTo(shared + "out", TheUser);
    EXPECT_TRUE(succeeded(zyntext({"build", "one.json", shared + "mine"}, top.path(), AsTheUser)));
    EXPECT_EQ(readBytes(victim), NewText);
    giveTo(shared, TheOther);
    giveTo(shared + "out", TheOther);
    EXPECT_TRUE(succeeded(zyntext({"build", "one.json", shared + "out"}, top.path(), AsTheUser)));
    giveTo(shared, 0);
    ::chmod(shared.c_str(), 0755);
    EXPECT_TRUE(succeeded(zyntext({"build", "one.json", shared + "out"}, top.path())));
    EXPECT_TRUE(fs::is_symlink(shared + "out"));
}

// What a killed rebuild leaves beside the archive is removed by the next rebuild only where it
// is the user's own: files and links another account put under such names in a shared folder
// stay, also when the rebuild runs as root.
TEST(SafeWrites, TheRebuildRemovesOnlyTheUsersOwnLeftovers) {
    if (!otherAccountsAvailable())
        GTEST_SKIP() << "needs root and setpriv to run as another account";
    TempDir top;
    ::chmod(top.path().c_str(), 0755);
    top.write("item.bin", "new item");
    for (const mode_t mode : {01777, 0777}) {
        for (const bool asRoot : {false, true}) {
            SCOPED_TRACE(std::to_string(mode) + (asRoot ? ", as root" : ""));
            const std::string shared = top.file("shared/");
            fs::remove_all(shared);
            fs::create_directory(shared);
            ::chmod(shared.c_str(), mode);
            const uid_t user = asRoot ? 0 : TheUser;
            giveTo(top.write("shared/text.hqr", OldArchive), user);
            const std::string theirs[] = {".text.hqr.zyntext-backup.Ab3dEf",
                                          ".text.hqr.zyntext-rebuild.Gh5jKl"};
            const std::string own[] = {".text.hqr.zyntext-rebuild.Mn7pQr",
                                       ".text.hqr.zyntext-backup.St9vWx"};
            giveTo(top.write("shared/" + theirs[0], "theirs"), TheOther);
            fs::create_symlink(top.file("item.bin"), shared + theirs[1]);
            giveTo(shared + theirs[1], TheOther);
            giveTo(top.write("shared/" + own[0], "left by a killed run"), user);
            fs::create_symlink("text.hqr", shared + own[1]);
            giveTo(shared + own[1], user);

            const ToolRun run = zyntext({"hqr", "replace", shared + "text.hqr", "0", "item.bin"},
                                        top.path(), asRoot ? "" : AsTheUser);
            EXPECT_TRUE(succeeded(run));
            EXPECT_EQ(readBytes(shared + "text.hqr"), NewArchive);
            for (const std::string& name : theirs)
                EXPECT_TRUE(fs::is_symlink(shared + name) || fileExists(shared + name)) << name;
            for (const std::string& name : own)
                EXPECT_FALSE(fs::is_symlink(shared + name) || fileExists(shared + name)) << name;
            EXPECT_EQ(entries(shared), 4); // the archive, its backup and the other's two
        }
    }
}

// A working folder goes with its run when the run ends or SIGTERM or SIGINT stops it, and a link
// put in its place (by another account, in a temporary folder everyone may write to) does not
// take the removal elsewhere. One left by a killed run goes when the tool or the editor next
// starts, which leave alone the folders of runs still going and links planted at such a name.
TEST(WorkingFolders, NoneOutlivesItsRunAndNoLinkLeadsTheirRemovalElsewhere) {
    TempDir dir;
    const std::string saved = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    ::setenv("TMPDIR", dir.path().c_str(), 1);
    // Someone's folder, holding files named as a working file and a free lock, and a folder.
    const std::string victim = dir.file("victim/");
    fs::create_directories(victim + "inner");
    std::ofstream(victim + "EN_000.DIA") << "mine";
    std::ofstream(victim + WorkingFolder::LockName) << "mine";
    std::ofstream(victim + "inner/file") << "mine";
    struct Run {
        pid_t pid;
        int link; // a byte written there, the run ends
        std::string folder;
    };
    // A run that makes its working folder with a file in it, says where, and waits to be stopped;
    // ended, it writes the file again first.
    const auto start = [] {
        int link[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, link) != 0)
            return Run{-1, -1, {}};
        const pid_t pid = ::fork();
        if (pid == 0) {
            InstallInterruptCleanup();
            {
                WorkingFolder work;
                std::ofstream(work.fileFor("EN_000.DIA")) << "item";
                char* where = ::realpath(work.path().c_str(), nullptr);
                char end;
                (void)!::write(link[1], where, std::strlen(where));
                (void)!::read(link[1], &end, 1);
                std::ofstream(work.fileFor("EN_000.DIA")) << "written at the end";
            }
            ::_exit(0);
        }
        ::close(link[1]);
        char path[PATH_MAX];
        const ssize_t n = ::read(link[0], path, sizeof path);
        EXPECT_GT(n, 0) << "a run did not start";
        return Run{pid, link[0],
                   std::string(path, static_cast<std::size_t>(std::max<ssize_t>(n, 0)))};
    };
    const auto stop = [](const Run& run, int signal) {
        if (signal != 0)
            ::kill(run.pid, signal);
        else
            (void)!::write(run.link, "", 1);
        ::close(run.link);
        ::waitpid(run.pid, nullptr, 0);
    };
    const auto swap = [&](const Run& run) {
        fs::rename(run.folder, run.folder + "-moved");
        fs::create_directory_symlink(victim, run.folder);
    };
    const Run ended = start(), terminated = start(), killed = start(), living = start(),
              swappedEnded = start(), swappedTerminated = start();
    // An earlier version's folder has no lock to tell whether its run lives: it is left alone.
    fs::create_directory(dir.file("zyntext-older"));
    fs::create_directory_symlink(victim, dir.file("zyntext-planted"));

    swap(swappedEnded);
    swap(swappedTerminated);
    stop(ended, 0);
    stop(terminated, SIGTERM);
    stop(swappedEnded, 0);
    stop(swappedTerminated, SIGTERM);
    stop(killed, SIGKILL);
    EXPECT_FALSE(fileExists(ended.folder));
    EXPECT_FALSE(fileExists(terminated.folder));
    EXPECT_TRUE(fileExists(killed.folder + "/EN_000.DIA"));
    EXPECT_EQ(zyntext({"--version"}).exitCode, 0);
    EXPECT_FALSE(fileExists(killed.folder));
    EXPECT_TRUE(fileExists(living.folder + "/EN_000.DIA"));
    EXPECT_TRUE(fileExists(dir.file("zyntext-older")));
    EXPECT_EQ(readBytes(victim + "EN_000.DIA"), "mine");
    EXPECT_EQ(readBytes(victim + "inner/file"), "mine");
    stop(living, SIGINT);
    EXPECT_FALSE(fileExists(living.folder));
    ::setenv("TMPDIR", saved.c_str(), 1);
}

} // namespace
} // namespace zyn::test
