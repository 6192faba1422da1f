// zyntext's --help texts, its man page and its bash completion name the same commands and the
// same options, so that a command or option added to one of them and not to the others fails
// here, naming the command and the two sets.

#include "support/tempdir.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace zyn::test {
namespace {

using Names = std::set<std::string>;

// Every "--name" in text; "--help" is left out, as every command has it.
Names optionsIn(const std::string& text) {
    static const std::regex option("--[a-z0-9-]+");
    Names found(std::sregex_token_iterator(text.begin(), text.end(), option), {});
    found.erase("--help");
    return found;
}

// What one source names: the commands, and the options of each ("" for those before any
// command).
struct Described {
    Names commands;
    std::map<std::string, Names> options;
};

// A usage line, or the line of options that continues one ("      [--wait SECONDS]").
bool isUsageLine(const std::string& line, bool afterUsage = false) {
    const std::size_t first = line.find_first_not_of(' ');
    return line.starts_with("Usage:") || line.starts_with("       zyntext") ||
           (afterUsage && first > 0 && first != std::string::npos && line[first] == '[');
}

// The commands listed by "zyntext --help"; the options are those of the usage lines of each
// --help text, which name them all.
Described help() {
    Described result;
    bool inCommands = false;
    for (const std::string& line : lines(zyntext({"--help"}).out)) {
        if (isUsageLine(line))
            result.options[""].merge(optionsIn(line));
        if (line == "Commands:")
            inCommands = true;
        else if (line.empty())
            inCommands = false;
        else if (inCommands)
            result.commands.insert(line.substr(2, line.find(' ', 2) - 2));
    }
    for (const std::string& command : result.commands) {
        bool usage = false;
        for (const std::string& line : lines(zyntext({command, "--help"}).out))
            if ((usage = isUsageLine(line, usage)))
                result.options[command].merge(optionsIn(line));
    }
    return result;
}

// The ".SS COMMAND" sections of COMMANDS, and the options given a paragraph of their own (".TP"
// followed by the option) in each of them and under OPTIONS.
Described manPage() {
    Described result;
    std::string section, command;
    bool tag = false;
    for (std::string line : lines(readBytes(ZYNTEXT_MAN_PAGE))) {
        line = std::regex_replace(line, std::regex(R"(\\-)"), "-"); // roff's "\-" is a "-"
        if (line.starts_with(".SH")) {
            section = line.substr(4);
            command.clear();
        } else if (line.starts_with(".SS") && section == "COMMANDS") {
            command = line.substr(4);
            result.commands.insert(command);
        } else if (tag && (section == "OPTIONS" || !command.empty())) {
            result.options[command].merge(optionsIn(line));
        }
        tag = line == ".TP";
    }
    return result;
}

// The completion's command list, its options after the bare program name and those of each
// command (of its subcommands together).
Described completion() {
    Described result;
    const std::regex commands(R"re(^ *local commands="([^"]*)")re");
    const std::regex toplevel(R"re(^ *local toplevel="([^"]*)")re");
    const std::regex ofCommand(R"re(^ *\[([a-z-]+)[ \]][^"]*"([^"]*)")re");
    for (const std::string& line : lines(readBytes(ZYNTEXT_COMPLETION))) {
        std::smatch found;
        if (std::regex_search(line, found, commands)) {
            std::istringstream words(found[1]);
            result.commands.insert(std::istream_iterator<std::string>(words), {});
        } else if (std::regex_search(line, found, toplevel)) {
            result.options[""] = optionsIn(found[1]);
        } else if (std::regex_search(line, found, ofCommand)) {
            // [COMMAND]="..." or [COMMAND SUBCOMMAND]="..."
            result.options[found[1]].merge(optionsIn(found[2]));
        }
    }
    return result;
}

TEST(Options, HelpManPageAndCompletionNameTheSameCommandsAndOptions) {
    const Described tool = help();
    ASSERT_GT(tool.commands.size(), 1u);
    for (auto [source, described] :
         {std::pair{"man page", manPage()}, std::pair{"completion", completion()}}) {
        EXPECT_EQ(described.commands, tool.commands) << "the commands of the " << source;
        for (const auto& [command, options] : tool.options)
            EXPECT_EQ(described.options[command], options)
                << "the options of 'zyntext " << command << "' in the " << source
                << " and in its --help";
    }
}

} // namespace
} // namespace zyn::test
