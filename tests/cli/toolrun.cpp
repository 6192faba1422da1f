#include "toolrun.h"

#include "support/tempdir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace zyn::test {

namespace {

std::string quoted(const std::string& arg) {
    std::string result = "'";
    for (const char c : arg)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

} // namespace

ToolRun zyntext(const std::vector<std::string>& args) {
    TempDir dir;
    std::string line = quoted(ZYNTEXT_PATH);
    for (const auto& arg : args)
        line += " " + quoted(arg);
    line += " </dev/null >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err"));
    const int status = std::system(line.c_str());
    return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            readBytes(dir.file("out")), readBytes(dir.file("err"))};
}

nlohmann::json json(const ToolRun& run) {
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return nlohmann::json::parse(run.out.empty() ? "null" : run.out);
}

} // namespace zyn::test
