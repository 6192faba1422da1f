#include "characters/charactersets.h"
#include "cli/command.h"

namespace zyn::cli {

namespace {

int run(const Arguments& args, CommandIo io) {
    if (!args.empty())
        return usageError(io, "charsets", "unexpected argument '" + args[0] + "'");
    for (const CharacterSet& set : CharacterSets)
        io.out << set.name << '\t' << set.caption << '\n';
    return Success;
}

} // namespace

const Command CharsetsCommand{
    "charsets",
    "list the character sets texts can be read and written in",
    "Usage: zyntext charsets\n"
    "\n"
    "Prints one line per character set of the editor's character set selector: the name\n"
    "that --charset takes, a tab, and the set's caption in the selector. A text in a set's\n"
    "letters shows what the editor shows with that set chosen when the games' font is not\n"
    "installed; every code has a character of its own, so the letters turn back into\n"
    "exactly the codes they came from.\n",
    run,
};

} // namespace zyn::cli
