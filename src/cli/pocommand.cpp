#include "archive/itemnames.h"
#include "base/safewriter.h"
#include "characters/charactersets.h"
#include "cli/archivebanks.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/poreader.h"
#include "flows/memorysources.h"
#include "flows/pocatalog.h"
#include "flows/poimport.h"
#include "flows/programstate.h"
#include "flows/textsource.h"

#include <algorithm>
#include <memory>
#include <set>

namespace zyn::cli {

namespace {

// A PO file is text a translator reads, so its texts are always letters: the games' own
// letters unless another set is chosen.
std::string takePoCharacterOptions(Arguments& args, CharacterOptions& out) {
    std::string usage = takeCharacterOptions(args, out);
    if (!out.charset)
        out.charset = &CharacterSets[WesternCharacterSetIndex];
    return usage;
}

// What export and import both take: the game and the letters.
std::string takeGameAndCharacters(Arguments& args, int& game, CharacterOptions& characters) {
    std::string usage = takeRequiredGame(args, game);
    return usage.empty() ? takePoCharacterOptions(args, characters) : usage;
}

std::string languageOfItem(const TextSource& source, bool isVersion2) {
    return source.inArchive() ? PoLanguageCode(ItemLanguage(isVersion2, source.item)) : "";
}

struct LoadedText {
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    TextSource source;
};

std::string loadText(const std::string& name, const CharacterOptions& characters, int game,
                     LoadedText& out) {
    return loadNamedText(*out.state, characters, name, game == 2, &out.source);
}

int writeCatalogue(CommandIo io, const std::string& outPath, const std::string& text) {
    if (outPath.empty() || outPath == "-") {
        io.out << text;
        return Success;
    }
    if (const Status written = WriteFileSafely(realFileSystem(), outPath, text); !written)
        return fail(io, written.message());
    return Success;
}

const std::string Generator = "zyntext " ZYNTEXT_VERSION;

// "--memory FILE", as often as given.
std::vector<std::string> takeMemories(Arguments& args, std::string& usage) {
    std::vector<std::string> files;
    for (Option option = takeOption(args, "--memory"); option.found;
         option = takeOption(args, "--memory")) {
        if (option.missingValue)
            usage = "--memory needs an archive or a PO file";
        else
            files.push_back(option.value);
    }
    return files;
}

// The memory of the files --memory named, archives paired in the export's languages; a
// message when one cannot be read.
std::string buildMemory(const std::vector<std::string>& files, int from, int to,
                        const CharacterTables& tables, TranslationMemory& memory) {
    MemoryRecipe recipe;
    recipe.others = files;
    recipe.from = from;
    recipe.to = to;
    recipe.tables = tables;
    BuiltMemory built = BuildTranslationMemory(realFileSystem(), recipe, ReadPoFile);
    if (!built.problems.empty())
        return "--memory: " + built.problems.front();
    memory = std::move(built.memory);
    return {};
}

bool anyArchive(const std::vector<std::string>& files) {
    return std::any_of(files.begin(), files.end(),
                       [](const std::string& file) { return !IsPoFileName(file); });
}

// Every dialogue bank of language `to` against its bank of language `from`; a template has the
// contexts of `to`'s banks and the references of `from`'s.
int exportArchive(CommandIo io, const std::string& archive, int game, int from, int to,
                  bool asTemplate, const CharacterOptions& characters, const std::string& outPath,
                  const std::vector<std::string>& memories) {
    const bool isVersion2 = game == 2;
    ProgramState state;
    if (const std::string problem = openArchive(state, characters, archive, isVersion2);
        !problem.empty())
        return fail(io, problem);
    TranslationMemory memory;
    if (const std::string problem = buildMemory(memories, from, to, state.Characters, memory);
        !problem.empty())
        return fail(io, problem);
    std::vector<std::unique_ptr<TextDocument>> documents;
    std::vector<PoBank> banks;
    for (const BankPair& pair : dialogueBanks(state, isVersion2, from, to)) {
        auto source = loadItem(state, archive, pair.source, isVersion2);
        if (!source)
            return fail(io, source.message());
        PoBank& bank = banks.emplace_back(PoBank{source->get(), nullptr, pair.target, {}});
        documents.push_back(std::move(*source));
        bank.reference = archive + ":" + std::to_string(asTemplate ? pair.source : pair.target);
        if (asTemplate)
            continue;
        auto target = loadItem(state, archive, pair.target, isVersion2);
        if (!target)
            return fail(io, target.message());
        bank.target = target->get();
        documents.push_back(std::move(*target));
    }
    const PoHeader header{PoLanguageCode(to), Generator,
                          archive + " --from " + PoLanguagePrefix(from), ""};
    return writeCatalogue(io, outPath,
                          WritePoCatalogue(banks, state.Characters, header,
                                           memories.empty() || asTemplate ? nullptr : &memory));
}

int runExport(Arguments args, CommandIo io) {
    int game = 0;
    CharacterOptions characters;
    if (std::string usage = takeGameAndCharacters(args, game, characters); !usage.empty())
        return usageError(io, "po", usage);
    const Option out = takeOption(args, "-o");
    if (out.missingValue)
        return usageError(io, "po", "-o needs a file");
    const bool asTemplate = takeFlag(args, "--template");
    std::string memoryUsage;
    const std::vector<std::string> memories = takeMemories(args, memoryUsage);
    if (!memoryUsage.empty())
        return usageError(io, "po", memoryUsage);
    if (asTemplate && !memories.empty())
        return usageError(io, "po", "a template has no translations: --memory goes without it");
    int from = -1, to = -1;
    if (std::string usage = takeLanguages(args, game == 2, from, to); !usage.empty())
        return usageError(io, "po", usage);
    if (std::string usage = unknownOption(args); !usage.empty())
        return usageError(io, "po", usage);
    if (from >= 0) {
        if (args.size() != 1)
            return usageError(io, "po", "one archive is required with --from and --to");
        return exportArchive(io, args[0], game, from, to, asTemplate, characters, out.value,
                             memories);
    }
    if (args.empty() || args.size() > 2)
        return usageError(io, "po", "a source text file and at most one target are required");
    if (asTemplate && args.size() == 2)
        return usageError(io, "po", "a template has no target: give only its source");
    LoadedText source, target;
    if (std::string problem = loadText(args[0], characters, game, source); !problem.empty())
        return fail(io, problem);
    if (args.size() == 2)
        if (std::string problem = loadText(args[1], characters, game, target); !problem.empty())
            return fail(io, problem);
    const bool hasTarget = args.size() == 2;
    const TextSource& named = hasTarget ? target.source : source.source;
    const PoBank bank{&source.state->Document, hasTarget ? &target.state->Document : nullptr, -1,
                      named.name()};
    const PoHeader header{languageOfItem(named, game == 2), Generator, args[0],
                          hasTarget ? args[1] : ""};
    // Archives in the memory pair the languages of the items exported.
    const int sourceLanguage =
        source.source.inArchive() ? ItemLanguage(game == 2, source.source.item) : -1;
    const int targetLanguage = named.inArchive() ? ItemLanguage(game == 2, named.item) : -1;
    if (anyArchive(memories) && (!hasTarget || sourceLanguage < 0 || targetLanguage < 0 ||
                                 sourceLanguage == targetLanguage))
        return usageError(io, "po",
                          "an archive as --memory pairs languages: give --from and --to, or "
                          "SOURCE and TARGET as items of two languages of a text archive");
    TranslationMemory memory;
    if (const std::string problem =
            buildMemory(memories, sourceLanguage, targetLanguage, source.state->Characters, memory);
        !problem.empty())
        return fail(io, problem);
    return writeCatalogue(io, out.value,
                          WritePoCatalogue({bank}, source.state->Characters, header,
                                           memories.empty() ? nullptr : &memory));
}

std::string plural(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Problems for a person: the lines after a first line, indented, at most 50 and a count of the
// rest.
void printProblems(CommandIo io, const std::vector<PoProblem>& problems) {
    for (const std::string& line : PoProblemLines(problems, 50))
        io.err << "  " << line << '\n';
}

int refuse(CommandIo io, const std::string& po, const std::vector<PoProblem>& refused) {
    std::set<std::string> messages;
    bool overridable = true;
    for (const PoProblem& problem : refused) {
        if (!problem.context.empty())
            messages.insert(problem.context);
        overridable = overridable && problem.overridable;
    }
    io.err << "zyntext: " << po << ": "
           << (messages.empty() ? "refused"
                                : plural(int(messages.size()), "message", "messages") + " refused")
           << "; nothing was written." << (overridable ? " --force imports it anyway." : "")
           << '\n';
    printProblems(io, refused);
    return Failure;
}

// "12 entries changed, 30 unchanged, 4 fuzzy skipped (--fuzzy takes them), 104 untranslated"
std::string report(const PoImportResult& imported) {
    std::string line = plural(imported.count(PoOutcome::Changed), "entry", "entries") +
                       " changed, " + std::to_string(imported.count(PoOutcome::Unchanged)) +
                       " unchanged";
    if (const int fuzzy = imported.count(PoOutcome::FuzzySkipped); fuzzy > 0)
        line += ", " + std::to_string(fuzzy) + " fuzzy skipped (--fuzzy takes them)";
    return line + ", " + std::to_string(imported.count(PoOutcome::Untranslated)) + " untranslated";
}

int runImport(Arguments args, CommandIo io) {
    int game = 0;
    CharacterOptions characters;
    if (std::string usage = takeGameAndCharacters(args, game, characters); !usage.empty())
        return usageError(io, "po", usage);
    PoImportOptions options;
    options.isVersion2 = game == 2;
    options.takeFuzzy = takeFlag(args, "--fuzzy");
    options.force = takeFlag(args, "--force");
    const Substitutions substitutions;
    if (takeFlag(args, "--substitute"))
        options.substitutions = &substitutions;
    std::chrono::seconds wait;
    if (std::string usage = takeWait(args, wait); !usage.empty())
        return usageError(io, "po", usage);
    if (std::string usage = unknownOption(args); !usage.empty())
        return usageError(io, "po", usage);
    if (args.size() != 2)
        return usageError(io, "po", "a PO file and a target text file are required");
    const std::string &po = args[0], &target = args[1];
    ProgramState state;
    if (const std::string problem = applyCharacterOptions(characters, state); !problem.empty())
        return fail(io, problem);
    auto catalogue = ReadPoFile(state.files(), po);
    if (!catalogue)
        return fail(io, catalogue.message());
    const auto named = ParseTextSource(state.files(), target);
    options.wait = archiveWait(io, named ? named->path : target, wait);
    auto imported =
        ImportPoCatalogue(state.files(), state.Characters, *catalogue, po, target, options);
    if (!imported)
        return failRebuild(io, imported.status());
    if (!imported->refused.empty())
        return refuse(io, po, imported->refused);
    if (!imported->overridden.empty()) {
        io.err << "zyntext: --force overrode "
               << plural(int(imported->overridden.size()), "check", "checks") << ":\n";
        printProblems(io, imported->overridden);
    }
    if (!imported->unchecked.empty())
        io.err << "zyntext: note: " << imported->unchecked << '\n';
    if (!imported->substituted.empty()) {
        io.err << "zyntext: --substitute wrote stand-ins in "
               << plural(int(imported->substituted.size()), "message", "messages") << ":\n";
        for (const std::string& line :
             PoProblemLines(imported->substituted, imported->substituted.size()))
            io.err << "  " << line << '\n';
    }
    io.err << "zyntext: " << report(*imported) << "; ";
    if (!imported->written())
        io.err << "nothing to change in " << target << ", nothing was written\n";
    else if (imported->wholeArchive)
        io.err << "written into " << plural(int(imported->items.size()), "item", "items") << " of "
               << target << '\n';
    else
        io.err << "written into " << target << '\n';
    return Success;
}

int run(const Arguments& args, CommandIo io) {
    if (args.empty())
        return usageError(io, "po", "'export' or 'import' is required");
    Arguments rest(args.begin() + 1, args.end());
    if (args[0] == "export")
        return runExport(std::move(rest), io);
    if (args[0] == "import")
        return runImport(std::move(rest), io);
    return usageError(io, "po", "unknown action '" + args[0] + "': 'export' or 'import'");
}

} // namespace

const Command PoCommand{
    "po",
    "export texts to gettext PO for translators, and import translations",
    "Usage: zyntext po export SOURCE [TARGET] --game 1|2 [--charset NAME] [--remap TABLE]\n"
    "                         [--template] [--memory FILE]... [-o FILE]\n"
    "       zyntext po export ARCHIVE --game 1|2 --from LANG --to LANG [--charset NAME]\n"
    "                         [--remap TABLE] [--template] [--memory FILE]... [-o FILE]\n"
    "       zyntext po import PO TARGET --game 1|2 [--charset NAME] [--remap TABLE] [--fuzzy]\n"
    "                         [--force] [--substitute] [--wait SECONDS]\n"
    "       zyntext po import PO ARCHIVE --game 1|2 [--charset NAME] [--remap TABLE] [--fuzzy]\n"
    "                         [--force] [--substitute] [--wait SECONDS]\n"
    "\n"
    "export writes a gettext PO file with one message per entry of SOURCE: the context is\n"
    "the entry's number as the editor numbers it (from 1), msgid its text, msgstr the text\n"
    "of the same entry of TARGET where TARGET is given and differs, else empty. ZYN 2 types\n"
    "are given as \"#. type N: NAME\" comments, and each message's \"#:\" reference names\n"
    "TARGET (SOURCE without one) and the entry. The header records SOURCE as given\n"
    "(\"X-Source: text.hqr:7\") and TARGET (\"X-Target\"). Its Language comes from TARGET's\n"
    "item (ARCHIVE:N) when it is in a language block. A translation that begins or ends\n"
    "with a line break where the source does not (or the reverse) is marked fuzzy with a\n"
    "comment, as gettext's checks refuse it. With --from and --to (EN, FR, DE, SP, IT, PO),\n"
    "every dialogue bank of the --to language of ARCHIVE is exported against the same bank\n"
    "of the --from language, each context naming the item too (\"41:12\"), the header\n"
    "recording \"X-Source: ARCHIVE --from LANG\". --template writes a template (POT) of the\n"
    "source: every msgstr empty, the references naming the source, for msgmerge.\n"
    "--memory FILE (repeatable) names translations already made: an archive, whose banks\n"
    "of the --from language are paired with those of the --to language (or of SOURCE's\n"
    "and TARGET's languages, named as items), or a PO file (\".po\", its translated\n"
    "messages). An untranslated message whose msgid is a text the memory holds takes its\n"
    "translation, marked fuzzy with a comment naming the bank and entry it came from.\n"
    "\n"
    "import writes every translated message (msgstr not empty) of PO into TARGET; fuzzy\n"
    "messages only with --fuzzy. Types, the item header and the other entries stay as they\n"
    "are. It reads the whole file first and lists every message it refuses on standard\n"
    "error (at most 50, then a count of the rest); then nothing is written. Refused: a\n"
    "message whose context names no entry, two messages naming one entry, a plural\n"
    "message, a translation with a character the character set cannot write (with\n"
    "--substitute, one that has no stand-in the set can write), texts that\n"
    "would pass 32 767 bytes, and a string with code 0 (a NUL byte, raw or escaped). Refused\n"
    "unless --force is given, which says how many checks it overrode: a file whose\n"
    "references or X-Target name another file or item than TARGET or the source its header\n"
    "records (matched by file name and item, so a copied folder still matches); a message\n"
    "whose msgid is no longer the text of the source entry (read as the header gives it,\n"
    "or as the item of that number in TARGET's archive when the file names agree), as the\n"
    "source changed since the export; a translation that begins or ends with a line break\n"
    "where its msgid does not (or the reverse), as msgfmt --check refuses it. A byte-order\n"
    "mark is skipped. Texts are read in their composed form (Unicode NFC), so a catalogue\n"
    "in decomposed letters imports as its composed form does. The last line reports the entries "
    "changed, unchanged, fuzzy skipped\n"
    "and untranslated. A catalogue of a whole archive is written into ARCHIVE in one\n"
    "rebuild, with one backup (text.hqr gives text.~$R). The items of an archive are read\n"
    "once no other program rebuilds it (waiting up to 60 seconds, or SECONDS given with\n"
    "--wait, and saying so after a second), so imports at the same time keep all their\n"
    "changes. When every translation is there already, nothing is written and import says\n"
    "so. SOURCE and TARGET may name an archive's item as ARCHIVE:N (N counted from 0).\n"
    "\n"
    "Options:\n"
    "  --game 1|2      the game the texts belong to\n"
    "  --charset NAME  the letters texts are written in ('zyntext charsets' lists them);\n"
    "                  western, the games' own letters, when not given\n"
    "  --remap TABLE   texts in display form, through a character remapping table: a\n"
    "                  \".cmp\" file or, when its name ends in \"set\", a \".set\" file\n"
    "  -o FILE         write the PO file to FILE (standard output when not given)\n"
    "  --from LANG     the language of msgid in a whole-archive export\n"
    "  --to LANG       the language of msgstr in a whole-archive export\n"
    "  --template      export a template: every msgstr empty\n"
    "  --memory FILE   fill untranslated messages from the translations of an archive or\n"
    "                  a PO file, marked fuzzy; repeatable\n"
    "  --fuzzy         also import messages marked fuzzy\n"
    "  --force         import past the checks that the file belongs to TARGET, that its\n"
    "                  msgids are the source's texts, and of line breaks at either end\n"
    "  --substitute    write a character the set lacks as its stand-in, as the editor\n"
    "                  types it (the oe ligature as oe, curly quotes as ' and \", dashes\n"
    "                  as -, ...), naming each message written so on standard error\n"
    "  --wait SECONDS  how long import waits for another program's rebuild of the archive\n"
    "                  (60 when not given)\n",
    run,
};

} // namespace zyn::cli
