#pragma once

// The command line as the C library's getopt_long reads it, with the conventions of gettext's
// and git's tools: "--name=value" and "--name value", "-oFILE" and "-o FILE", unique prefixes
// of long names, options before and after the operands, "--" ending the options. One rule
// for repeats: an option given twice is refused, save those meant to repeat (--memory).

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace zyn::cli {

struct OptionSpec {
    const char* name;            // the long name, without "--"
    char letter = 0;             // the short name, 0 for none
    const char* value = nullptr; // what it takes ("FILE"); nullptr for a flag
    bool repeatable = false;
};

// What a command line holds once read.
struct ParsedArguments {
    std::vector<std::string> operands;
    std::map<std::string, std::vector<std::string>> options; // by long name; a flag holds ""
    bool help = false;

    bool has(const std::string& name) const { return options.count(name) > 0; }
    // The option's value, "" when it is absent.
    std::string value(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;
};

// The options every command takes besides its own.
extern const OptionSpec HelpOption;  // -h, --help
extern const OptionSpec QuietOption; // -q, --quiet

// Reads args by optionSpecs (with --help and --quiet); "" or the first usage message. help is set
// when --help stands among the options, whatever else is wrong.
std::string ParseArguments(const std::vector<OptionSpec>& optionSpecs,
                           const std::vector<std::string>& args, ParsedArguments& out);

} // namespace zyn::cli
