#pragma once

// Runs a built program as a person would from a shell, and keeps what it printed.

#include <string>
#include <vector>

namespace zyn::test {

struct ProgramRun {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out, err;
};

// The arguments reach the program as they are, without a shell's splitting; its input is empty.
// Each name in unset is removed from the program's environment.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& unset = {});

} // namespace zyn::test
