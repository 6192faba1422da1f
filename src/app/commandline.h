#pragma once

// The editor's command line: at most one file, named by one whole argument, and the options
// --help and --version. Read before the application object exists, so that the options work
// without a display.

#include <string>
#include <vector>

namespace zyn {

struct EditorCommandLine {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    // Every argument that is not an option, each one whole: a file name may hold blanks, "?"
    // and "*", and arrives as one argument from a desktop entry or a shell.
    std::vector<std::string> files;
    // Why the command line is wrong, for Action::Wrong.
    std::string error;
};

// arguments: everything after the program's name. An argument starting with "--" is an option;
// "--" alone makes every later argument a file name.
EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& arguments);

std::string EditorUsage();
std::string EditorVersion();

} // namespace zyn
