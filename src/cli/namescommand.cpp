#include "archive/itemnames.h"
#include "cli/command.h"
#include "cli/itemtable.h"
#include "cli/jsontext.h"

namespace zyn::cli {

namespace {

const OptionSpec DemoOption{"demo"};
const OptionSpec NumbersOption{"numbers"};

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(
            io, "names", {GameOption, DemoOption, NumbersOption, OutputOption}, argv, args);
        stop >= 0)
        return stop;
    // The game as a bare word is the older form, kept: it cannot be taken for anything else.
    if (args.operands.size() == 1 && !args.has(GameOption.name) &&
        (args.operands[0] == "1" || args.operands[0] == "2")) {
        note(io, "'names " + args.operands[0] + "' is an older form of 'names --game " +
                     args.operands[0] + "'");
        args.options[GameOption.name] = {args.operands[0]};
        args.operands.clear();
    }
    int game = 0;
    if (std::string usage = requiredGame(args, game); !usage.empty())
        return usageError(io, "names", usage);
    if (!args.operands.empty())
        return usageError(io, "names", "unexpected argument '" + args.operands[0] + "'");
    io.settings.output = args.value(OutputOption.name);
    const bool isVersion2 = game == 2;

    ArchiveFlow flow;
    NameTextArchiveItems(flow, isVersion2, args.has(DemoOption.name));
    std::vector<std::string> names;
    for (int n = 1; n <= TextArchiveItemCount(isVersion2); ++n)
        names.push_back(BytesToUtf8(flow.ItemNames[static_cast<std::size_t>(n)]));
    if (args.has(NumbersOption.name)) {
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
    {
        {"zyntext names --game 1|2 [--demo] [--numbers] [-o FILE]"},
        {
            "Prints the names the editor lists the items of the game's text archive under, one "
            "a line, in item order (140 for ZYN 1, 180 for ZYN 2). The older form with the "
            "game as a bare word ('zyntext names 2') still works, with a note.",
        },
        {
            {"--game 1|2", "the game whose archive is named"},
            {"--demo", "the names of the demo's archive, in which the banks the demo lacks are "
                       "marked"},
            {"--numbers", "print each name after its item number (counted from 0, as 'zyntext "
                          "hqr' counts): 'zyntext names --game 2 --numbers | grep FR_' finds the "
                          "French banks' items"},
            {"-o, --output FILE", "write the names to FILE instead of standard output"},
        },
    },
    run,
};

} // namespace zyn::cli
