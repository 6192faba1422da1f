// zyntext's --help texts, its man page and its bash completion name the same commands and the
// same options, so that a command or option added to one of them and not to the others fails
// here, naming the command and the two sets.

#include "cli/toolrun.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>

namespace zyn {
namespace {

using test::lines;
using Names = std::set<std::string>;

// Every "--name" in text; "--help" is left out, as every command has it.
Names optionsIn(const std::string& text) {
    static const std::regex option("--[a-z][a-z0-9-]*");
    Names found;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        if (it->str() != "--help")
            found.insert(it->str());
    return found;
}

// What one source names: the commands, and the options of each ("" for those before any
// command).
struct Described {
    Names commands;
    std::map<std::string, Names> options;
};

bool isUsageLine(const std::string& line) {
    return line.starts_with("Usage:") || line.starts_with("       zyntext");
}

// The commands listed by "zyntext --help"; the options are those of the usage lines of each
// --help text, which name them all.
Described help() {
    Described result;
    bool inCommands = false;
    for (const std::string& line : lines(test::zyntext({"--help"}).out)) {
        if (isUsageLine(line))
            result.options[""].merge(optionsIn(line));
        if (line == "Commands:")
            inCommands = true;
        else if (line.empty())
            inCommands = false;
        else if (inCommands)
            result.commands.insert(line.substr(2, line.find(' ', 2) - 2));
    }
    for (const std::string& command : result.commands)
        for (const std::string& line : lines(test::zyntext({command, "--help"}).out))
            if (isUsageLine(line))
                result.options[command].merge(optionsIn(line));
    return result;
}

// The ".SS COMMAND" sections of COMMANDS, and the options given a paragraph of their own (".TP"
// followed by the option) in each of them and under OPTIONS.
Described manPage() {
    Described result;
    std::string section, command;
    bool tag = false;
    for (std::string line : lines(test::readBytes(ZYNTEXT_MAN_PAGE))) {
        line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
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
    static const std::regex commands(R"(\s*local commands="([^"]*)\")");
    static const std::regex toplevel(R"(\s*local toplevel="([^"]*)\")");
    static const std::regex entry(R"(\s*\[([a-z-]+)[a-z -]*\]="([^"]*)\")");
    for (const std::string& line : lines(test::readBytes(ZYNTEXT_COMPLETION))) {
        std::smatch match;
        if (std::regex_match(line, match, commands))
            for (const std::string& word :
                 lines(std::regex_replace(match[1].str(), std::regex(" +"), "\n")))
                result.commands.insert(word);
        else if (std::regex_match(line, match, toplevel))
            result.options[""] = optionsIn(match[1]);
        else if (std::regex_match(line, match, entry))
            result.options[match[1]].merge(optionsIn(match[2]));
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
} // namespace zyn
