#pragma once

// What every zyntext command shares: its arguments, where it reads and writes, and the exit
// codes.
//   0  success
//   1  bad input or a failed operation (one line on stderr beginning "zyntext: ")
//   2  wrong usage, and a language or item the archive does not have

#include "base/filesystem.h"
#include "base/lockwait.h"
#include "base/result.h"
#include "cli/helptext.h"
#include "cli/options.h"

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace zyn::cli {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// What the options every command shares said.
struct RunSettings {
    bool quiet = false; // -q: no notes and no report of success
    // -o of a command that prints: the file what it printed goes to ("-" or "" for standard
    // output). Written only when the command did not fail.
    std::string output;
};

struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    FileSystem& files; // "-" is standard input
    RunSettings& settings;
};

// Arguments after the command's name.
using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* summary; // one line for the overview
    CommandHelp help;    // "zyntext NAME --help", and its section of the manual page
    int (*run)(const Arguments& args, CommandIo io);
    // The exit code of trouble: when what the command printed could not be written, and the
    // code that leaves a file named by -o unwritten.
    int outputFailure = Failure;
};

// Every command, in the overview's order.
const std::vector<const Command*>& AllCommands();
const Command* FindCommand(const std::string& name);

// "zyntext: " + message on err; returns Failure.
int fail(CommandIo io, const std::string& message);
// "zyntext: " + message and a hint at --help on err; returns Usage.
int usageError(CommandIo io, const std::string& command, const std::string& message);
// A note on err, unless -q was given.
void note(CommandIo io, const std::string& message);

// -o, --output FILE
extern const OptionSpec OutputOption;

// Reads args by the command's options (and those every command has): -1 to go on, else the
// exit code once the command's help or a usage message is printed. -q is kept in io.settings.
int readArguments(CommandIo io, const std::string& command,
                  const std::vector<OptionSpec>& optionSpecs, const Arguments& args,
                  ParsedArguments& out);

// "--game 1|2": a usage message when absent or malformed.
extern const OptionSpec GameOption;
std::string requiredGame(const ParsedArguments& args, int& game);

// A usage message when a name that must be a real file is "-" (an archive, or a file that is
// written in place); what names it, "ARCHIVE" or "TARGET".
std::string notStandardInput(const std::string& name, const std::string& what);
// A usage message when more than one of names is "-": standard input is read once.
std::string standardInputOnce(const std::vector<std::string>& names);

// "--wait SECONDS": how long a rebuild waits while another program rebuilds its archive, 60
// seconds when absent; a usage message when malformed.
extern const OptionSpec WaitOption;
std::string waitOf(const ParsedArguments& args, std::chrono::seconds& wait);
// The wait of a rebuild of archive, which says on err after a second that it waits.
LockWait archiveWait(CommandIo io, const std::string& archive, std::chrono::seconds giveUp);
// fail() with what stopped a command that rebuilds an archive; a wait that ran out also says
// that nothing was changed.
int failRebuild(CommandIo io, const Status& status);

// When item of archive is not there: "text.hqr: the archive has no item 7; it holds items 0 to
// 4"; "" when it is (or the archive cannot be read, which the caller's own read says).
std::string absentItem(FileSystem& files, const std::string& archive, int item);

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
extern const Command StatusCommand;

} // namespace zyn::cli
