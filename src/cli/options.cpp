#include "cli/options.h"

#include <algorithm>
#include <getopt.h>
#include <string_view>

namespace zyn::cli {

const OptionSpec HelpOption{"help", 'h'};
const OptionSpec QuietOption{"quiet", 'q'};

std::string ParsedArguments::value(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() || found->second.empty() ? "" : found->second.back();
}

std::vector<std::string> ParsedArguments::values(const std::string& name) const {
    const auto found = options.find(name);
    return found == options.end() ? std::vector<std::string>{} : found->second;
}

namespace {

// Long options without a letter are told apart by codes above every character.
constexpr int LongOnly = 256;

std::string dashed(const OptionSpec& optionSpec) {
    return std::string("--") + optionSpec.name;
}

// Why getopt_long refused the long option arg: an unknown name or an ambiguous prefix.
std::string refusal(const std::vector<OptionSpec>& optionSpecs, const std::string& arg) {
    const std::string name = arg.substr(2, arg.find('=') - 2);
    std::string which;
    for (const OptionSpec& optionSpec : optionSpecs)
        if (std::string(optionSpec.name).starts_with(name))
            which += (which.empty() ? "" : ", ") + dashed(optionSpec);
    if (which.empty() || !arg.starts_with("--"))
        return "unknown option '" + arg.substr(0, arg.find('=')) + "'";
    return "option '--" + name + "' is ambiguous: " + which;
}

} // namespace

std::string ParseArguments(const std::vector<OptionSpec>& ownSpecs,
                           const std::vector<std::string>& args, ParsedArguments& out) {
    std::vector<OptionSpec> optionSpecs = ownSpecs;
    optionSpecs.push_back(HelpOption);
    optionSpecs.push_back(QuietOption);
    // "-": operands come back in order as code 1 (whatever POSIXLY_CORRECT says); ":" tells a
    // missing value from an unknown option.
    std::string letters = "-:";
    std::vector<option> longs;
    for (std::size_t i = 0; i < optionSpecs.size(); ++i) {
        const OptionSpec& optionSpec = optionSpecs[i];
        const int code = optionSpec.letter ? optionSpec.letter : LongOnly + int(i);
        longs.push_back(
            {optionSpec.name, optionSpec.value ? required_argument : no_argument, nullptr, code});
        if (optionSpec.letter)
            letters += std::string(1, optionSpec.letter) + (optionSpec.value ? ":" : "");
    }
    longs.push_back({nullptr, 0, nullptr, 0});
    const auto specOf = [&](int code) -> const OptionSpec* {
        for (std::size_t i = 0; i < optionSpecs.size(); ++i)
            if ((optionSpecs[i].letter ? optionSpecs[i].letter : LongOnly + int(i)) == code)
                return &optionSpecs[i];
        return nullptr;
    };

    std::vector<std::string> words{"zyntext"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const int argc = int(words.size());

    std::string problem;
    const auto refuse = [&](std::string message) {
        if (problem.empty())
            problem = std::move(message);
    };
    opterr = 0;
    optind = 0; // starts a new scan
    for (int code;
         (code = getopt_long(argc, argv.data(), letters.c_str(), longs.data(), nullptr)) != -1;) {
        if (code == 1) {
            out.operands.emplace_back(optarg);
            continue;
        }
        // Where getopt_long stopped: past the option it could not take.
        const std::string arg = words[std::size_t(std::min(optind, argc) - 1)];
        if (code == '?') {
            // optopt: 0 for an unknown or ambiguous long name, the code of a known flag given
            // a value ("--quiet=yes"), else the unknown letter.
            if (optopt == 0)
                refuse(refusal(optionSpecs, arg));
            else if (const OptionSpec* known = specOf(optopt))
                refuse(dashed(*known) + " takes no value");
            else
                refuse("unknown option '-" + std::string(1, char(optopt)) + "'");
            continue;
        }
        if (code == ':') {
            const OptionSpec* optionSpec = specOf(optopt);
            refuse(optionSpec
                       ? (arg.starts_with("--") || !optionSpec->letter
                              ? dashed(*optionSpec)
                              : "-" + std::string(1, optionSpec->letter)) +
                             " needs a value: " + dashed(*optionSpec) + " " + optionSpec->value
                       : "an option needs a value");
            continue;
        }
        const OptionSpec* optionSpec = specOf(code);
        if (!optionSpec)
            continue;
        if (optionSpec->name == std::string_view(HelpOption.name)) {
            out.help = true;
            continue;
        }
        auto& given = out.options[optionSpec->name];
        if (!given.empty() && !optionSpec->repeatable) {
            refuse(dashed(*optionSpec) + " is given twice");
            continue;
        }
        given.emplace_back(optionSpec->value && optarg ? optarg : "");
    }
    for (int i = optind; i < argc; ++i)
        out.operands.push_back(words[std::size_t(i)]);
    return problem;
}

} // namespace zyn::cli
