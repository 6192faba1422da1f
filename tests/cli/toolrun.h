#pragma once

// zyntext run as the built program, as a user runs it.

#include <string>
#include <vector>

namespace zyn::test {

struct ToolRun {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out, err;
};

// The arguments reach the program as they are, without a shell's splitting; its input is empty.
ToolRun zyntext(const std::vector<std::string>& args);

// The lines of text, without their line ends.
std::vector<std::string> lines(const std::string& text);

} // namespace zyn::test
