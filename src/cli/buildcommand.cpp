#include "base/itemheader.h"
#include "characters/remapping.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/commandstate.h"
#include "cli/jsontext.h"
#include "cli/standardinput.h"
#include "document/textwriter.h"
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

const OptionSpec HeaderOption{"header"};
const OptionSpec SubstituteOption{"substitute"};

std::string parse(const ParsedArguments& args, BuildArguments& out) {
    out.header = args.has(HeaderOption.name);
    out.substitute = args.has(SubstituteOption.name);
    if (std::string usage = waitOf(args, out.wait); !usage.empty())
        return usage;
    if (std::string usage = characterOptionsOf(args, out.characters); !usage.empty())
        return usage;
    const bool output = args.has(OutputOption.name);
    if (args.operands.size() == 2 && output)
        return "OUT is given twice: as an operand and with -o";
    if (args.operands.size() != (output ? 1 : 2))
        return "a JSON file and an output file are required";
    out.json = args.operands[0];
    out.out = output ? args.value(OutputOption.name) : args.operands[1];
    if (out.substitute && !out.characters.charset)
        return "--substitute needs --charset: without one the texts are codes, not letters";
    return standardInputOnce({out.json, out.characters.remap});
}

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(
            io, "build",
            {HeaderOption, SubstituteOption, CharsetOption, RemapOption, WaitOption, OutputOption},
            argv, args);
        stop >= 0)
        return stop;
    BuildArguments build;
    if (const std::string usage = parse(args, build); !usage.empty())
        return usageError(io, "build", usage);

    CommandState state;
    state.program.Files = &io.files;
    FileSystem& fs = state.program.files();
    const auto json = fs.readFile(build.json, MaxJsonSize);
    if (!json)
        return fail(io, json.message());
    const Substitutions substitutions;
    std::vector<std::string> substituted;
    if (const Status parsed =
            JsonToDocument(*json, build.json, state.open.Document, build.characters.charset,
                           build.substitute ? &substitutions : nullptr, &substituted);
        !parsed)
        return fail(io, parsed.message());
    if (const std::string problem = applyCharacterOptions(build.characters, state);
        !problem.empty())
        return fail(io, problem);
    if (build.out == StandardInputName) {
        // "-" as OUT is standard output: the bytes the file would hold.
        auto data = BuildTextData(state.open.Document, GameCodeMap(state.program.Characters));
        if (!data)
            return fail(io, data.message());
        io.out << (build.header ? StoredItem(*data) : *data);
        for (const std::string& line : substituted)
            note(io, build.json + ": " + line);
        return Success;
    }
    auto target = ParseTextSource(fs, build.out);
    if (!target)
        return fail(io, target.message());
    state.program.ArchiveWait = archiveWait(io, target->path, build.wait);
    // Saved exactly as the editor saves a document: same bytes, same temporary file and rename
    // or archive rebuild, same refusals.
    if (const Status saved =
            SaveTextSource(state.program, state.open.Document, *target, build.header);
        !saved) {
        if (target->inArchive())
            if (const std::string missing = absentItem(fs, target->path, target->item);
                !missing.empty())
                return usageError(io, "build", missing);
        return failRebuild(io, saved);
    }
    for (const std::string& line : substituted)
        note(io, build.json + ": " + line);
    return Success;
}

} // namespace

const Command BuildCommand{
    "build",
    "write a text file from JSON",
    {
        {"zyntext build JSON OUT [--header] [--charset NAME] [--remap TABLE] [--substitute] "
         "[--wait SECONDS]",
         "zyntext build JSON -o OUT [--header] [--charset NAME] [--remap TABLE] [--substitute] "
         "[--wait SECONDS]"},
        {
            "Writes the text file OUT from the JSON file JSON, which has the form 'zyntext "
            "dump' prints (JSON \"-\" is standard input). Only \"game\" (1 or 2) and "
            "\"entries\" are read; each entry needs a \"text\", whose characters must each "
            "have a code (one byte; see --charset), and may have a \"type\" from 0 to 255 (1 "
            "when absent; ZYN 1 files have no types). A file holds at most 1022 entries and "
            "32 767 bytes of text data. Texts are read in their composed form (Unicode NFC), so "
            "decomposed letters are the letters written whole. With --substitute a character "
            "without a code is written as its stand-in where the set has codes for that (the "
            "editor's table: the oe ligature as oe, curly quotes as ' and \", dashes as -, "
            "...), each entry written so named on standard error. Refused, with the reason, and "
            "nothing written: a character without a code (or, with --substitute, without a "
            "stand-in; naming the entry as the editor numbers it), JSON that "
            "is not valid (with the line and column where reading stopped), no \"entries\" "
            "array, a number beyond what JSON numbers hold (such as 1e400), more entries or "
            "text data than a file holds.",
            "OUT is written as the editor saves: to a temporary file in the same folder, "
            "which then replaces OUT, so OUT is never left half written; a read-only OUT, or "
            "one that is not a plain file, is refused. OUT \"-\" is standard output. OUT may "
            "name an archive's item as ARCHIVE:N (N counted from 0): the item is replaced as "
            "the editor's Save to HQR does it, and the archive as it was is kept as its "
            "backup (text.hqr gives text.~$R). While another program rebuilds the archive, "
            "build waits (saying so after a second) and then starts from the archive it "
            "left; it gives up after 60 seconds, or after SECONDS given with --wait, and "
            "changes nothing.",
            "'zyntext dump' followed by 'zyntext build' (with --header when \"header\" was "
            "true) gives back the same bytes for any file whose line breaks and terminators "
            "are written the way the editor writes them.",
        },
        {
            {"--header", "put a 10-byte item header (stored, mode 0) in front of the data (an "
                         "archive item always has one)"},
            {"-o, --output OUT", "the file to write, instead of OUT after JSON"},
            {"--substitute", "write a character the set lacks as its stand-in (with --charset)"},
            {"--wait SECONDS", "how long to wait for another program's rebuild of ARCHIVE (60 "
                               "when not given)"},
            CharsetHelp,
            RemapHelp,
        },
    },
    run,
};

} // namespace zyn::cli
