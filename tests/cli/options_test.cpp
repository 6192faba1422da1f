// zyntext's --help texts, its man page and its bash completion name the same commands and the
// same options, so that a command or option added to one of them and not to the others fails
// here, naming what is missing where.

#include "cli/toolrun.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace zyn {
namespace {

using Names = std::set<std::string>;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// Every "--name" in text; "--help" is left out, as every command has it.
Names optionsIn(const std::string& text) {
    static const std::regex option("--[a-z][a-z0-9-]*");
    Names found;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        if (it->str() != "--help")
            found.insert(it->str());
    return found;
}

std::string joined(const Names& names) {
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : " ") + name;
    return "{" + text + "}";
}

// The commands listed by "zyntext --help", and the options of its usage lines.
struct Overview {
    Names commands;
    Names options;
};

Overview overview() {
    Overview result;
    bool inCommands = false;
    for (const std::string& line : lines(test::zyntext({"--help"}).out)) {
        if (line.starts_with("Usage:") || line.starts_with("       zyntext"))
            result.options.merge(optionsIn(line));
        if (line == "Commands:")
            inCommands = true;
        else if (line.empty())
            inCommands = false;
        else if (inCommands)
            result.commands.insert(line.substr(2, line.find(' ', 2) - 2));
    }
    return result;
}

// The options of "zyntext COMMAND --help": those of its usage lines, which name them all.
Names helpOptions(const std::string& command) {
    Names options;
    for (const std::string& line : lines(test::zyntext({command, "--help"}).out))
        if (line.starts_with("Usage:") || line.starts_with("       zyntext"))
            options.merge(optionsIn(line));
    return options;
}

// The man page: the options given a paragraph of their own (".TP" followed by the option) in
// each ".SS COMMAND" section of COMMANDS, and under OPTIONS (key "").
std::map<std::string, Names> manPageOptions() {
    std::map<std::string, Names> sections;
    std::string section, current;
    bool tag = false;
    for (std::string line : lines(test::readBytes(ZYNTEXT_MAN_PAGE))) {
        line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
        if (line.starts_with(".SH")) {
            section = line.substr(4);
            current.clear();
        } else if (line.starts_with(".SS") && section == "COMMANDS") {
            current = line.substr(4);
            sections[current];
        } else if (tag && (section == "OPTIONS" || !current.empty())) {
            sections[current].merge(optionsIn(line));
        }
        tag = line == ".TP";
    }
    return sections;
}

// The completion: the commands it offers, the options after the bare program name (key "") and
// those of each command (of its subcommands together).
std::map<std::string, Names> completionOptions(Names& commands) {
    std::map<std::string, Names> options;
    static const std::regex entry(R"(\s*\[([a-z-]+)[a-z -]*\]="([^"]*)\")");
    for (const std::string& line : lines(test::readBytes(ZYNTEXT_COMPLETION))) {
        std::smatch match;
        if (std::regex_match(line, match, entry))
            options[match[1]].merge(optionsIn(match[2]));
        else if (std::regex_match(line, match, std::regex(R"(\s*local commands="([^"]*)\")")))
            for (const std::string& word :
                 lines(std::regex_replace(match[1].str(), std::regex(" +"), "\n")))
                commands.insert(word);
        else if (std::regex_match(line, match, std::regex(R"(\s*local toplevel="([^"]*)\")")))
            options[""] = optionsIn(match[1]);
    }
    return options;
}

TEST(Options, HelpManPageAndCompletionNameTheSameCommandsAndOptions) {
    const Overview tool = overview();
    ASSERT_FALSE(tool.commands.empty());
    auto man = manPageOptions();
    Names completionCommands;
    auto completion = completionOptions(completionCommands);

    Names manCommands;
    for (const auto& [name, options] : man)
        if (!name.empty())
            manCommands.insert(name);
    EXPECT_EQ(manCommands, tool.commands) << "the man page's COMMANDS sections";
    EXPECT_EQ(completionCommands, tool.commands) << "the completion's commands";

    EXPECT_EQ(man[""], tool.options)
        << "the man page's OPTIONS, 'zyntext --help' names " << joined(tool.options);
    EXPECT_EQ(completion[""], tool.options) << "the completion's toplevel options";
    for (const std::string& command : tool.commands) {
        const Names help = helpOptions(command);
        EXPECT_EQ(man[command], help) << "'zyntext " << command << " --help' names " << joined(help)
                                      << ", its man page section " << joined(man[command]);
        EXPECT_EQ(completion[command], help)
            << "'zyntext " << command << " --help' names " << joined(help) << ", its completion "
            << joined(completion[command]);
    }
}

} // namespace
} // namespace zyn
