#include "cli/command.h"

#include <algorithm>

namespace zyn::cli {

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

bool wantsHelp(const Arguments& args) {
    return std::find(args.begin(), args.end(), "--help") != args.end() ||
           std::find(args.begin(), args.end(), "-h") != args.end();
}

Option takeOption(Arguments& args, const std::string& name) {
    Option option;
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != name)
            continue;
        option.found = true;
        if (it + 1 == args.end()) {
            option.missingValue = true;
            args.erase(it);
        } else {
            option.value = *(it + 1);
            args.erase(it, it + 2);
        }
        break;
    }
    return option;
}

bool takeFlag(Arguments& args, const std::string& name) {
    const auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end())
        return false;
    args.erase(it);
    return true;
}

int takeGame(Arguments& args) {
    const Option game = takeOption(args, "--game");
    if (!game.found)
        return 0;
    if (game.value == "1")
        return 1;
    if (game.value == "2")
        return 2;
    return -1;
}

std::string takeRequiredGame(Arguments& args, int& game) {
    game = takeGame(args);
    if (game == 0)
        return "--game 1 or --game 2 is required";
    if (game < 0)
        return "--game takes 1 or 2";
    return {};
}

std::string unknownOption(const Arguments& args) {
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option '" + arg + "'";
    return {};
}

std::string takeWait(Arguments& args, std::chrono::seconds& wait) {
    const Option option = takeOption(args, "--wait");
    wait = std::chrono::seconds(60);
    if (!option.found)
        return {};
    if (option.value.empty() || option.value.size() > 6 ||
        option.value.find_first_not_of("0123456789") != std::string::npos)
        return "--wait takes a number of seconds";
    wait = std::chrono::seconds(std::stoi(option.value));
    return {};
}

LockWait archiveWait(CommandIo io, const std::string& archive, std::chrono::seconds giveUp) {
    LockWait wait;
    wait.giveUpAfter = giveUp;
    wait.notice = [io, archive] {
        io.err << "zyntext: waiting for another program to finish rebuilding " << archive
               << " ...\n"
               << std::flush;
    };
    return wait;
}

int failRebuild(CommandIo io, const Status& status) {
    return fail(io, status.message() +
                        (status.kind() == ErrorKind::Busy ? " Nothing was changed." : ""));
}

} // namespace zyn::cli
