#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/commandstate.h"
#include "cli/itemnumber.h"
#include "cli/jsontext.h"
#include "flows/textsource.h"

#include <string>

namespace zyn::cli {

namespace {

struct DumpArguments {
    std::string file;
    int game = 0;
    CharacterOptions characters;
    int item = -1; // with --item, FILE is an archive and this its item
};

const OptionSpec ItemOption{"item", 0, "N"};

// Fills out from args, or returns a usage message.
std::string parse(const ParsedArguments& args, DumpArguments& out) {
    if (std::string usage = requiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = characterOptionsOf(args, out.characters); !usage.empty())
        return usage;
    if (args.has(ItemOption.name)) {
        const auto number = parseItemNumber(args.value(ItemOption.name));
        if (!number)
            return "--item takes an item number from 0 to 20000";
        out.item = *number;
    }
    if (args.operands.size() != 1)
        return args.operands.empty() ? "a text file to dump is required"
                                     : "only one text file is dumped";
    out.file = args.operands[0];
    return out.item >= 0 ? notStandardInput(out.file, "ARCHIVE") : "";
}

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(
            io, "dump", {GameOption, CharsetOption, RemapOption, ItemOption, OutputOption}, argv,
            args);
        stop >= 0)
        return stop;
    DumpArguments dump;
    if (const std::string usage = parse(args, dump); !usage.empty())
        return usageError(io, "dump", usage);
    io.settings.output = args.value(OutputOption.name);

    CommandState state;
    state.program.Files = &io.files;
    auto source = dump.item >= 0 ? Result<TextSource>(TextSource{dump.file, dump.item})
                                 : ParseTextSource(state.program.files(), dump.file);
    if (!source)
        return fail(io, source.message());
    bool wrongName = false;
    if (const std::string problem =
            loadSource(state, dump.characters, *source, dump.game == 2, &wrongName);
        !problem.empty())
        return wrongName ? usageError(io, "dump", problem) : fail(io, problem);
    io.out << DocumentToJson(state.open.Document, state.program.Characters).dump(2) << '\n';
    return Success;
}

} // namespace

const Command DumpCommand{
    "dump",
    "print a text file as JSON",
    {
        {"zyntext dump FILE --game 1|2 [--charset NAME] [--remap TABLE] [--item N] [-o FILE]"},
        {
            "Prints the text file FILE as one JSON object:",
            "  {\"game\": 1|2, \"header\": true|false, \"mode\": M, \"slots\": S,\n"
            "   \"entries\": [{\"type\": T, \"text\": \"...\"}, ...]}",
            "game\tthe game the file was read as",
            "header\twhether the file starts with a 10-byte item header",
            "mode\tthe header's compression mode (0 without a header)",
            "slots\tslots of the offset table: one more than there are entries",
            "type\tthe entry's type byte (always 0 in a ZYN 1 file)",
            "text\tthe entry, each byte shown as the Unicode character of the same number "
            "(U+0000 to U+00FF); line breaks are shown as \"\\r\\n\"",
            "FILE may name an archive's item as ARCHIVE:N (N counted from 0), read as the "
            "editor's Open from HQR reads it; a FILE that exists is always taken as a file. "
            "FILE \"-\" is standard input. Compressed files (modes 1 and 2) are expanded in "
            "memory; other modes are refused, and so are an item the archive does not have "
            "(exit status 2, naming the items it holds), a blank item and a compression the "
            "editor does not support.",
            "'zyntext build' turns the output back into the file (give it --header when "
            "\"header\" is true). Terminators other than 0 and line breaks the editor would not "
            "write come back in the editor's form.",
        },
        {
            {"--game 1|2", "the game the file belongs to (required: the file does not say)"},
            {"--item N", "FILE is an archive: dump its item N, as FILE:N would"},
            CharsetHelp,
            RemapHelp,
            {"-o, --output FILE", "write the JSON to FILE instead of standard output"},
        },
    },
    run,
};

} // namespace zyn::cli
