#include "archive/itemnames.h"
#include "cli/command.h"
#include "cli/itemtable.h"
#include "cli/jsontext.h"

namespace zyn::cli {

namespace {

int run(const Arguments& argsIn, CommandIo io) {
    Arguments args = argsIn;
    const bool demo = takeFlag(args, "--demo");
    const bool numbers = takeFlag(args, "--numbers");
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return usageError(io, "names", "unknown option '" + arg + "'");
    if (args.size() != 1 || (args[0] != "1" && args[0] != "2"))
        return usageError(io, "names", "expected the game: 1 or 2");
    const bool isVersion2 = args[0] == "2";

    ArchiveFlow flow;
    NameTextArchiveItems(flow, isVersion2, demo);
    std::vector<std::string> names;
    for (int n = 1; n <= TextArchiveItemCount(isVersion2); ++n)
        names.push_back(BytesToUtf8(flow.ItemNames[static_cast<std::size_t>(n)]));
    if (numbers) {
        io.out << NumberedNames(names);
        return Success;
    }
    for (const std::string& name : names)
        io.out << name << '\n';
    return Success;
}

} // namespace

const Command NamesCommand{
    "names",
    "list the names of the text archive's items",
    "Usage: zyntext names 1|2 [--demo] [--numbers]\n"
    "\n"
    "Prints the names the editor lists the items of the game's text archive under, one a\n"
    "line, in item order (140 for ZYN 1, 180 for ZYN 2). With --demo, the names of the\n"
    "demo's archive, in which the banks the demo lacks are marked. With --numbers, each\n"
    "name follows its item number (counted from 0, as 'zyntext hqr' counts).\n",
    run,
};

} // namespace zyn::cli
