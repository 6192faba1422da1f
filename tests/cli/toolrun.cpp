#include "cli/toolrun.h"

#include "support/tempdir.h"

#include <cstdlib>
#include <sstream>
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

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

} // namespace zyn::test
