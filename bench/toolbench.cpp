// zyntext as the user runs it, timed side by side with what it is measured against, each run a
// child process whose peak memory the system reports:
// - hqr replace of one item of a 100 MB archive of 20 000 items, against one durable copy of
//   the archive (cat to a new file, then fsync);
// - expand of a 64 MiB text, its output flushed to disk, against gzip -dc of the same text;
//   and expand of a quarter of that text, to show its memory does not follow the output;
// - the read-only commands check, po export and dump ARCHIVE:N of a text archive of 30 banks,
//   against reading the archive once (cat), as they read it;
// - status of a whole language of a text archive of 180 items (90 banks in six languages),
//   against check of the same bank pairs.
//
// Usage: toolbench [ROUNDS [read-only|status]]   (in ZYN_BENCH_DIR, else the current folder; 5
// rounds by default; read-only, status: those commands alone)
// ZYN_BENCH_ZYNTEXT names another zyntext to run (an earlier build, to compare with).

#include "base/bytes.h"
#include "base/itemheader.h"
#include "dialoguetext.h"
#include "support/archivebuilder.h"
#include "support/lzssencoder.h"
#include "support/textfilebuilder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Run {
    double seconds = 0;
    long peakKiB = 0; // ru_maxrss of the child
};

// Runs args with its standard output going to the file out (created afresh); with flush, the
// output is flushed to disk before the clock stops. Called in a process of its own (see run):
// a child's peak memory counts the memory of the process it was forked from.
Run measure(const std::vector<std::string>& args, const std::string& out, bool flush) {
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create " + out);
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fd, STDOUT_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    if (flush)
        ::fsync(fd);
    ::close(fd);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " " + args[1] + " failed");
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            usage.ru_maxrss};
}

// measure, run by this program started afresh ("--measure OUT FLUSH ARGS..."), which is small
// when it forks.
Run run(const std::vector<std::string>& args, const std::string& out = "/dev/null",
        bool flush = false) {
    static const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::string line = "'" + self + "' --measure '" + out + "' " + (flush ? "1" : "0");
    for (const std::string& arg : args)
        line += " '" + arg + "'";
    FILE* child = ::popen(line.c_str(), "r");
    Run result;
    if (child == nullptr || std::fscanf(child, "%lf %ld", &result.seconds, &result.peakKiB) != 2 ||
        ::pclose(child) != 0)
        throw std::runtime_error(args[0] + " " + args[1] + " failed");
    return result;
}

void put(std::string& table, std::size_t slot, std::size_t value) {
    zyn::putU32(table, 4 * slot, static_cast<std::uint32_t>(value));
}

// 20 000 items: three quarters stored items of 5 300 bytes, a quarter compressed items of
// 12 000 expanded bytes (both methods), every fiftieth sharing the bytes of the one before.
std::string buildArchive(const std::string& path) {
    constexpr int Items = 20000;
    const std::string source = DialogueText(4 * 1024 * 1024, 2);
    std::string table(4 * (Items + 1), '\0');
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(table.data(), static_cast<std::streamsize>(table.size()));
    std::size_t offset = table.size(), lastOffset = offset;
    for (int i = 0; i < Items; ++i) {
        if (i % 50 == 49) {
            put(table, static_cast<std::size_t>(i), lastOffset);
            continue;
        }
        const std::size_t start = (static_cast<std::size_t>(i) * 7919) % (source.size() - 20000);
        const std::string item =
            i % 4 == 3 ? zyn::test::CompressedItem(source.substr(start, 12000), 1 + i % 2)
                       : zyn::StoredItem(source.substr(start, 5300));
        put(table, static_cast<std::size_t>(i), offset);
        lastOffset = offset;
        offset += item.size();
        out.write(item.data(), static_cast<std::streamsize>(item.size()));
    }
    put(table, Items, offset);
    out.seekp(0);
    out.write(table.data(), static_cast<std::streamsize>(table.size()));
    return path;
}

std::string write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

// A ZYN 2 text archive of 180 items whose English and French blocks hold 15 dialogue banks each
// (30 in all) of 150 entries cut out of dialogue-like text, every third bank compressed; the
// other items are small ordinal stand-ins. With every language, all six blocks hold their 15
// banks, as a whole translated game's archive does.
std::string buildTextArchive(const std::string& path, bool everyLanguage = false) {
    const std::string text = DialogueText(15 * 150 * 80, 6);
    zyn::test::ArchiveBuilder builder;
    for (int item = 0; item < 180; ++item) {
        if (item % 2 == 0 || item >= (everyLanguage ? 180 : 60)) {
            builder.stored("ord");
            continue;
        }
        const int bank = item % 30 / 2;
        std::vector<std::string> entries;
        for (std::size_t e = 0; e < 150; ++e) {
            std::string entry = text.substr((std::size_t(bank) * 150 + e) * 80, 79);
            std::replace(entry.begin(), entry.end(), '\0', ' ');
            // No blank or line break at either end: the French text then matches it in form.
            entry.erase(0, entry.find_first_not_of(" @"));
            entry.erase(entry.find_last_not_of(" @") + 1);
            entries.push_back(item >= 30 ? "[fr] " + entry : entry);
        }
        const std::string data = zyn::test::TextFileBuilder(2).entries(entries).data();
        if (bank % 3 == 2)
            builder.compressed(data, 1 + bank % 2);
        else
            builder.stored(data);
    }
    return write(path, builder.build());
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Contest {
    std::string name;
    std::vector<double> seconds;
    long peakKiB = 0;
    void add(const Run& r) {
        seconds.push_back(r.seconds);
        peakKiB = std::max(peakKiB, r.peakKiB);
    }
};

void report(const Contest& ours, const Contest& theirs, double goal, const char* goalText) {
    const double ratio = median(ours.seconds) / median(theirs.seconds);
    for (const Contest* c : {&theirs, &ours})
        std::printf("| %s | %.0f ms | %.0f ms | %.0f ms | %.1f MiB |\n", c->name.c_str(),
                    1000 * median(c->seconds),
                    1000 * *std::min_element(c->seconds.begin(), c->seconds.end()),
                    1000 * *std::max_element(c->seconds.begin(), c->seconds.end()),
                    c->peakKiB / 1024.0);
    std::printf("\n%s: %.2f times (goal: %s) -> %s\n\n", ours.name.c_str(), ratio, goalText,
                ratio <= goal ? "met" : "NOT met");
}

using Readers = std::vector<std::pair<std::string, std::vector<std::string>>>;

// Commands that read the text archive at banks, each against one read of the archive (cat), as
// many rounds as given, taking turns; prints their table under title.
void timeReaders(const char* title, const std::string& banks, const Readers& readers, int rounds) {
    Contest read{"Reading the archive once (cat)", {}, 0};
    std::vector<Contest> readOnly;
    for (const auto& reader : readers)
        readOnly.push_back({reader.first, {}, 0});
    ::sync();
    for (int round = 0; round < rounds; ++round) {
        read.add(run({"cat", banks}));
        for (std::size_t r = 0; r < readers.size(); ++r)
            readOnly[r].add(run(readers[r].second));
    }
    std::printf("\n%s: %.1f KB; %d rounds\n\n", title, fs::file_size(banks) / 1e3, rounds);
    std::printf("| Run | Median | Fastest | Slowest | Peak memory |\n| --- | --- | --- | --- | --- "
                "|\n");
    std::vector<const Contest*> rows{&read};
    for (const Contest& c : readOnly)
        rows.push_back(&c);
    for (const Contest* c : rows)
        std::printf("| %s | %.1f ms | %.1f ms | %.1f ms | %.1f MiB |\n", c->name.c_str(),
                    1000 * median(c->seconds),
                    1000 * *std::min_element(c->seconds.begin(), c->seconds.end()),
                    1000 * *std::max_element(c->seconds.begin(), c->seconds.end()),
                    c->peakKiB / 1024.0);
    std::printf("\n");
}

void readOnlyCommands(const std::string& zyntext, const std::string& banks, int rounds) {
    timeReaders("Text archive of 30 banks", banks,
                {
                    {"zyntext check of 15 bank pairs",
                     {zyntext, "check", banks, "--game", "2", "--from", "EN", "--to", "FR"}},
                    {"zyntext po export of 15 bank pairs",
                     {zyntext, "po", "export", banks, "--game", "2", "--from", "EN", "--to", "FR"}},
                    {"zyntext dump of one bank", {zyntext, "dump", banks + ":37", "--game", "2"}},
                },
                rounds);
}

// status of a whole language, beside check of the same pairs with and without the fit and the
// spelling it counts too.
void statusCommand(const std::string& zyntext, const std::string& banks, int rounds) {
    const std::vector<std::string> pair{banks, "--game", "2", "--from", "EN", "--to", "FR"};
    const auto with = [&](std::vector<std::string> head, std::vector<std::string> tail) {
        head.insert(head.end(), pair.begin(), pair.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    timeReaders(
        "Text archive of 180 items, 90 banks in six languages", banks,
        {
            {"zyntext check of 15 bank pairs", with({zyntext, "check"}, {})},
            {"zyntext check --fit --spelling", with({zyntext, "check"}, {"--fit", "--spelling"})},
            {"zyntext status", with({zyntext, "status"}, {})},
        },
        rounds);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 3 && std::string(argv[1]) == "--measure") {
        const Run r = measure({argv + 4, argv + argc}, argv[2], std::string(argv[3]) == "1");
        std::printf("%.6f %ld\n", r.seconds, r.peakKiB);
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const char* base = std::getenv("ZYN_BENCH_DIR");
    const fs::path folder = fs::path(base && *base ? base : ".") / "zyn-tool-bench";
    fs::create_directories(folder);
    const auto file = [&](const char* name) {
        return (folder / name).string();
    };
    const char* other = std::getenv("ZYN_BENCH_ZYNTEXT");
    const std::string zyntext = other && *other ? other : ZYNTEXT_PATH;
    if (argc > 2 && std::string(argv[2]) == "read-only") {
        readOnlyCommands(zyntext, buildTextArchive(file("banks.hqr")), rounds);
        fs::remove_all(folder);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "status") {
        statusCommand(zyntext, buildTextArchive(file("languages.hqr"), true), rounds);
        fs::remove_all(folder);
        return 0;
    }

    std::cout << "Making the data ..." << std::endl;
    const std::string archive = buildArchive(file("text.hqr"));
    const auto archiveSize = fs::file_size(archive);
    // Two texts for the item, taken in turn: a rebuild that would write the bytes already there
    // is not made at all.
    const std::string items[] = {write(file("item.bin"), DialogueText(6000, 3)),
                                 write(file("other.bin"), DialogueText(6000, 4))};
    std::string text = DialogueText(64u << 20, 5);
    const std::size_t textSize = text.size(), quarterSize = textSize / 4;
    const std::size_t textHash = std::hash<std::string>{}(text);
    write(file("text.txt"), text);
    write(file("text.item"), zyn::test::CompressedItem(text, 2));
    write(file("quarter.item"), zyn::test::CompressedItem(text.substr(0, quarterSize), 2));
    // A child starts with the memory of this program, and the system counts it in the child's
    // peak: the texts go before anything is run.
    std::string().swap(text);
    run({"gzip", "-6", "-c", file("text.txt")}, file("text.gz"));
    ::sync(); // nothing of the set-up left for the timed runs to write out

    Contest copy{"One durable copy (cat, then fsync)", {}, 0};
    Contest rebuild{"zyntext hqr replace, one item", {}, 0};
    Contest firstRebuild{"zyntext hqr replace, no older backup to remove", {}, 0};
    Contest gzip{"gzip -dc", {}, 0};
    Contest expand{"zyntext expand", {}, 0};
    int replaced = 0;
    const auto replace = [&] {
        return std::vector<std::string>{zyntext, "hqr", "replace",
                                        archive, "1",   items[replaced++ % 2]};
    };
    for (int round = 0; round < rounds; ++round) {
        std::cout << "Round " << round + 1 << " of " << rounds << std::endl;
        // Turn about, so that neither always runs on a disk the other has just filled.
        const bool ourFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == ourFirst) {
                // Each rebuild replaces the backup the one before left: a second 100 MB file
                // to let go of, which a copy to a new file does not have. Once without.
                rebuild.add(run(replace()));
                fs::remove(file("text.~$R"));
                ::sync();
                firstRebuild.add(run(replace()));
                expand.add(run({zyntext, "expand", file("text.item"), file("expanded.txt")}));
            } else {
                copy.add(run({"cat", archive}, file("copy.hqr"), true));
                gzip.add(run({"gzip", "-dc", file("text.gz")}, file("gunzipped.txt")));
                fs::remove(file("copy.hqr"));
                ::sync();
            }
        }
    }
    readOnlyCommands(zyntext, buildTextArchive(file("banks.hqr")), rounds);
    const Run small = run({zyntext, "expand", file("quarter.item"), file("expanded.txt")});
    const Run large = run({zyntext, "expand", file("text.item"), file("expanded.txt")});
    std::ifstream expanded(file("expanded.txt"), std::ios::binary);
    const bool same = std::hash<std::string>{}(
                          std::string(std::istreambuf_iterator<char>(expanded), {})) == textHash;

    std::printf("\nArchive: %.1f MB, 20 000 items; text: %zu bytes (gzip -6: %ju bytes, "
                "method 2: %ju bytes); %d rounds\n\n",
                archiveSize / 1e6, textSize,
                static_cast<std::uintmax_t>(fs::file_size(file("text.gz"))),
                static_cast<std::uintmax_t>(fs::file_size(file("text.item"))), rounds);
    std::printf(
        "| Run | Median | Fastest | Slowest | Peak memory |\n| --- | --- | --- | --- | --- |\n");
    report(rebuild, copy, 1.5, "at most 1.5");
    const double fresh = median(firstRebuild.seconds) / median(copy.seconds);
    std::printf("%s: %.0f ms, %.2f times\n\n", firstRebuild.name.c_str(),
                1000 * median(firstRebuild.seconds), fresh);
    std::printf(
        "Peak memory of the rebuild: %.1f MiB, %.1f%% of the archive (goal: under 25%%)\n\n",
        rebuild.peakKiB / 1024.0, 100.0 * rebuild.peakKiB * 1024 / archiveSize);
    std::printf(
        "| Run | Median | Fastest | Slowest | Peak memory |\n| --- | --- | --- | --- | --- |\n");
    report(expand, gzip, 0.5, "at most 0.5");
    std::printf("Peak memory of expand: %.1f MiB for %zu bytes of output, %.1f MiB for %zu\n",
                small.peakKiB / 1024.0, quarterSize, large.peakKiB / 1024.0, textSize);
    fs::remove_all(folder);
    if (!same)
        std::cout << "zyntext expand did not give back the text\n";
    return same ? 0 : 1;
}
