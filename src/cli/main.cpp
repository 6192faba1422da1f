// zyntext: the command-line tool over the editor's core, for inspecting and batch-processing
// the games' text files and text archives.

#include "base/interruptcleanup.h"
#include "base/workingfolder.h"
#include "cli/command.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

const zyn::cli::Command* const Commands[] = {
    &zyn::cli::DumpCommand,     &zyn::cli::BuildCommand, &zyn::cli::HqrCommand,
    &zyn::cli::ExpandCommand,   &zyn::cli::NamesCommand, &zyn::cli::DiffCommand,
    &zyn::cli::CharsetsCommand, &zyn::cli::PoCommand,    &zyn::cli::CheckCommand,
};

void printOverview(std::ostream& out) {
    out << "Usage: zyntext COMMAND [ARGUMENTS]\n"
           "       zyntext --help | --version\n\n"
           "Reads and writes the text files and text archives of ZYN 1 and ZYN 2.\n\n"
           "Commands:\n";
    for (const auto* command : Commands)
        out << "  " << command->name << std::string(10 - std::string(command->name).size(), ' ')
            << command->summary << '\n';
    out << "\n'zyntext COMMAND --help' describes a command.\n"
           "Exit status: 0 success, 1 bad input or a failed operation (also when the output\n"
           "could not be written), 2 wrong usage.\n";
}

// Runs the command argv names; failedOutput is the exit code should its output not be written.
int runCommand(int argc, char** argv, zyn::cli::CommandIo io, int& failedOutput) {
    if (argc < 2) {
        printOverview(io.err);
        return zyn::cli::Usage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(io.out);
        return zyn::cli::Success;
    }
    if (name == "--version") {
        io.out << "zyntext " ZYNTEXT_VERSION "\n";
        return zyn::cli::Success;
    }
    for (const auto* command : Commands) {
        if (name != command->name)
            continue;
        zyn::cli::Arguments args(argv + 2, argv + argc);
        failedOutput = command->outputFailure;
        if (zyn::cli::wantsHelp(args)) {
            io.out << command->help;
            return zyn::cli::Success;
        }
        return command->run(args, io);
    }
    io.err << "zyntext: unknown command '" << name << "'\nTry 'zyntext --help'.\n";
    return zyn::cli::Usage;
}

// Hands text to standard output and closes it; 0, or the error that kept it from the file,
// pipe or device (a full disk shows here, not as a short file with a success).
int writeOutput(const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return ::close(STDOUT_FILENO) != 0 && errno != EBADF ? errno : 0;
}

} // namespace

int main(int argc, char** argv) {
    // An interrupted write leaves no temporary file, and no run leaves its working folder.
    zyn::InstallInterruptCleanup();
    zyn::RemoveAbandonedWorkingFolders();
    std::ios::sync_with_stdio(false);
    // Everything printed is held until the command ends, so that its delivery can be checked.
    std::ostringstream out;
    int failedOutput = zyn::cli::Failure;
    int exitCode = runCommand(argc, argv, {out, std::cerr}, failedOutput);
    if (const int error = writeOutput(out.str()); error != 0) {
        std::cerr << "zyntext: Cannot write the output: " << std::strerror(error) << ".\n";
        exitCode = failedOutput;
    }
    return exitCode;
}
