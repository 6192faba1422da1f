#include "app/commandline.h"

namespace zyn {

EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& arguments) {
    EditorCommandLine line;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (!options || !argument.starts_with("--")) {
            line.files.push_back(argument);
        } else if (argument == "--") {
            options = false;
        } else if (argument == "--help") {
            // The first of --help and --version wins; both print and end the program.
            if (line.action == EditorCommandLine::Action::Run)
                line.action = EditorCommandLine::Action::Help;
        } else if (argument == "--version") {
            if (line.action == EditorCommandLine::Action::Run)
                line.action = EditorCommandLine::Action::Version;
        } else if (line.error.empty()) {
            line.error = "unknown option '" + argument + "'";
        }
    }
    if (line.action == EditorCommandLine::Action::Run && !line.error.empty())
        line.action = EditorCommandLine::Action::Wrong;
    return line;
}

std::string EditorUsage() {
    return "Usage: zyntexteditor [FILE]\n"
           "\n"
           "Edits the dialogue and message text files of ZYN 1 and ZYN 2. FILE, if given, is\n"
           "opened at start; the whole argument is its name, blanks, \"?\" and \"*\" included.\n"
           "\n"
           "Options:\n"
           "  --help      show this text and exit\n"
           "  --version   show the program's name and version and exit\n"
           "  --          take the argument that follows as the file, even if it starts with --\n";
}

std::string EditorVersion() {
    return "zyntexteditor (ZYN Text File Editor) " + std::to_string(ZYN_VERSION_MAJOR) + "." +
           std::to_string(ZYN_VERSION_MINOR) + "." + std::to_string(ZYN_VERSION_PATCH) + "\n";
}

} // namespace zyn
