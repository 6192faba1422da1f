#pragma once

// Runs a program, such as the built zyntext, and collects what it printed and its exit code.

#include <string>
#include <vector>

namespace zyn::test {

struct CommandRun {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out;
    std::string err;
};

// argv[0] is the program's path; arguments are passed as they are, without a shell's word
// splitting or expansion. Standard input is empty.
CommandRun runCommand(const std::vector<std::string>& argv);

} // namespace zyn::test
