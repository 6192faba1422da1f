// zyntext's --help texts, its man page and its bash completion name the same commands and the
// same options, so that a command or option added to one of them and not to the others fails
// here, naming the command and the two sets.

#include "support/tempdir.h"
#include "support/toolrun.h"

#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace zyn::test {
namespace {

using Names = std::set<std::string>;

// Every "--name" in text; "--help" is left out, as every command has it.
Names optionsIn(const std::string& text) {
    Names found;
    for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at)) {
        const std::size_t end = text.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-", at);
        found.insert(text.substr(at, end - at));
        at = end;
    }
    found.erase("--");
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
        for (std::size_t at = line.find("\\-"); at != std::string::npos; at = line.find("\\-", at))
            line.erase(at, 1); // roff's "\-" is a "-"
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
// command (of its subcommands together), from its lines NAME="VALUE".
Described completion() {
    Described result;
    for (const std::string& line : lines(readBytes(ZYNTEXT_COMPLETION))) {
        const std::size_t start = line.find_first_not_of(' '), equals = line.find("=\"");
        if (start == std::string::npos || equals == std::string::npos)
            continue;
        const std::string name = line.substr(start, equals - start);
        const std::string value = line.substr(equals + 2, line.find('"', equals + 2) - equals - 2);
        if (name == "local commands") {
            std::istringstream words(value);
            result.commands.insert(std::istream_iterator<std::string>(words), {});
        } else if (name == "local toplevel") {
            result.options[""] = optionsIn(value);
        } else if (name.starts_with('[') && name.ends_with(']')) {
            // [COMMAND]="..." or [COMMAND SUBCOMMAND]="..."
            result.options[name.substr(1, name.find_first_of(" ]") - 1)].merge(optionsIn(value));
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
