// zyntext's writers run as real processes against what people really do to them: two runs into
// one folder, kills at random moments, links, private and read-only files, FIFOs, full devices
// and links planted at the names older versions wrote through.

#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <pwd.h>
#include <random>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zyn::test {
namespace {

namespace fs = std::filesystem;

struct Options {
    std::string folder;            // the working folder of the run; "" for the test's
    std::string out = "/dev/null"; // standard output
    mode_t umask = 022;
};

struct Ended {
    int exitCode = -1; // -1 when ended by a signal
    std::string err;
};

class Tool {
public:
    Tool(const std::vector<std::string>& args, const Options& options = {}) {
        std::vector<std::string> line{ZYNTEXT_PATH};
        line.insert(line.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& arg : line)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        const std::string err = errors_.file("err");
        pid_ = ::fork();
        if (pid_ == 0) {
            const int in = ::open("/dev/null", O_RDONLY);
            const int out = ::open(options.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int errFile = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (in < 0 || out < 0 || errFile < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
                ::dup2(errFile, 2) < 0 ||
                (!options.folder.empty() && ::chdir(options.folder.c_str()) != 0))
                ::_exit(127);
            ::umask(options.umask);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }

    void signal(int number) { ::kill(pid_, number); }

    // Waits at most 20 s: a run that waits on a FIFO fails the test instead of hanging it.
    Ended wait() {
        int status = 0;
        for (int tick = 0; ::waitpid(pid_, &status, WNOHANG) == 0; ++tick) {
            if (tick == 2000) {
                ADD_FAILURE() << "zyntext did not end within 20 s";
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // A run killed at once has not opened its error output yet.
        const std::string err = errors_.file("err");
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                fileExists(err) ? readBytes(err) : std::string()};
    }

private:
    TempDir errors_;
    pid_t pid_ = -1;
};

Ended zyntext(const std::vector<std::string>& args, const Options& options = {}) {
    return Tool(args, options).wait();
}

// The files in folder other than those named: what a run left behind.
int leftovers(const std::string& folder, const std::set<std::string>& named) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += named.count(entry.path().filename().string()) == 0;
    return count;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

const std::string NewText = TextFileBuilder(1).entry("New").bytes();
const std::string NewJson = R"({"game": 1, "entries": [{"text": "New"}]})";
const std::string OldArchive = ArchiveBuilder().stored("old item").build();
const std::string NewArchive = ArchiveBuilder().stored("new item").build();

// Each writer of the tool, writing the file target of folder.
struct Writer {
    const char* name;
    std::function<std::vector<std::string>(const TempDir&, const std::string& target)> args;
    std::string before, after; // the target's bytes
};

std::vector<Writer> writers() {
    return {
        {"build",
         [](const TempDir& dir, const std::string& target) {
             return std::vector<std::string>{"build", dir.write("in.json", NewJson), target};
         },
         "old", NewText},
        {"hqr extract",
         [](const TempDir& dir, const std::string& target) {
             return std::vector<std::string>{"hqr", "extract", dir.write("a.hqr", NewArchive), "0",
                                             target};
         },
         "old", itemHeader(8, 8, 0) + "new item"},
        {"expand",
         [](const TempDir& dir, const std::string& target) {
             return std::vector<std::string>{
                 "expand", dir.write("in.ztf", CompressedItem("new item", 2)), target};
         },
         "old", "new item"},
        {"hqr replace",
         [](const TempDir& dir, const std::string& target) {
             return std::vector<std::string>{"hqr", "replace", target, "0",
                                             dir.write("item.bin", "new item")};
         },
         OldArchive, NewArchive},
    };
}

TEST(SafeWrites, EveryWriterFollowsLinksKeepsPermissionsAndRefusesWhatItMayNotWrite) {
    enum Kind { Private, Link, New, Owned, ReadOnly, Folder, Fifo };
    const passwd* nobody = ::getpwnam("nobody");
    for (const Writer& writer : writers()) {
        for (const Kind kind : {Private, Link, New, Owned, ReadOnly, Folder, Fifo}) {
            SCOPED_TRACE(std::string(writer.name) + ", target kind " + std::to_string(kind));
            const bool archive = writer.before == OldArchive;
            if ((kind == Owned && (::geteuid() != 0 || !nobody)) || (kind == New && archive))
                continue; // only root may give a file away; an archive to replace must exist
            TempDir dir;
            fs::create_directory(dir.file("real"));
            // The file written: through a link in the test's folder, or the target itself.
            const std::string target = dir.file("target.hqr");
            const std::string file = kind == Link ? dir.file("real/target.hqr") : target;
            if (kind == Folder)
                fs::create_directory(file);
            else if (kind == Fifo)
                ::mkfifo(file.c_str(), 0644);
            else if (kind != New)
                dir.write(file.substr(dir.path().size()), writer.before);
            if (kind == Link)
                fs::create_symlink("real/target.hqr", target);
            if (kind == Owned && ::chown(file.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
                FAIL() << "cannot give the file away";
            ::chmod(file.c_str(), kind == ReadOnly ? 0444 : kind == Private ? 0600 : 0644);

            const Ended run = zyntext(writer.args(dir, target), {{}, "/dev/null", 027});
            if (kind >= ReadOnly) {
                EXPECT_EQ(run.exitCode, 1);
                EXPECT_EQ(run.err.rfind("zyntext: ", 0), 0u) << run.err;
                if (kind == ReadOnly) {
                    EXPECT_EQ(readBytes(file), writer.before);
                }
                EXPECT_EQ(fs::status(file).type(), kind == Folder ? fs::file_type::directory
                                                   : kind == Fifo ? fs::file_type::fifo
                                                                  : fs::file_type::regular);
                EXPECT_FALSE(fileExists(dir.file("target.~$R")));
                continue;
            }
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(readBytes(file), writer.after);
            EXPECT_EQ(fs::is_symlink(target), kind == Link);
            const mode_t mode = kind == New ? 0640 : kind == Private ? 0600 : 0644;
            EXPECT_EQ(modeOf(file), mode);
            if (kind == Owned) {
                struct stat st {};
                ::stat(file.c_str(), &st);
                EXPECT_EQ(st.st_uid, nobody->pw_uid);
            }
            // The backup lies beside the archive file and keeps its bits.
            if (archive) {
                EXPECT_EQ(readBytes(file.substr(0, file.size() - 4) + ".~$R"), OldArchive);
                EXPECT_EQ(modeOf(file.substr(0, file.size() - 4) + ".~$R"), mode);
            }
            const std::set<std::string> named = {"in.json", "a.hqr",      "in.ztf",    "item.bin",
                                                 "real",    "target.hqr", "target.~$R"};
            EXPECT_EQ(leftovers(dir.path(), named) + leftovers(dir.file("real"), named), 0);
        }
    }
}

TEST(SafeWrites, TwoBuildsIntoOneFolderNeverSwapTheirOutputs) {
    TempDir dir;
    const std::string json[] = {
        dir.write("one.json", NewJson),
        dir.write("two.json", R"({"game": 2, "entries": [{"text": "Two", "type": 3}]})")};
    const std::string expected[] = {NewText, TextFileBuilder(2).entry("Two", 3).bytes()};
    for (int round = 0; round < 40; ++round) {
        Tool one({"build", json[0], dir.file("one.zyt")});
        Tool two({"build", json[1], dir.file("two.zyt")});
        EXPECT_EQ(one.wait().exitCode, 0);
        EXPECT_EQ(two.wait().exitCode, 0);
        ASSERT_EQ(readBytes(dir.file("one.zyt")), expected[0]) << "round " << round;
        ASSERT_EQ(readBytes(dir.file("two.zyt")), expected[1]) << "round " << round;
    }
    EXPECT_EQ(leftovers(dir.path(), {"one.json", "two.json", "one.zyt", "two.zyt"}), 0);
}

TEST(SafeWrites, AKilledBuildOrReplaceLeavesTheOldOrTheNewBytesAndAtMostItsTemporaryFile) {
    // 2 000 items of 4 KB: a rebuild long enough to be killed in the middle.
    ArchiveBuilder large;
    std::mt19937 random(std::random_device{}());
    for (int i = 0; i < 2000; ++i)
        large.stored(std::string(4096, static_cast<char>('a' + i % 26)));
    const std::string archive = large.build();
    struct Case {
        const char* name;
        std::string target, before;
        std::vector<std::string> args;
    };
    TempDir dir;
    const Case cases[] = {
        {"build", "out.zyt", "old", {"build", dir.write("in.json", NewJson), "out.zyt"}},
        {"hqr replace",
         "text.hqr",
         archive,
         {"hqr", "replace", "text.hqr", "7", dir.write("item.bin", "new item")}},
    };
    for (const Case& c : cases) {
        // One undisturbed run gives the new bytes and how long a run takes.
        const auto prepare = [&] {
            fs::remove_all(dir.file("work"));
            fs::create_directory(dir.file("work"));
            dir.write("work/" + c.target, c.before);
        };
        prepare();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(zyntext(c.args, {dir.file("work")}).exitCode, 0);
        const auto took = std::chrono::steady_clock::now() - start;
        const std::string after = readBytes(dir.file("work/" + c.target));
        int kept = 0, replaced = 0, withTemporary = 0;
        for (int round = 0; round < 30; ++round) {
            prepare();
            const int signal = round % 2 ? SIGKILL : SIGTERM;
            Tool run(c.args, {dir.file("work")});
            std::this_thread::sleep_for(
                std::uniform_int_distribution<long>(
                    0,
                    std::chrono::duration_cast<std::chrono::microseconds>(took).count())(random) *
                std::chrono::microseconds(1));
            run.signal(signal);
            run.wait();
            const std::string now = readBytes(dir.file("work/" + c.target));
            SCOPED_TRACE(std::string(c.name) + ", round " + std::to_string(round));
            ASSERT_TRUE(now == c.before || now == after) << now.size() << " bytes";
            (now == after ? replaced : kept)++;
            if (fileExists(dir.file("work/text.~$R"))) {
                EXPECT_EQ(readBytes(dir.file("work/text.~$R")), c.before);
            }
            // Removed on SIGTERM; SIGKILL leaves no time to remove the one in use.
            const int left = leftovers(dir.file("work"), {c.target, "text.~$R"});
            EXPECT_LE(left, signal == SIGKILL ? 1 : 0);
            withTemporary += left;
        }
        std::cout << c.name << ": " << kept << " old, " << replaced << " new, " << withTemporary
                  << " with the temporary file left by SIGKILL\n";
    }
}

TEST(SafeWrites, ReadersRefuseFifosAndPrintingCommandsReportAFullDevice) {
    TempDir dir;
    const std::string fifo = dir.file("fifo");
    ::mkfifo(fifo.c_str(), 0644);
    const std::string text = dir.write("in.zyt", NewText);
    const std::vector<std::vector<std::string>> fromFifo = {{"dump", fifo, "--game", "1"},
                                                            {"build", fifo, dir.file("out.zyt")},
                                                            {"hqr", "list", fifo},
                                                            {"expand", fifo, dir.file("out")}};
    for (const auto& args : fromFifo) {
        const Ended run = zyntext(args);
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_NE(run.err.find("it is not a file"), std::string::npos) << run.err;
    }
    const std::vector<std::vector<std::string>> printing = {
        {"dump", text, "--game", "1"}, {"names", "2"}, {"--help"}, {"build", "--help"}};
    for (const auto& args : printing) {
        const Ended run = zyntext(args, {{}, "/dev/full"});
        EXPECT_EQ(run.exitCode, 1) << args[0];
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    }
}

TEST(SafeWrites, LinksPlantedAtTheOldWorkingNamesAreNeverFollowed) {
    TempDir dir;
    const std::string victim = dir.write("victim", "victim");
    for (const char* name :
         {"TEMP$$$$.$$$", "text.hqr.~$N", "text.~$R.part", "out.bin.part", "out.zyt.part"})
        fs::create_symlink(victim, dir.file(name));
    dir.write("text.hqr", OldArchive);
    const std::vector<std::vector<std::string>> runs = {
        {"build", dir.write("in.json", NewJson), dir.file("out.zyt")},
        {"hqr", "replace", dir.file("text.hqr"), "0", dir.write("item.bin", "new item")},
        {"hqr", "extract", dir.file("text.hqr"), "0", dir.file("out.bin")},
        {"expand", dir.write("in.ztf", CompressedItem("x", 1)), dir.file("out.bin")}};
    for (const auto& args : runs)
        EXPECT_EQ(zyntext(args).exitCode, 0) << args[0];
    EXPECT_EQ(readBytes(victim), "victim");
    EXPECT_EQ(readBytes(dir.file("text.hqr")), NewArchive);
}

} // namespace
} // namespace zyn::test
