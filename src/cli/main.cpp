// zyntext: the command-line tool over the editor's core, for inspecting and batch-processing
// the games' text files and text archives.

#include "cli/command.h"

#include <iostream>
#include <string>

namespace {

const zyn::cli::Command* const Commands[] = {
    &zyn::cli::DumpCommand,     &zyn::cli::BuildCommand, &zyn::cli::HqrCommand,
    &zyn::cli::ExpandCommand,   &zyn::cli::NamesCommand, &zyn::cli::DiffCommand,
    &zyn::cli::CharsetsCommand,
};

void printOverview(std::ostream& out) {
    out << "Usage: zyntext COMMAND [ARGUMENTS]\n\n"
           "Reads and writes the text files and text archives of ZYN 1 and ZYN 2.\n\n"
           "Commands:\n";
    for (const auto* command : Commands)
        out << "  " << command->name << std::string(10 - std::string(command->name).size(), ' ')
            << command->summary << '\n';
    out << "\n'zyntext COMMAND --help' describes a command.\n"
           "Exit status: 0 success, 1 bad input or failed operation, 2 wrong usage.\n";
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    zyn::cli::CommandIo io{std::cout, std::cerr};
    if (argc < 2) {
        printOverview(std::cerr);
        return zyn::cli::Usage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printOverview(std::cout);
        return zyn::cli::Success;
    }
    for (const auto* command : Commands) {
        if (name != command->name)
            continue;
        zyn::cli::Arguments args(argv + 2, argv + argc);
        if (zyn::cli::wantsHelp(args)) {
            std::cout << command->help;
            return zyn::cli::Success;
        }
        return command->run(args, io);
    }
    std::cerr << "zyntext: unknown command '" << name << "'\nTry 'zyntext --help'.\n";
    return zyn::cli::Usage;
}
