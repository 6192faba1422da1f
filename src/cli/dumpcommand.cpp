#include "archive/itemnames.h"
#include "characters/remapping.h"
#include "cli/command.h"
#include "cli/itemnumber.h"
#include "cli/jsontext.h"
#include "document/textreader.h"
#include "flows/archiveitemflow.h"
#include "flows/programstate.h"

namespace zyn::cli {

namespace {

struct DumpArguments {
    std::string file;
    int game = 0;
    std::string remap; // remapping table, "" for none
    int item = -1;     // with --item, FILE is an archive and this its item
};

// Fills out from args, or returns a usage message.
std::string parse(Arguments args, DumpArguments& out) {
    out.game = takeGame(args);
    if (out.game == 0)
        return "--game 1 or --game 2 is required";
    if (out.game < 0)
        return "--game takes 1 or 2";
    const Option remap = takeOption(args, "--remap");
    if (remap.missingValue)
        return "--remap needs a file";
    out.remap = remap.value;
    const Option item = takeOption(args, "--item");
    if (item.missingValue)
        return "--item needs an item number";
    if (item.found) {
        const auto number = parseItemNumber(item.value);
        if (!number)
            return "--item takes an item number from 0 to 20000";
        out.item = *number;
    }
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option '" + arg + "'";
    if (args.size() != 1)
        return args.empty() ? "a text file to dump is required" : "only one text file is dumped";
    out.file = args[0];
    return {};
}

// An archive's item, read as the editor's Open from HQR reads it.
Status loadItem(ProgramState& state, const DumpArguments& dump) {
    if (Status read = ReadArchiveIndex(state.files(), dump.file, state.Archive); !read)
        return read;
    state.Flow.ArchiveIsVersion2 = dump.game == 2;
    NameTextArchiveItems(state.Flow, state.Flow.ArchiveIsVersion2, false);
    auto loaded =
        LoadArchiveItem(state.files(), state.Work, dump.file, state.Archive, dump.item,
                        ArchiveItemName(state.Flow, dump.item), state.Flow.ArchiveIsVersion2);
    if (!loaded)
        return loaded.status();
    AdoptArchiveItem(state.Document, std::move(*loaded), dump.file, dump.item);
    return {};
}

int run(const Arguments& args, CommandIo io) {
    DumpArguments dump;
    if (const std::string usage = parse(args, dump); !usage.empty())
        return usageError(io, "dump", usage);

    ProgramState state;
    if (!dump.remap.empty()) {
        const Status loaded =
            LoadRemapping(state.Characters, state.files(), dump.remap, IsSetFileName(dump.remap));
        if (!loaded)
            return fail(io, loaded.message());
    }
    if (dump.item >= 0) {
        if (const Status loaded = loadItem(state, dump); !loaded)
            return fail(io, loaded.message());
        io.out << DocumentToJson(state.Document, state.Characters).dump(2) << '\n';
        return Success;
    }
    // Compressed files are expanded in memory; the tool leaves no ".TMP" copy behind.
    auto read = ReadTextFile(state.files(), dump.file, dump.game == 2);
    if (!read)
        return fail(io, read.message());
    AdoptText(state.Document, std::move(*read));
    io.out << DocumentToJson(state.Document, state.Characters).dump(2) << '\n';
    return Success;
}

} // namespace

const Command DumpCommand{
    "dump",
    "print a text file as JSON",
    "Usage: zyntext dump FILE --game 1|2 [--remap TABLE] [--item N]\n"
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
    "Options:\n"
    "  --game 1|2      the game the file belongs to (required: the file does not say)\n"
    "  --remap TABLE   show the texts through a character remapping table, a \".cmp\"\n"
    "                  file or, when its name ends in \"set\", a \".set\" file\n"
    "\n"
    "  --item N        FILE is an archive: dump its item N (counted from 0), read as the\n"
    "                  editor's Open from HQR reads it\n"
    "\n"
    "Compressed files (modes 1 and 2) are expanded; other modes are refused.\n"
    "'zyntext build' turns the output back into the file (give it --header when \"header\"\n"
    "is true). Terminators other than 0 and line breaks the editor would not write come back\n"
    "in the editor's form.\n",
    run,
};

} // namespace zyn::cli
