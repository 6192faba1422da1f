#include "cli/command.h"

#include "archive/archivetable.h"
#include "cli/standardinput.h"

#include <algorithm>

namespace zyn::cli {

const std::vector<const Command*>& AllCommands() {
    static const std::vector<const Command*> commands{
        &DumpCommand, &BuildCommand,    &HqrCommand, &ExpandCommand, &NamesCommand,
        &DiffCommand, &CharsetsCommand, &PoCommand,  &CheckCommand,  &StatusCommand,
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command* command : AllCommands())
        if (name == command->name)
            return command;
    return nullptr;
}

int fail(CommandIo io, const std::string& message) {
    // Messages of the program may span lines (CR LF); the tool keeps to one line.
    std::string line;
    for (const char c : message) {
        if (c == '\r')
            continue;
        line.push_back(c == '\n' ? ' ' : c);
    }
    io.err << "zyntext: " << line << '\n';
    return Failure;
}

int usageError(CommandIo io, const std::string& command, const std::string& message) {
    io.err << "zyntext: " << message << "\nTry 'zyntext " << command << " --help'.\n";
    return Usage;
}

void note(CommandIo io, const std::string& message) {
    if (!io.settings.quiet)
        io.err << "zyntext: " << message << '\n' << std::flush;
}

const OptionSpec OutputOption{"output", 'o', "FILE"};
const OptionSpec GameOption{"game", 0, "1|2"};
const OptionSpec WaitOption{"wait", 0, "SECONDS"};

int readArguments(CommandIo io, const std::string& command,
                  const std::vector<OptionSpec>& optionSpecs, const Arguments& args,
                  ParsedArguments& out) {
    const std::string problem = ParseArguments(optionSpecs, args, out);
    if (out.help) {
        // "zyntext hqr list --help" is hqr's help.
        const std::string name = command.substr(0, command.find(' '));
        if (const Command* found = FindCommand(name))
            io.out << HelpText(found->help);
        return Success;
    }
    if (!problem.empty())
        return usageError(io, command.substr(0, command.find(' ')), problem);
    io.settings.quiet = out.has(QuietOption.name);
    return -1;
}

std::string requiredGame(const ParsedArguments& args, int& game) {
    game = 0;
    if (!args.has(GameOption.name))
        return "--game 1 or --game 2 is required";
    const std::string value = args.value(GameOption.name);
    if (value != "1" && value != "2")
        return "--game takes 1 or 2, not '" + value + "'";
    game = value == "1" ? 1 : 2;
    return {};
}

std::string notStandardInput(const std::string& name, const std::string& what) {
    if (name != StandardInputName)
        return {};
    return what == "ARCHIVE" ? "an archive cannot be standard input ('-'): it is read in parts "
                               "and rebuilt in place; name its file"
                             : what + " is written in place and cannot be standard input ('-'); "
                                      "name its file";
}

std::string standardInputOnce(const std::vector<std::string>& names) {
    if (std::count(names.begin(), names.end(), StandardInputName) > 1)
        return "standard input ('-') can be read only once";
    return {};
}

std::string waitOf(const ParsedArguments& args, std::chrono::seconds& wait) {
    wait = std::chrono::seconds(60);
    if (!args.has(WaitOption.name))
        return {};
    const std::string value = args.value(WaitOption.name);
    if (value.empty() || value.size() > 6 ||
        value.find_first_not_of("0123456789") != std::string::npos)
        return "--wait takes a number of seconds";
    wait = std::chrono::seconds(std::stoi(value));
    return {};
}

LockWait archiveWait(CommandIo io, const std::string& archive, std::chrono::seconds giveUp) {
    LockWait wait;
    wait.giveUpAfter = giveUp;
    wait.notice = [io, archive] {
        note(io, "waiting for another program to finish rebuilding " + archive + " ...");
    };
    return wait;
}

int failRebuild(CommandIo io, const Status& status) {
    return fail(io, status.message() +
                        (status.kind() == ErrorKind::Busy ? " Nothing was changed." : ""));
}

std::string absentItem(FileSystem& files, const std::string& archive, int item) {
    auto file = files.open(archive, false);
    if (!file)
        return {};
    FileCloser closer(files, *file);
    const auto table = ReadArchiveTable(files, *file);
    if (!table || item <= table->lastItem)
        return {};
    const int count = table->lastItem + 1;
    return archive + ": the archive has no item " + std::to_string(item) + "; it holds " +
           (count == 0   ? std::string("no items")
            : count == 1 ? std::string("item 0 only")
                         : "items 0 to " + std::to_string(count - 1));
}

} // namespace zyn::cli
