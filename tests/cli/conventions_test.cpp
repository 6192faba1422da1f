// What every zyntext command shares, tried on each: "--name=value", "-oFILE" and "-o -", "--"
// before a file named like an option, an option given twice, -q, "help COMMAND", and "-" as
// standard input; and the manual page and completion that describe the commands.

#include "cli/command.h"
#include "support/archivebuilder.h"
#include "support/tempdir.h"
#include "support/textfilebuilder.h"
#include "support/toolrun.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace zyn::test {
namespace {

// "IN" stands for the file read that may be standard input, "OUT" for the file written.
struct Row {
    std::vector<std::string> options, operands;
    std::string input;  // the file IN names; "" for none
    bool prints = true; // what it prints is its data (-o takes it)
    std::string twice;  // an option to give twice
    int exitCode = 0;
    bool archiveFirst = false; // operands[0] is an archive, which "-" cannot be
};

std::vector<std::string> with(std::vector<std::string> words, const std::string& from,
                              const std::string& to) {
    for (std::string& word : words)
        for (std::size_t at; (at = word.find(from)) != std::string::npos;)
            word.replace(at, from.size(), to);
    return words;
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const TextFileBuilder English = TextFileBuilder(2).entries({"Hello", "Bye @ now"});
const TextFileBuilder French = TextFileBuilder(2).entries({"Bonjour", "Salut @"});

TEST(Conventions, EveryCommandFollowsTheSameConventions) {
    TempDir dir;
    dir.write("EN_000.DIA", English.bytes());
    dir.write("text.hqr", BankArchive(English.data(), French.data()));
    dir.write("in.json", R"({"game": 2, "entries": [{"text": "Hi"}]})");
    dir.write("item", itemHeader(5, 5, 0) + "plain");
    const auto french = [&] {
        dir.write("FR_000.DIA", French.bytes());
    };
    french();
    ASSERT_TRUE(succeeded(zyntext(
        {"po", "export", "EN_000.DIA", "FR_000.DIA", "--game", "2", "-o", dir.file("fr.po")},
        dir.path())));
    const std::string epoch = "SOURCE_DATE_EPOCH=0";
    const Row rows[] = {
        {{"--game=2"}, {"IN"}, "EN_000.DIA", true, "--game=2"},
        {{"--wait=5"}, {"IN", "OUT"}, "in.json", false, "--header"},
        {{"--output=-"}, {"list", "text.hqr"}, "", true, "--table", 0, true},
        {{"--expand"}, {"extract", "text.hqr", "1", "OUT"}, "", false, "--expand", 0, true},
        {{"--wait=5"},
         {"replace", "text.hqr", "1", "IN"},
         "EN_000.DIA",
         false,
         "--wait=1",
         0,
         true},
        {{}, {"IN", "OUT"}, "item", false, "-oOUT"},
        {{"--game=2"}, {}, "", true, "--numbers"},
        {{"--game=2"}, {"IN", "FR_000.DIA"}, "EN_000.DIA", true, "--json", 1},
        {{}, {}, "", true, "-o-"},
        {{"--game=2"}, {"export", "IN", "FR_000.DIA"}, "EN_000.DIA", true, "--template"},
        {{"--game=2"}, {"import", "IN", "FR_000.DIA"}, "fr.po", false, "--fuzzy"},
        {{"--game=2", "--from=IN", "--to=FR_000.DIA"}, {}, "EN_000.DIA", true, "--untranslated", 1},
        {{"--game=2", "--from=EN", "--to=FR"}, {"text.hqr"}, "", true, "--json", 0, true},
    };
    const std::string commandOf[] = {"dump", "build",    "hqr", "hqr", "hqr",   "expand", "names",
                                     "diff", "charsets", "po",  "po",  "check", "status"};
    for (const cli::Command* command : cli::AllCommands())
        EXPECT_EQ(std::ranges::count(commandOf, command->name),
                  command->name == std::string("hqr")  ? 3
                  : command->name == std::string("po") ? 2
                                                       : 1)
            << command->name << " has no row";
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const Row& row = rows[r];
        const std::string& command = commandOf[r];
        const std::vector<std::string> head{command};
        const auto run = [&](std::vector<std::string> options, std::vector<std::string> operands,
                             const std::string& in = "/dev/null") {
            french(); // as import found it
            std::filesystem::remove(dir.file("OUT"));
            std::filesystem::remove(dir.file("taken"));
            // The subcommand leads.
            std::vector<std::string> args = head;
            if (!operands.empty() && (command == "hqr" || command == "po")) {
                args.push_back(operands.front());
                operands.erase(operands.begin());
            }
            return zyntext(joined({args, with(options, "IN", row.input), operands}), dir.path(),
                           epoch, {}, in);
        };
        const std::string what = command + " (row " + std::to_string(r) + ")";
        const auto operands = with(row.operands, "IN", row.input);
        const ToolRun base = run(row.options, operands);
        ASSERT_EQ(base.exitCode, row.exitCode) << what << ": " << base.err;
        const bool writes = !row.operands.empty() && row.operands.back() == "OUT";
        const std::string written = writes ? readBytes(dir.file("OUT")) : "";
        EXPECT_TRUE(!row.prints || !base.out.empty()) << what;

        // What it prints, or the file it writes, through -oFILE and to standard output.
        if (row.prints || writes) {
            std::vector<std::string> shortened = operands, options;
            if (writes)
                shortened.pop_back();
            std::ranges::copy_if(row.options, std::back_inserter(options),
                                 [](const std::string& o) { return !o.starts_with("--output"); });
            const std::string expected = row.prints ? base.out : written;
            const ToolRun toFile = run(joined({options, {"-otaken"}}), shortened);
            EXPECT_EQ(toFile.exitCode, row.exitCode) << what << ": " << toFile.err;
            EXPECT_EQ(toFile.out, "") << what;
            EXPECT_EQ(readBytes(dir.file("taken")), expected) << what;
            const ToolRun toOut = run(joined({options, {"-o", "-"}}), shortened);
            EXPECT_EQ(toOut.out, expected) << what << ": " << toOut.err;
        }
        // "--" ends the options: a file named like one is read.
        if (!row.input.empty() && std::ranges::count(row.operands, "IN") > 0) {
            dir.write("-x", readBytes(dir.file(row.input)));
            const ToolRun dashed =
                run(joined({row.options, {"--"}}), with(row.operands, "IN", "-x"));
            EXPECT_EQ(dashed.exitCode, row.exitCode) << what << ": " << dashed.err;
        } else {
            EXPECT_EQ(run(joined({row.options, {"--"}}), operands).exitCode, row.exitCode) << what;
        }
        // One rule for an option given twice.
        const ToolRun twice = run(joined({row.options, {row.twice, row.twice}}), operands);
        EXPECT_EQ(twice.exitCode, 2) << what;
        EXPECT_NE(twice.err.find("is given twice"), std::string::npos) << what << ": " << twice.err;
        // -q: the data still, nothing else.
        const ToolRun quiet = run(joined({{"-q"}, row.options}), operands);
        EXPECT_EQ(quiet.exitCode, row.exitCode) << what;
        EXPECT_EQ(quiet.err, "") << what;
        EXPECT_EQ(quiet.out, row.prints ? base.out : "") << what;
        // "-" is standard input where a file is read; an archive is refused.
        if (!row.input.empty()) {
            const ToolRun piped = run(with(row.options, row.input, "-"),
                                      with(row.operands, "IN", "-"), dir.file(row.input));
            EXPECT_EQ(piped.exitCode, row.exitCode) << what << ": " << piped.err;
            // (A PO header records the source, save standard input.)
            EXPECT_EQ(writes ? readBytes(dir.file("OUT")) : piped.out,
                      writes                          ? written
                      : command == "po" && row.prints ? piped.out
                                                      : base.out)
                << what;
        }
        if (row.archiveFirst) {
            const ToolRun archive = run(row.options, with(operands, "text.hqr", "-"));
            EXPECT_EQ(archive.exitCode, 2) << what;
            EXPECT_NE(archive.err.find("cannot be standard input"), std::string::npos)
                << what << ": " << archive.err;
        }
        // "zyntext help COMMAND" is "zyntext COMMAND --help".
        const ToolRun help = zyntext({"help", command});
        EXPECT_EQ(help.exitCode, 0) << what;
        EXPECT_NE(help.out, "") << what;
        EXPECT_EQ(zyntext(joined({head, operands, {"--help"}})).out, help.out) << what;
    }
}

// Every option of every command: those its usage lines name, and those the completion offers.
using Names = std::set<std::string>;

Names optionsIn(const std::string& text) {
    Names found;
    for (std::size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 1)) {
        if (at > 0 && text[at - 1] != ' ' && text[at - 1] != '[' && text[at - 1] != '"')
            continue;
        const std::size_t end =
            text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-", at + 1);
        const std::string name = text.substr(at, end - at);
        if (name.size() > 1 && name != "--" && name[1] != '-' ? name.size() == 2 : name.size() > 2)
            found.insert(name);
    }
    return found;
}

TEST(Conventions, UsageOptionsAndCompletionNameTheSameOptions) {
    std::map<std::string, Names> completion;
    Names commands;
    for (const std::string& line : lines(readBytes(ZYNTEXT_COMPLETION))) {
        const std::size_t start = line.find_first_not_of(' '), equals = line.find("=\"");
        if (start == std::string::npos || equals == std::string::npos)
            continue;
        const std::string name = line.substr(start, equals - start);
        const std::string value = line.substr(equals + 2, line.find('"', equals + 2) - equals - 2);
        if (name == "local commands") {
            std::istringstream words(value);
            commands.insert(std::istream_iterator<std::string>(words), {});
        } else if (name.starts_with('[') && name.ends_with(']')) {
            completion[name.substr(1, name.find_first_of(" ]") - 1)].merge(optionsIn(value));
        }
    }
    Names tool;
    for (const cli::Command* command : cli::AllCommands()) {
        tool.insert(command->name);
        Names usage, described{"-q", "--quiet"};
        for (const std::string& form : command->help.usage)
            usage.merge(optionsIn(form));
        for (const cli::HelpItem& option : command->help.options)
            described.merge(optionsIn(option.tag));
        for (const std::string& name : usage)
            EXPECT_TRUE(described.count(name)) << command->name << ": " << name << " undescribed";
        EXPECT_EQ(completion[command->name], described) << "the completion of " << command->name;
    }
    EXPECT_EQ(commands, tool);
}

// The manual's section of each command is made from its help: the page in the sources is the
// one the tool's help makes.
TEST(Conventions, TheManualPageSaysWhatTheHelpSays) {
    const std::string page = readBytes(ZYNTEXT_MAN_PAGE);
    ASSERT_NE(page.find(".\\\" BEGIN COMMANDS"), std::string::npos);
    EXPECT_TRUE(cli::UpdatedManPage(page, cli::AllCommands()) == page)
        << "docs/man/zyntext.1 differs from the commands' help: run "
           "build-ci/src/cli/zyntextman docs/man/zyntext.1";
}

} // namespace
} // namespace zyn::test
