#include "cli/characteroptions.h"

#include "characters/charactersets.h"
#include "characters/remapping.h"
#include "cli/commandstate.h"
#include "flows/textsource.h"

namespace zyn::cli {

const OptionSpec CharsetOption{"charset", 0, "NAME"};
const OptionSpec RemapOption{"remap", 0, "TABLE"};
const HelpItem CharsetHelp{
    "--charset NAME",
    "texts in the letters of a character set of the editor's selector ('zyntext charsets' "
    "lists them), line breaks as \"\\n\"; without it each code is the character of the same "
    "number (U+0000 to U+00FF) and line breaks are \"\\r\\n\""};
const HelpItem RemapHelp{"--remap TABLE",
                         "texts in display form, through a character remapping table: a "
                         "\".cmp\" file or, when its name ends in \"set\", a \".set\" file"};

std::string charsetOf(const ParsedArguments& args, const CharacterSet*& set) {
    if (!args.has(CharsetOption.name))
        return {};
    const std::string name = args.value(CharsetOption.name);
    set = FindCharacterSet(name);
    if (!set)
        return "unknown character set '" + name + "'; 'zyntext charsets' lists them";
    return {};
}

std::string characterOptionsOf(const ParsedArguments& args, CharacterOptions& out) {
    if (std::string usage = charsetOf(args, out.charset); !usage.empty())
        return usage;
    out.remap = args.value(RemapOption.name);
    if (args.has(RemapOption.name) && out.remap.empty())
        return "--remap needs a file";
    return {};
}

std::string applyCharacterOptions(const CharacterOptions& options, CommandState& state) {
    state.program.Characters.ShownCharacterSet = options.charset;
    if (options.remap.empty())
        return {};
    const Status loaded = LoadRemapping(state.program.Characters, state.program.files(),
                                        options.remap, IsSetFileName(options.remap));
    return loaded ? std::string() : loaded.message();
}

std::string loadNamedText(CommandState& state, const CharacterOptions& options,
                          const std::string& name, bool isVersion2, TextSource* named,
                          bool* wrongName) {
    auto source = ParseTextSource(state.program.files(), name);
    if (!source)
        return source.message();
    if (named)
        *named = *source;
    return loadSource(state, options, *source, isVersion2, wrongName);
}

std::string loadSource(CommandState& state, const CharacterOptions& options,
                       const TextSource& source, bool isVersion2, bool* wrongName) {
    if (const std::string problem = applyCharacterOptions(options, state); !problem.empty())
        return problem;
    std::string usage = source.inArchive() ? notStandardInput(source.path, "ARCHIVE") : "";
    const Status loaded =
        usage.empty() ? LoadTextSource(state.program.files(), state.open, source, isVersion2)
                      : Status();
    if (usage.empty() && loaded)
        return {};
    if (usage.empty() && source.inArchive())
        usage = absentItem(state.program.files(), source.path, source.item);
    if (usage.empty())
        return loaded.message();
    if (wrongName)
        *wrongName = true;
    return usage;
}

} // namespace zyn::cli
