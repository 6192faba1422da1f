#include "archive/archiverewrite.h"
#include "archive/itemnames.h"
#include "base/itemheader.h"
#include "base/lockwait.h"
#include "base/safewriter.h"
#include "characters/charactersets.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/poreader.h"
#include "document/textreader.h"
#include "document/textwriter.h"
#include "flows/archiveitemflow.h"
#include "flows/pocatalog.h"
#include "flows/programstate.h"
#include "flows/textsource.h"

#include <map>
#include <memory>

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
    if (const std::string problem = applyCharacterOptions(characters, *out.state); !problem.empty())
        return problem;
    auto source = ParseTextSource(out.state->files(), name);
    if (!source)
        return source.message();
    out.source = *source;
    const Status loaded = LoadTextSource(*out.state, *source, game == 2);
    return loaded ? std::string() : loaded.message();
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

// The dialogue banks (odd items) of one language block, each with the same bank of the other.
struct BankPair {
    int target = -1;
    int source = -1;
};
std::vector<BankPair> dialogueBanks(const ArchiveIndex& index, bool isVersion2, int from, int to) {
    std::vector<BankPair> pairs;
    for (int item = 1; item < std::min(TextArchiveItemCount(isVersion2), index.itemCount());
         item += 2) {
        if (ItemLanguage(isVersion2, item) != to || index.ItemData[std::size_t(item)].empty())
            continue;
        pairs.push_back({item, SameBankInLanguage(isVersion2, item, from)});
    }
    return pairs;
}

// The state for reading items of a whole archive: the letters, its index and its names.
std::string openArchive(ProgramState& state, const CharacterOptions& characters,
                        const std::string& archive, bool isVersion2) {
    if (std::string problem = applyCharacterOptions(characters, state); !problem.empty())
        return problem;
    if (Status read = ReadArchiveIndex(state.files(), archive, state.Archive); !read)
        return read.message();
    NameTextArchiveItems(state.Flow, isVersion2, false);
    return {};
}

Result<std::unique_ptr<TextDocument>> loadItem(ProgramState& state, const std::string& archive,
                                               int item, bool isVersion2) {
    auto loaded = LoadArchiveItem(state.files(), state.Work, archive, state.Archive, item,
                                  ArchiveItemName(state.Flow, item), isVersion2);
    if (!loaded)
        return loaded.status();
    auto doc = std::make_unique<TextDocument>();
    AdoptText(*doc, std::move(*loaded));
    return doc;
}

int exportArchive(CommandIo io, const std::string& archive, int game, const std::string& from,
                  const std::string& to, const CharacterOptions& characters,
                  const std::string& outPath) {
    const bool isVersion2 = game == 2;
    const int fromBlock = PoLanguageBlock(from), toBlock = PoLanguageBlock(to);
    if (fromBlock < 0 || toBlock < 0 || fromBlock >= TextArchiveLanguages(isVersion2) ||
        toBlock >= TextArchiveLanguages(isVersion2))
        return usageError(io, "po",
                          "--from and --to take a language of the archive: EN, FR, "
                          "DE, SP, IT" +
                              std::string(isVersion2 ? ", PO" : ""));
    ProgramState state;
    if (const std::string problem = openArchive(state, characters, archive, isVersion2);
        !problem.empty())
        return fail(io, problem);
    std::vector<std::unique_ptr<TextDocument>> documents;
    std::vector<PoBank> banks;
    for (const BankPair& pair : dialogueBanks(state.Archive, isVersion2, fromBlock, toBlock)) {
        auto target = loadItem(state, archive, pair.target, isVersion2);
        auto source = loadItem(state, archive, pair.source, isVersion2);
        if (!target || !source)
            return fail(io, (!target ? target : source).message());
        banks.push_back({source->get(), target->get(), pair.target,
                         archive + ":" + std::to_string(pair.target)});
        documents.push_back(std::move(*target));
        documents.push_back(std::move(*source));
    }
    return writeCatalogue(
        io, outPath, WritePoCatalogue(banks, state.Characters, PoLanguageCode(toBlock), Generator));
}

int runExport(Arguments args, CommandIo io) {
    int game = 0;
    CharacterOptions characters;
    if (std::string usage = takeGameAndCharacters(args, game, characters); !usage.empty())
        return usageError(io, "po", usage);
    const Option out = takeOption(args, "-o");
    const Option from = takeOption(args, "--from");
    const Option to = takeOption(args, "--to");
    if (out.missingValue || from.missingValue || to.missingValue)
        return usageError(io, "po", "-o, --from and --to need a value");
    if (std::string usage = unknownOption(args); !usage.empty())
        return usageError(io, "po", usage);
    if (from.found != to.found)
        return usageError(io, "po", "--from and --to go together");
    if (from.found) {
        if (args.size() != 1)
            return usageError(io, "po", "one archive is required with --from and --to");
        return exportArchive(io, args[0], game, from.value, to.value, characters, out.value);
    }
    if (args.empty() || args.size() > 2)
        return usageError(io, "po", "a source text file and at most one target are required");
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
    return writeCatalogue(io, out.value,
                          WritePoCatalogue({bank}, source.state->Characters,
                                           languageOfItem(named, game == 2), Generator));
}

int importArchive(CommandIo io, const std::vector<PoEntry>& entries, const std::string& poName,
                  const std::string& archive, int game, const CharacterOptions& characters,
                  bool takeFuzzy) {
    const bool isVersion2 = game == 2;
    ProgramState state;
    if (const std::string problem = openArchive(state, characters, archive, isVersion2);
        !problem.empty())
        return fail(io, problem);
    // Each item a context names is read once.
    std::map<int, std::unique_ptr<TextDocument>> documents;
    for (const PoEntry& entry : entries) {
        const std::size_t colon = entry.context.find(':');
        const auto item = ParseItemNumber(std::string_view(entry.context).substr(0, colon));
        if (colon == std::string::npos || !item || *item >= state.Archive.itemCount() ||
            documents.count(*item))
            continue;
        auto doc = loadItem(state, archive, *item, isVersion2);
        if (!doc)
            return fail(io, doc.message());
        documents.emplace(*item, std::move(*doc));
    }
    std::vector<PoTarget> targets;
    std::map<int, std::string> unchanged;
    for (auto& [item, doc] : documents) {
        targets.push_back({doc.get(), item});
        if (auto data = BuildTextData(*doc))
            unchanged[item] = std::move(*data);
    }
    auto applied = ApplyPoEntries(entries, targets, state.Characters, takeFuzzy, poName);
    if (!applied)
        return fail(io, applied.message());
    // Every changed item goes into the index, and the archive is rebuilt once, with one backup;
    // items the catalogue leaves as they were keep their bytes (and their compression).
    std::vector<ItemChange> changes;
    for (const PoTarget& target : targets) {
        auto data = BuildTextData(*target.document);
        if (!data)
            return fail(io, data.message());
        if (*data != unchanged[target.item])
            changes.push_back({target.item, StoredItem(*data), std::nullopt});
    }
    LockWait waiting;
    waiting.notice = [&] {
        io.err << "zyntext: waiting for another program to finish rebuilding " << archive
               << " ...\n"
               << std::flush;
    };
    if (auto rebuilt = RebuildArchive(state.files(), archive, changes, waiting); !rebuilt)
        return fail(io, rebuilt.message());
    io.err << "zyntext: " << *applied << " entries written into " << targets.size() << " items of "
           << archive << "\n";
    return Success;
}

int runImport(Arguments args, CommandIo io) {
    int game = 0;
    CharacterOptions characters;
    if (std::string usage = takeGameAndCharacters(args, game, characters); !usage.empty())
        return usageError(io, "po", usage);
    const bool takeFuzzy = takeFlag(args, "--fuzzy");
    if (std::string usage = unknownOption(args); !usage.empty())
        return usageError(io, "po", usage);
    if (args.size() != 2)
        return usageError(io, "po", "a PO file and a target text file are required");
    auto entries = ReadPoFile(args[0]);
    if (!entries)
        return fail(io, entries.message());
    // A catalogue of a whole archive names items in its contexts; into one item
    // (ARCHIVE:N) such contexts name no entry and are refused.
    auto named = ParseTextSource(realFileSystem(), args[1]);
    if (!named)
        return fail(io, named.message());
    const bool wholeArchive = !named->inArchive() && !entries->empty() &&
                              entries->front().context.find(':') != std::string::npos;
    if (wholeArchive)
        return importArchive(io, *entries, args[0], args[1], game, characters, takeFuzzy);

    LoadedText target;
    if (std::string problem = loadText(args[1], characters, game, target); !problem.empty())
        return fail(io, problem);
    std::vector<PoTarget> targets{{&target.state->Document, -1}};
    auto applied = ApplyPoEntries(*entries, targets, target.state->Characters, takeFuzzy, args[0]);
    if (!applied)
        return fail(io, applied.message());
    const bool header = target.state->Document.Origin.HeaderFound;
    if (const Status saved = SaveTextSource(*target.state, target.source, header); !saved)
        return fail(io, saved.message());
    io.err << "zyntext: " << *applied << " entries written into " << target.source.name() << "\n";
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
    "                         [-o FILE]\n"
    "       zyntext po export ARCHIVE --game 1|2 --from LANG --to LANG [--charset NAME]\n"
    "                         [--remap TABLE] [-o FILE]\n"
    "       zyntext po import PO TARGET --game 1|2 [--charset NAME] [--remap TABLE] [--fuzzy]\n"
    "       zyntext po import PO ARCHIVE --game 1|2 [--charset NAME] [--remap TABLE] [--fuzzy]\n"
    "\n"
    "export writes a gettext PO file with one message per entry of SOURCE: the context is\n"
    "the entry's number as the editor numbers it (from 1), msgid its text, msgstr the text\n"
    "of the same entry of TARGET where TARGET is given and differs, else empty. ZYN 2 types\n"
    "are given as \"#. type N\" comments. The Language of the header comes from TARGET's item\n"
    "(ARCHIVE:N) when it is in a language block. A translation that begins or ends with a\n"
    "line break where the source does not (or the reverse) is marked fuzzy with a comment,\n"
    "as gettext's checks refuse it. With --from and --to (EN, FR, DE, SP, IT, PO), every\n"
    "dialogue bank of the --to language of ARCHIVE is exported against the same bank of the\n"
    "--from language, each context naming the item too (\"41:12\").\n"
    "\n"
    "import writes every translated message (msgstr not empty) of PO into TARGET; fuzzy\n"
    "messages only with --fuzzy. Types, the item header and the other entries stay as they\n"
    "are. A message whose context names no entry, a plural message, a translation with a\n"
    "character the character set cannot write, or texts that would pass 32 767 bytes are\n"
    "refused, naming the context, and nothing is written. A catalogue of a whole archive is\n"
    "written into ARCHIVE in one rebuild, with one backup (text.hqr gives text.~$R).\n"
    "SOURCE and TARGET may name an archive's item as ARCHIVE:N (N counted from 0).\n"
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
    "  --fuzzy         also import messages marked fuzzy\n",
    run,
};

} // namespace zyn::cli
