#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/itemnumber.h"
#include "cli/jsontext.h"
#include "flows/programstate.h"
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

// Fills out from args, or returns a usage message.
std::string parse(Arguments args, DumpArguments& out) {
    if (std::string usage = takeRequiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = takeCharacterOptions(args, out.characters); !usage.empty())
        return usage;
    const Option item = takeOption(args, "--item");
    if (item.missingValue)
        return "--item needs an item number";
    if (item.found) {
        const auto number = parseItemNumber(item.value);
        if (!number)
            return "--item takes an item number from 0 to 20000";
        out.item = *number;
    }
    if (std::string usage = unknownOption(args); !usage.empty())
        return usage;
    if (args.size() != 1)
        return args.empty() ? "a text file to dump is required" : "only one text file is dumped";
    out.file = args[0];
    return {};
}

int run(const Arguments& args, CommandIo io) {
    DumpArguments dump;
    if (const std::string usage = parse(args, dump); !usage.empty())
        return usageError(io, "dump", usage);

    ProgramState state;
    if (const std::string problem = applyCharacterOptions(dump.characters, state); !problem.empty())
        return fail(io, problem);
    auto source = dump.item >= 0 ? Result<TextSource>(TextSource{dump.file, dump.item})
                                 : ParseTextSource(state.files(), dump.file);
    if (!source)
        return fail(io, source.message());
    if (const Status loaded = LoadTextSource(state, *source, dump.game == 2); !loaded)
        return fail(io, loaded.message());
    io.out << DocumentToJson(state.Document, state.Characters).dump(2) << '\n';
    return Success;
}

} // namespace

const Command DumpCommand{
    "dump",
    "print a text file as JSON",
    "Usage: zyntext dump FILE --game 1|2 [--charset NAME] [--remap TABLE] [--item N]\n"
    "\n"
    "Prints the text file FILE as one JSON object:\n"
    "  {\"game\": 1|2, \"header\": true|false, \"mode\": M, \"slots\": S,\n"
    "   \"entries\": [{\"type\": T, \"text\": \"...\"}, ...]}\n"
    "\n"
    "  game     the game the file was read as\n"
    "  header   whether the file starts with a 10-byte item header\n"
    "  mode     the header's compression mode (0 without a header)\n"
    "  slots    slots of the offset table: one more than there are entries\n"
    "  type     the entry's type byte (always 0 in a ZYN 1 file)\n"
    "  text     the entry, each byte shown as the Unicode character of the same number\n"
    "           (U+0000 to U+00FF); line breaks are shown as \"\\r\\n\"\n"
    "\n"
    "FILE may name an archive's item as ARCHIVE:N (N counted from 0), read as the editor's\n"
    "Open from HQR reads it; a FILE that exists is always taken as a file.\n"
    "\n"
    "Options:\n"
    "  --game 1|2      the game the file belongs to (required: the file does not say)\n"
    "  --item N        FILE is an archive: dump its item N, as FILE:N "
    "would\n" ZYN_CHARACTER_OPTIONS_HELP "\n"
    "Compressed files (modes 1 and 2) are expanded; other modes are refused.\n"
    "'zyntext build' turns the output back into the file (give it --header when \"header\"\n"
    "is true). Terminators other than 0 and line breaks the editor would not write come back\n"
    "in the editor's form.\n",
    run,
};

} // namespace zyn::cli
