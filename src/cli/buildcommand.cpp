#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/jsontext.h"
#include "flows/programstate.h"
#include "flows/textsource.h"

namespace zyn::cli {

namespace {

// A description of a few thousand entries is far below this.
constexpr std::uint64_t MaxJsonSize = 16u * 1024 * 1024;

struct BuildArguments {
    std::string json;
    std::string out;
    bool header = false;
    bool substitute = false;
    std::chrono::seconds wait{};
    CharacterOptions characters;
};

std::string parse(Arguments args, BuildArguments& out) {
    out.header = takeFlag(args, "--header");
    out.substitute = takeFlag(args, "--substitute");
    if (std::string usage = takeWait(args, out.wait); !usage.empty())
        return usage;
    if (std::string usage = takeCharacterOptions(args, out.characters); !usage.empty())
        return usage;
    if (std::string usage = unknownOption(args); !usage.empty())
        return usage;
    if (args.size() != 2)
        return "a JSON file and an output file are required";
    out.json = args[0];
    out.out = args[1];
    if (out.substitute && !out.characters.charset)
        return "--substitute needs --charset: without one the texts are codes, not letters";
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
    const Substitutions substitutions;
    std::vector<std::string> substituted;
    if (const Status parsed =
            JsonToDocument(*json, build.json, state.Document, build.characters.charset,
                           build.substitute ? &substitutions : nullptr, &substituted);
        !parsed)
        return fail(io, parsed.message());
    if (const std::string problem = applyCharacterOptions(build.characters, state);
        !problem.empty())
        return fail(io, problem);
    auto target = ParseTextSource(fs, build.out);
    if (!target)
        return fail(io, target.message());
    state.ArchiveWait = archiveWait(io, target->path, build.wait);
    // Saved exactly as the editor saves a document: same bytes, same temporary file and rename
    // or archive rebuild, same refusals.
    if (const Status saved = SaveTextSource(state, *target, build.header); !saved)
        return failRebuild(io, saved);
    for (const std::string& line : substituted)
        io.err << "zyntext: " << build.json << ": " << line << '\n';
    return Success;
}

} // namespace

const Command BuildCommand{
    "build",
    "write a text file from JSON",
    "Usage: zyntext build JSON OUT [--header] [--charset NAME] [--remap TABLE]\n"
    "                     [--substitute] [--wait SECONDS]\n"
    "\n"
    "Writes the text file OUT from the JSON file JSON, which has the form 'zyntext dump'\n"
    "prints. Only \"game\" (1 or 2) and \"entries\" are read; each entry needs a \"text\",\n"
    "whose characters must each have a code (one byte; see --charset), and may have a\n"
    "\"type\" from 0 to 255 (1 when absent; ZYN 1 files have no types). A file holds at\n"
    "most 1022 entries and 32 767 bytes of text data. Texts are read in their composed\n"
    "form (Unicode NFC), so decomposed letters are the letters written whole. A character\n"
    "without a code is refused, naming the entry as the editor numbers it, and nothing is\n"
    "written; with --substitute it is written as its stand-in where the set has codes for\n"
    "that (the editor's table: the oe ligature as oe, curly quotes as ' and \", dashes\n"
    "as -, ...), each entry written so named on standard error.\n"
    "\n"
    "OUT is written as the editor saves: to a temporary file in the same folder, which\n"
    "then replaces OUT, so OUT is never left half written. OUT may name an archive's item\n"
    "as ARCHIVE:N (N counted from 0): the item is replaced as the editor's Save to HQR does\n"
    "it, and the archive as it was is kept as its backup (text.hqr gives text.~$R).\n"
    "While another program rebuilds the archive, build waits (saying so after a second)\n"
    "and then starts from the archive it left; it gives up after 60 seconds, or after\n"
    "SECONDS given with --wait, and changes nothing.\n"
    "\n"
    "Options:\n"
    "  --header        put a 10-byte item header (stored, mode 0) in front of the data\n"
    "                  (an archive item always has one)\n"
    "  --substitute    write a character the set lacks as its stand-in (with --charset)\n"
    "  --wait SECONDS  how long to wait for another program's rebuild of ARCHIVE\n"
    "                  (60 when not given)\n" ZYN_CHARACTER_OPTIONS_HELP,
    run,
};

} // namespace zyn::cli
