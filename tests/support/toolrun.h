#pragma once

// Runs a built program, zyntext (ZYNTEXT_PATH, defined by the test's build) or another, through
// the shell: its arguments reach it unsplit, its input is empty, and what it prints is collected.

#include "support/tempdir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace zyn::test {

struct ToolRun {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out, err;
};

inline std::string quoted(const std::string& arg) {
    std::string result = "'";
    for (const char c : arg)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// The shell words that run program with args.
inline std::string programLine(const std::string& program, const std::vector<std::string>& args) {
    std::string line = quoted(program);
    for (const auto& arg : args)
        line += " " + quoted(arg);
    return line;
}

// Runs in folder ("" for the test's own), after the shell words prefix (e.g. "umask 027;" or
// "timeout -s KILL 0.05"), with its output sent to out when given instead of collected, and
// its input read from the file in.
inline ToolRun runProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& folder = {}, const std::string& prefix = {},
                          const std::string& out = {}, const std::string& in = "/dev/null") {
    TempDir dir;
    const std::string to = out.empty() ? dir.file("out") : out;
    const std::string line = (folder.empty() ? "" : "cd " + quoted(folder) + " && ") + prefix +
                             " " + programLine(program, args) + " <" + quoted(in) + " >" +
                             quoted(to) + " 2>" + quoted(dir.file("err"));
    const int status = std::system(line.c_str());
    return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            out.empty() ? readBytes(to) : std::string(), readBytes(dir.file("err"))};
}

// Whether the run succeeded; its exit code and what it said otherwise.
inline testing::AssertionResult succeeded(const ToolRun& run) {
    if (run.exitCode == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "exit code " << run.exitCode << ": " << run.err;
}

// The JSON the run printed, expecting it to have succeeded.
inline nlohmann::json json(const ToolRun& run) {
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return nlohmann::json::parse(run.out.empty() ? "null" : run.out);
}

#ifdef ZYNTEXT_PATH
inline std::string toolLine(const std::vector<std::string>& args) {
    return programLine(ZYNTEXT_PATH, args);
}

inline ToolRun zyntext(const std::vector<std::string>& args, const std::string& folder = {},
                       const std::string& prefix = {}, const std::string& out = {},
                       const std::string& in = "/dev/null") {
    return runProgram(ZYNTEXT_PATH, args, folder, prefix, out, in);
}
#endif

// The lines of text, without their line ends.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// gettext's own check of a PO file, as a translator's tools apply it; "" when it passes.
inline std::string msgfmtCheck(const std::string& po) {
    const ToolRun run = runProgram("msgfmt", {"--check", "-o", "/dev/null", po});
    return run.exitCode == 0 ? "" : "msgfmt: " + run.err;
}

// text with the first of from replaced by to; a test that expected from there fails.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from << "\nin\n" << text;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

} // namespace zyn::test
