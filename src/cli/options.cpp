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

std::string dashed(const OptionSpec& spec) {
    return std::string("--") + spec.name;
}

// Why getopt_long refused the long option arg: an unknown name or an ambiguous prefix.
std::string refusal(const std::vector<OptionSpec>& specs, const std::string& arg) {
    const std::string name = arg.substr(2, arg.find('=') - 2);
    std::string which;
    for (const OptionSpec& spec : specs)
        if (std::string(spec.name).starts_with(name))
            which += (which.empty() ? "" : ", ") + dashed(spec);
    if (which.empty() || !arg.starts_with("--"))
        return "unknown option '" + arg.substr(0, arg.find('=')) + "'";
    return "option '--" + name + "' is ambiguous: " + which;
}

} // namespace

std::string ParseArguments(const std::vector<OptionSpec>& ownSpecs,
                           const std::vector<std::string>& args, ParsedArguments& out) {
    std::vector<OptionSpec> specs = ownSpecs;
    specs.push_back(HelpOption);
    specs.push_back(QuietOption);
    // "-": operands come back in order as code 1 (whatever POSIXLY_CORRECT says); ":" tells a
    // missing value from an unknown option.
    std::string letters = "-:";
    std::vector<option> longs;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const OptionSpec& spec = specs[i];
        const int code = spec.letter ? spec.letter : LongOnly + int(i);
        longs.push_back({spec.name, spec.value ? required_argument : no_argument, nullptr, code});
        if (spec.letter)
            letters += std::string(1, spec.letter) + (spec.value ? ":" : "");
    }
    longs.push_back({nullptr, 0, nullptr, 0});
    const auto specOf = [&](int code) -> const OptionSpec* {
        for (std::size_t i = 0; i < specs.size(); ++i)
            if ((specs[i].letter ? specs[i].letter : LongOnly + int(i)) == code)
                return &specs[i];
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
                refuse(refusal(specs, arg));
            else if (const OptionSpec* known = specOf(optopt))
                refuse(dashed(*known) + " takes no value");
            else
                refuse("unknown option '-" + std::string(1, char(optopt)) + "'");
            continue;
        }
        if (code == ':') {
            const OptionSpec* spec = specOf(optopt);
            refuse(spec ? (arg.starts_with("--") || !spec->letter
                               ? dashed(*spec)
                               : "-" + std::string(1, spec->letter)) +
                              " needs a value: " + dashed(*spec) + " " + spec->value
                        : "an option needs a value");
            continue;
        }
        const OptionSpec* spec = specOf(code);
        if (!spec)
            continue;
        if (spec->name == std::string_view(HelpOption.name)) {
            out.help = true;
            continue;
        }
        auto& given = out.options[spec->name];
        if (!given.empty() && !spec->repeatable) {
            refuse(dashed(*spec) + " is given twice");
            continue;
        }
        given.emplace_back(spec->value && optarg ? optarg : "");
    }
    for (int i = optind; i < argc; ++i)
        out.operands.push_back(words[std::size_t(i)]);
    return problem;
}

} // namespace zyn::cli
