#include "support/programrun.h"

#include "support/tempdir.h"

#include <cstdlib>
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

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& unset) {
    TempDir dir;
    std::string line = "env";
    for (const auto& name : unset)
        line += " -u " + quoted(name);
    line += " " + quoted(program);
    for (const auto& arg : args)
        line += " " + quoted(arg);
    line += " </dev/null >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err"));
    const int status = std::system(line.c_str());
    return {status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            readBytes(dir.file("out")), readBytes(dir.file("err"))};
}

} // namespace zyn::test
