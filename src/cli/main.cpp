// zyntext: the command-line tool over the editor's core, for inspecting and batch-processing
// the games' text files and text archives.

#include "base/interruptcleanup.h"
#include "base/safewriter.h"
#include "base/workingfolder.h"
#include "cli/command.h"
#include "cli/standardinput.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

void printOverview(std::ostream& out) {
    out << "Usage: zyntext COMMAND [OPTIONS] [--] [OPERANDS]\n"
           "       zyntext help [COMMAND] | --help | --version\n\n"
           "Reads and writes the text files and text archives of ZYN 1 and ZYN 2.\n\n"
           "Commands:\n";
    for (const auto* command : zyn::cli::AllCommands())
        out << "  " << command->name << std::string(10 - std::string(command->name).size(), ' ')
            << command->summary << '\n';
    out << "\n'zyntext help COMMAND' or 'zyntext COMMAND --help' describes a command.\n"
           "Every command takes -h/--help and -q/--quiet (no notes, no report of success);\n"
           "options take their value as '--name value' or '--name=value', '-o FILE' or\n"
           "'-oFILE', and '--' ends them. An option given twice is refused, save --memory.\n"
           "'-' names standard input where a file is read, and standard output for -o.\n"
           "Exit status: 0 success, 1 bad input or a failed operation (also when the output\n"
           "could not be written), 2 wrong usage or a language or item the archive lacks.\n";
}

// Runs the command argv names; out gets what it prints, unless -o sent that to a file.
// failedOutput is the exit code should its output not be written.
int runCommand(int argc, char** argv, std::ostringstream& out, int& failedOutput) {
    if (argc < 2) {
        printOverview(std::cerr);
        return zyn::cli::Usage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || (name == "help" && argc == 2)) {
        printOverview(out);
        return zyn::cli::Success;
    }
    if (name == "--version") {
        out << "zyntext " ZYNTEXT_VERSION "\n";
        return zyn::cli::Success;
    }
    // "zyntext help COMMAND" is "zyntext COMMAND --help".
    const bool help = name == "help";
    const zyn::cli::Command* command = zyn::cli::FindCommand(help ? argv[2] : name);
    if (!command) {
        std::cerr << "zyntext: unknown command '" << (help ? argv[2] : name)
                  << "'\nTry 'zyntext --help'.\n";
        return zyn::cli::Usage;
    }
    if (help) {
        out << zyn::cli::HelpText(command->help);
        return zyn::cli::Success;
    }
    failedOutput = command->outputFailure;
    zyn::cli::StandardInputFiles files(zyn::realFileSystem());
    zyn::cli::RunSettings settings;
    const zyn::cli::CommandIo io{out, std::cerr, files, settings};
    const int exitCode = command->run(zyn::cli::Arguments(argv + 2, argv + argc), io);
    if (settings.output.empty() || settings.output == zyn::cli::StandardInputName ||
        exitCode == zyn::cli::Usage || exitCode == command->outputFailure)
        return exitCode;
    // Written as every file is: complete, or not at all.
    const zyn::Status written = zyn::WriteFileSafely(files, settings.output, out.str());
    out.str("");
    if (!written) {
        zyn::cli::fail(io, written.message());
        return command->outputFailure;
    }
    return exitCode;
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
    int exitCode = runCommand(argc, argv, out, failedOutput);
    if (const int error = writeOutput(out.str()); error != 0) {
        std::cerr << "zyntext: Cannot write the output: " << std::strerror(error) << ".\n";
        exitCode = failedOutput;
    }
    return exitCode;
}
