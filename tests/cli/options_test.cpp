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

namespace zyn {
namespace {

using test::lines;
using Names = std::set<std::string>;

// Every "--name" in text; "--help" is left out, as every command has it.
Names optionsIn(const std::string& text) {
    static const std::regex option("--[a-z0-9-]*[a-z0-9]");
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
// command (of its subcommands together): the lines local commands="...", local toplevel="..."
// and [COMMAND]="..." or [COMMAND SUBCOMMAND]="...".
Described completion() {
    static const std::regex entry(
        R"re(^\s*(local commands|local toplevel|\[([a-z-]+)[^\]]*\])="([^"]*)")re");
    Described result;
    for (const std::string& line : lines(test::readBytes(ZYNTEXT_COMPLETION))) {
        std::smatch m;
        if (!std::regex_search(line, m, entry))
            continue;
        if (m[1] == "local commands") {
            std::istringstream words(m[3]);
            result.commands.insert(std::istream_iterator<std::string>(words), {});
        } else {
            result.options[m[1] == "local toplevel" ? "" : m[2].str()].merge(optionsIn(m[3]));
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
} // namespace zyn
