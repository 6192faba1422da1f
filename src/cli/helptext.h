#pragma once

// What a command says of itself, written once: "zyntext COMMAND --help" prints it as text,
// and the manual page's section of the command is made from it (ManSection), so the two never
// say different things.
//
// A paragraph is wrapped to the width of a terminal, except:
//   "  ..."      lines kept as they are (an example), every line starting with two blanks;
//   "- ..."      an item of a list;
//   "TAG\tTEXT"  TEXT under the heading TAG, as the options are shown.

#include <string>
#include <vector>

namespace zyn::cli {

// Plain pointers, so that items shared by several commands are ready before any command.
struct HelpItem {
    const char* tag; // "-o, --output FILE"
    const char* text;
};

struct CommandHelp {
    std::vector<std::string> usage; // one form of the command a line: "zyntext dump FILE ..."
    std::vector<std::string> text;  // paragraphs
    std::vector<HelpItem> options;
    std::vector<std::string> after = {}; // paragraphs after the options
};

// The --help text: "Usage: " and the forms, the paragraphs, "Options:" and the options.
std::string HelpText(const CommandHelp& help);

// The manual page's subsection of the command, in roff: ".SS NAME", the forms, the paragraphs
// and one tagged paragraph (".TP") per option.
std::string ManSection(const std::string& name, const CommandHelp& help);

// page with the part between its lines ".\" BEGIN COMMANDS" and ".\" END COMMANDS" made anew
// from the commands' help; page as it is when it has no such lines.
struct Command;
std::string UpdatedManPage(const std::string& page, const std::vector<const Command*>& commands);

} // namespace zyn::cli
