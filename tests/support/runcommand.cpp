#include "support/runcommand.h"

#include "support/tempdir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace zyn::test {

namespace {

std::string shellQuoted(const std::string& arg) {
    std::string quoted = "'";
    for (const char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

CommandRun runCommand(const std::vector<std::string>& argv) {
    TempDir dir;
    std::string line;
    for (const auto& arg : argv)
        line += shellQuoted(arg) + " ";
    line += "</dev/null >" + shellQuoted(dir.file("out")) + " 2>" + shellQuoted(dir.file("err"));
    const int status = std::system(line.c_str());
    CommandRun run;
    run.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readBytes(dir.file("out"));
    run.err = readBytes(dir.file("err"));
    return run;
}

} // namespace zyn::test
