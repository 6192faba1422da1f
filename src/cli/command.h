#pragma once

// What every zyntext command shares: its arguments, where it writes, and the exit codes.
//   0  success
//   1  bad input or a failed operation (one line on stderr beginning "zyntext: ")
//   2  wrong usage

#include "base/lockwait.h"
#include "base/result.h"

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace zyn::cli {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
};

// Arguments after the command's name.
using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary; // one line for the overview
    const char* help;    // the text of "zyntext NAME --help"
    int (*run)(const Arguments& args, CommandIo io);
    // The exit code when what the command printed could not be written.
    int outputFailure = Failure;
};

// "zyntext: " + message on err; returns Failure.
int fail(CommandIo io, const std::string& message);
// "zyntext: " + message and a hint at --help on err; returns Usage.
int usageError(CommandIo io, const std::string& command, const std::string& message);

bool wantsHelp(const Arguments& args);

// Takes "--name VALUE" out of args; nullopt-like empty result and found=false when absent.
struct Option {
    bool found = false;
    bool missingValue = false;
    std::string value;
};
Option takeOption(Arguments& args, const std::string& name);
bool takeFlag(Arguments& args, const std::string& name);

// "--game 1|2": 1 or 2, 0 when absent, -1 when malformed.
int takeGame(Arguments& args);
// "--game 1|2" where a command requires it: a usage message when absent or malformed.
std::string takeRequiredGame(Arguments& args, int& game);
// The usage message for the first argument left that looks like an option; "" when none does.
std::string unknownOption(const Arguments& args);

// "--wait SECONDS": how long a rebuild waits while another program rebuilds its archive, 60
// seconds when absent; a usage message when malformed.
std::string takeWait(Arguments& args, std::chrono::seconds& wait);
// The wait of a rebuild of archive, which says on err after a second that it waits.
LockWait archiveWait(CommandIo io, const std::string& archive, std::chrono::seconds giveUp);
// fail() with what stopped a command that rebuilds an archive; a wait that ran out also says
// that nothing was changed.
int failRebuild(CommandIo io, const Status& status);

// The commands, defined one per file.
extern const Command DumpCommand;
extern const Command BuildCommand;
extern const Command HqrCommand;
extern const Command ExpandCommand;
extern const Command NamesCommand;
extern const Command CharsetsCommand;
extern const Command DiffCommand;
extern const Command PoCommand;
extern const Command CheckCommand;

} // namespace zyn::cli
