#pragma once

// zyntext run as the built program, as a user runs it.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace zyn::test {

struct ToolRun {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out, err;
};

// The arguments reach the program as they are, without a shell's splitting; its input is empty.
ToolRun zyntext(const std::vector<std::string>& args);

// The JSON the run printed, expecting it to have succeeded.
nlohmann::json json(const ToolRun& run);

} // namespace zyn::test
