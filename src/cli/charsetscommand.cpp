#include "characters/charactersets.h"
#include "cli/command.h"

namespace zyn::cli {

namespace {

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "charsets", {OutputOption}, argv, args); stop >= 0)
        return stop;
    if (!args.operands.empty())
        return usageError(io, "charsets", "unexpected argument '" + args.operands[0] + "'");
    io.settings.output = args.value(OutputOption.name);
    for (const CharacterSet& set : CharacterSets)
        io.out << set.name << '\t' << set.caption << '\n';
    return Success;
}

} // namespace

const Command CharsetsCommand{
    "charsets",
    "list the character sets texts can be read and written in",
    {
        {"zyntext charsets [-o FILE]"},
        {
            "Prints one line per character set of the editor's character set selector: the "
            "name that --charset takes, a tab, and the set's caption in the selector. A text in "
            "a set's letters shows what the editor shows with that set chosen when the games' "
            "font is not installed; every code has a character of its own (control codes and "
            "codes a set leaves undefined show as symbols such as \u2400 and \u2500), so the "
            "letters turn back into exactly the codes they came from.",
        },
        {
            {"-o, --output FILE", "write the list to FILE instead of standard output"},
        },
    },
    run,
};

} // namespace zyn::cli
