#include "characters/remapping.h"
#include "cli/command.h"
#include "cli/jsontext.h"
#include "document/textwriter.h"
#include "flows/filesave.h"
#include "flows/programstate.h"

#include <filesystem>
#include <system_error>

namespace zyn::cli {

namespace {

// A description of a few thousand entries is far below this.
constexpr std::uint64_t MaxJsonSize = 16u * 1024 * 1024;

struct BuildArguments {
    std::string json;
    std::string out;
    bool header = false;
    std::string remap;
};

std::string parse(Arguments args, BuildArguments& out) {
    out.header = takeFlag(args, "--header");
    const Option remap = takeOption(args, "--remap");
    if (remap.missingValue)
        return "--remap needs a file";
    out.remap = remap.value;
    for (const auto& arg : args)
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option '" + arg + "'";
    if (args.size() != 2)
        return "a JSON file and an output file are required";
    out.json = args[0];
    out.out = args[1];
    return {};
}

int run(const Arguments& args, CommandIo io) {
    BuildArguments build;
    if (const std::string usage = parse(args, build); !usage.empty())
        return usageError(io, "build", usage);

    ProgramState state;
    FileSystem& fs = state.files();
    const auto json = fs.readFile(build.json, MaxJsonSize);
    if (!json)
        return fail(io, json.message());
    if (const Status parsed = JsonToDocument(*json, build.json, state); !parsed)
        return fail(io, parsed.message());
    if (!build.remap.empty()) {
        const Status loaded = LoadRemapping(state, fs, build.remap, IsSetFileName(build.remap));
        if (!loaded)
            return fail(io, loaded.message());
    }

    // Saved exactly as File Save writes a document: same bytes, same temporary file and
    // rename, same refusal of a read-only target.
    std::error_code error;
    const auto target = std::filesystem::absolute(build.out, error);
    if (error)
        return fail(io, "Cannot use " + build.out + ": " + error.message() + ".");
    SetFileName(state, target.string());
    state.KeepHeader = build.header;
    state.ForceSave = true;
    state.Modified = true;
    const SaveResult saved = SaveDocument(state);
    switch (saved.outcome) {
    case SaveOutcome::Saved:
        return Success;
    case SaveOutcome::NothingToSave:
        return fail(io, build.out + " names a folder, not a file.");
    default:
        return fail(io, saved.message);
    }
}

} // namespace

const Command BuildCommand{
    "build",
    "write a text file from JSON",
    "Usage: zyntext build JSON OUT [--header] [--remap TABLE]\n"
    "\n"
    "Writes the text file OUT from the JSON file JSON, which has the form 'zyntext dump'\n"
    "prints. Only \"game\" (1 or 2) and \"entries\" are read; each entry needs a \"text\",\n"
    "whose characters must lie between U+0000 and U+00FF (one byte each), and may have a\n"
    "\"type\" from 0 to 255 (1 when absent; ZYN 1 files have no types). A file holds at\n"
    "most 1022 entries and 32 767 bytes of text data.\n"
    "\n"
    "OUT is written as the editor saves: to a temporary file in the same folder, which\n"
    "then replaces OUT, so OUT is never left half written.\n"
    "\n"
    "Options:\n"
    "  --header        put a 10-byte item header (stored, mode 0) in front of the data\n"
    "  --remap TABLE   the texts are in display form: map them back to game codes through\n"
    "                  a \".cmp\" file or, when its name ends in \"set\", a \".set\" file\n",
    run,
};

} // namespace zyn::cli
