#include "archive/itemnames.h"
#include "base/safewriter.h"
#include "characters/charactersets.h"
#include "cli/archivebanks.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/commandstate.h"
#include "cli/jsontext.h"
#include "cli/projectoption.h"
#include "cli/standardinput.h"
#include "flows/memorysources.h"
#include "flows/pocatalog.h"
#include "flows/poimport.h"
#include "flows/textsource.h"
#include "po/poreader.h"
#include "project/entrystate.h"
#include "project/postates.h"
#include "project/projectfile.h"
#include "spelling/spellchecker.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <memory>
#include <set>

namespace zyn::cli {

namespace {

// A PO file is text a translator reads, so its texts are always letters: the games' own
// letters unless another set is chosen.
std::string poCharacterOptions(const ParsedArguments& args, CharacterOptions& out) {
    std::string usage = characterOptionsOf(args, out);
    if (!out.charset)
        out.charset = &CharacterSets[WesternCharacterSetIndex];
    return usage;
}

// What export and import both take: the game and the letters.
std::string gameAndCharacters(const ParsedArguments& args, int& game,
                              CharacterOptions& characters) {
    std::string usage = requiredGame(args, game);
    return usage.empty() ? poCharacterOptions(args, characters) : usage;
}

const OptionSpec TemplateOption{"template"};
const OptionSpec MemoryOption{"memory", 0, "FILE", true};
const OptionSpec LanguageOption{"language", 0, "LANG"};
const OptionSpec FuzzyOption{"fuzzy"};
const OptionSpec SubstituteOption{"substitute"};
const OptionSpec ForceOption{"force"};
const OptionSpec JsonOption{"json"};

struct LoadedText {
    std::unique_ptr<CommandState> state = std::make_unique<CommandState>();
    TextSource source;
};

// Reads name; the exit code after saying why it could not, -1 when it could.
int loadText(CommandIo io, const std::string& name, const CharacterOptions& characters, int game,
             LoadedText& out) {
    out.state->program.Files = &io.files;
    bool wrongName = false;
    const std::string problem =
        loadNamedText(*out.state, characters, name, game == 2, &out.source, &wrongName);
    if (problem.empty())
        return -1;
    return wrongName ? usageError(io, "po", problem) : fail(io, problem);
}

// The catalogue on standard output (or -o's file), and how many entries it left out.
int writeCatalogue(CommandIo io, const PoCatalogueText& catalogue) {
    io.out << catalogue.text;
    if (const int left = catalogue.emptySources; left > 0)
        note(io, std::to_string(left) + (left == 1 ? " entry" : " entries") +
                     " left out: the source is empty (import leaves such entries as they are)");
    return Success;
}

const std::string Generator = "zyntext " ZYNTEXT_VERSION;

// ll, lll, ll_CC, with a modifier (sr@latin): the forms gettext's catalogues are named in.
bool isLanguageCode(const std::string& code) {
    const auto lower = [](char c) {
        return c >= 'a' && c <= 'z';
    };
    const auto upper = [](char c) {
        return c >= 'A' && c <= 'Z';
    };
    std::size_t at = 0;
    while (at < code.size() && lower(code[at]))
        ++at;
    if (at < 2 || at > 3)
        return false;
    if (at + 2 < code.size() && code[at] == '_' && upper(code[at + 1]) && upper(code[at + 2]))
        at += 3;
    if (at == code.size())
        return true;
    if (code[at] != '@' || at + 1 == code.size())
        return false;
    return std::all_of(code.begin() + std::ptrdiff_t(at) + 1, code.end(), lower);
}

// The header's Language: --language as a bank's prefix ("FR") or as a code of gettext's
// ("pt_BR"), else the target's language; "" for none, a usage message in language when
// --language is malformed.
std::string languageCode(const ParsedArguments& args, int targetLanguage, std::string& usage) {
    if (!args.has(LanguageOption.name))
        return PoLanguageCode(targetLanguage);
    const std::string given = args.value(LanguageOption.name);
    if (given.size() == 2 && PoLanguageBlock(given) >= 0)
        return PoLanguageCode(PoLanguageBlock(given));
    if (!isLanguageCode(given))
        usage = "--language takes EN, FR, DE, SP, IT, PO or a language code such as pl or pt_BR";
    return given;
}

// gettext's form of the time of this export: SOURCE_DATE_EPOCH (seconds, UTC) when it is set,
// as reproducible builds set it, else now in the local zone; a message when it is malformed.
std::string exportDate(std::string& problem) {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        const std::string text = epoch;
        if (text.empty() || text.size() > 18 ||
            text.find_first_not_of("0123456789") != std::string::npos) {
            problem = "SOURCE_DATE_EPOCH must be a number of seconds, not '" + text + "'";
            return {};
        }
        return PoDate(std::stoll(text), 0);
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return PoDate(now, int(local.tm_gmtoff / 60));
}

// A name the header records, none for standard input: an import could not read it back.
std::string recorded(const std::string& name) {
    return name == StandardInputName ? "" : name;
}

// The memory of the files --memory named, archives paired in the export's languages; a
// message when one cannot be read.
std::string buildMemory(FileSystem& files, const std::vector<std::string>& memories, int from,
                        int to, const CharacterTables& tables, TranslationMemory& memory) {
    MemoryRecipe recipe;
    recipe.others = memories;
    recipe.from = from;
    recipe.to = to;
    recipe.tables = tables;
    BuiltMemory built = BuildTranslationMemory(files, recipe, ReadPoFile);
    if (!built.problems.empty())
        return "--memory: " + built.problems.front();
    memory = std::move(built.memory);
    return {};
}

bool anyArchive(const std::vector<std::string>& files) {
    return std::any_of(files.begin(), files.end(),
                       [](const std::string& file) { return !IsPoFileName(file); });
}

struct ExportArguments {
    int game = 0;
    CharacterOptions characters;
    bool asTemplate = false;
    std::vector<std::string> memories;
    std::string archive;        // the whole-archive form
    int from = -1, to = -1;     // its languages
    std::string source, target; // the form of text files; target "" for none
    std::string date;
    std::string project; // --project FILE, "" for none
};

std::string parseExport(const ParsedArguments& args, ExportArguments& out) {
    if (std::string usage = gameAndCharacters(args, out.game, out.characters); !usage.empty())
        return usage;
    out.asTemplate = args.has(TemplateOption.name);
    out.project = args.value(ProjectOption.name);
    if (out.asTemplate && !out.project.empty())
        return "a template has no translations: --project goes without it";
    if (args.has(ProjectOption.name))
        if (std::string usage = notStandardInput(out.project, "PROJECT"); !usage.empty())
            return "--project: " + usage;
    out.memories = args.values(MemoryOption.name);
    if (out.asTemplate && !out.memories.empty())
        return "a template has no translations: --memory goes without it";
    for (const std::string& memory : out.memories)
        if (!IsPoFileName(memory))
            if (std::string usage = notStandardInput(memory, "ARCHIVE"); !usage.empty())
                return "--memory: " + usage;
    const std::string from = args.value(FromOption.name), to = args.value(ToOption.name);
    const std::vector<std::string>& operands = args.operands;
    // One operand beside --from or --to can only be an archive: say what its languages lack.
    if (operands.size() == 1 && (args.has(FromOption.name) || args.has(ToOption.name))) {
        if (std::string usage = languagesOf(args, out.game == 2, out.from, out.to); !usage.empty())
            return usage;
        out.archive = operands[0];
        return notStandardInput(out.archive, "ARCHIVE");
    }
    if (args.has(FromOption.name) || args.has(ToOption.name)) {
        // --from SOURCE [--to TARGET]: the pair in the order of every command.
        if (!operands.empty() || !args.has(FromOption.name))
            return "the source and target are given either as SOURCE [TARGET] or as --from "
                   "SOURCE [--to TARGET], and an archive as ARCHIVE --from LANG --to LANG";
        out.source = from;
        out.target = to;
    } else if (operands.empty() || operands.size() > 2) {
        return "a source text file and at most one target are required";
    } else {
        out.source = operands[0];
        out.target = operands.size() == 2 ? operands[1] : "";
    }
    if (out.asTemplate && !out.target.empty())
        return "a template has no target: give only its source";
    std::vector<std::string> read{out.source, out.target, out.characters.remap};
    read.insert(read.end(), out.memories.begin(), out.memories.end());
    return standardInputOnce(read);
}

std::vector<std::string> textsOf(const TextDocument& document) {
    return {document.EntryText.begin(), document.EntryText.begin() + document.entryCount()};
}

// What the project says of each entry of the target item of a bank pair.
std::vector<PoMarks> projectMarks(const OpenedProject& opened, bool isVersion2, int item,
                                  const TextDocument& source, const TextDocument& target) {
    const TranslationProject& project = opened.project();
    const auto records = project.banks.find(ProjectBankName(isVersion2, item));
    return PoMarksOf(textsOf(source), textsOf(target),
                     records == project.banks.end() ? nullptr : &records->second);
}

// The project of an export, its lines it cannot read said as notes: the export writes nothing
// to it. The exit code after saying why it cannot be used, -1 when it can.
int exportProject(CommandIo io, const ExportArguments& given, OpenedProject& project) {
    ProjectWork work{given.archive, given.game, given.from, given.to};
    if (work.archive.empty()) {
        const auto source = ParseTextSource(io.files, given.source);
        const auto target = ParseTextSource(io.files, given.target);
        if (!source || !target || !source->inArchive() || !target->inArchive() ||
            source->path != target->path)
            return usageError(io, "po",
                              "--project goes with the project's archive: ARCHIVE --from LANG "
                              "--to LANG, or SOURCE and TARGET as items of it");
        work = {target->path, given.game, ItemLanguage(given.game == 2, source->item),
                ItemLanguage(given.game == 2, target->item)};
    }
    bool usage = false;
    if (const std::string problem = openProject(io.files, given.project, work, project, usage);
        !problem.empty())
        return usage ? usageError(io, "po", problem) : fail(io, problem);
    for (const std::string& line : projectProblemLines(project, 10))
        note(io, "note: " + line + " (its record is not exported)");
    return -1;
}

// Every dialogue bank of language `to` against its bank of language `from`; a template has the
// contexts of `to`'s banks and the references of `from`'s.
int exportArchive(CommandIo io, const ExportArguments& given, const std::string& language,
                  const OpenedProject* project) {
    const bool isVersion2 = given.game == 2;
    const std::string& archive = given.archive;
    CommandState state;
    state.program.Files = &io.files;
    if (const std::string problem = openArchive(state, given.characters, archive, isVersion2);
        !problem.empty())
        return fail(io, problem);
    if (const std::string absent =
            absentLanguage(state, archive, isVersion2, {given.from, given.to});
        !absent.empty())
        return usageError(io, "po", absent);
    TranslationMemory memory;
    if (const std::string problem = buildMemory(io.files, given.memories, given.from, given.to,
                                                state.program.Characters, memory);
        !problem.empty())
        return fail(io, problem);
    std::vector<std::unique_ptr<TextDocument>> documents;
    std::vector<PoBank> banks;
    std::deque<std::vector<PoMarks>> marks;
    for (const BankPair& pair : dialogueBanks(state, isVersion2, given.from, given.to)) {
        auto source = loadItem(state, archive, pair.source, isVersion2);
        if (!source)
            return fail(io, source.message());
        PoBank& bank = banks.emplace_back(PoBank{source->get(), nullptr, pair.target, {}});
        documents.push_back(std::move(*source));
        bank.reference =
            archive + ":" + std::to_string(given.asTemplate ? pair.source : pair.target);
        if (given.asTemplate)
            continue;
        auto target = loadItem(state, archive, pair.target, isVersion2);
        if (!target)
            return fail(io, target.message());
        bank.target = target->get();
        documents.push_back(std::move(*target));
        if (project)
            bank.marks = &marks.emplace_back(
                projectMarks(*project, isVersion2, pair.target, *bank.source, *bank.target));
    }
    const PoHeader header{language,  given.date,
                          Generator, archive + " --from " + PoLanguagePrefix(given.from),
                          "",        project ? project->path : ""};
    return writeCatalogue(
        io, WritePoCatalogue(banks, state.program.Characters, header,
                             given.memories.empty() || given.asTemplate ? nullptr : &memory));
}

int runExport(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "po export",
                                       {GameOption, CharsetOption, RemapOption, FromOption,
                                        ToOption, TemplateOption, MemoryOption, LanguageOption,
                                        ProjectOption, OutputOption},
                                       argv, args);
        stop >= 0)
        return stop;
    ExportArguments given;
    if (const std::string usage = parseExport(args, given); !usage.empty())
        return usageError(io, "po", usage);
    std::string problem;
    given.date = exportDate(problem);
    if (!problem.empty())
        return fail(io, problem);
    io.settings.output = args.value(OutputOption.name);
    const bool isVersion2 = given.game == 2;
    OpenedProject opened;
    const OpenedProject* project = given.project.empty() ? nullptr : &opened;
    if (project)
        if (const int stop = exportProject(io, given, opened); stop >= 0)
            return stop;
    std::string usage;
    if (!given.archive.empty()) {
        const std::string language = languageCode(args, given.to, usage);
        return usage.empty() ? exportArchive(io, given, language, project)
                             : usageError(io, "po", usage);
    }
    LoadedText source, target;
    if (const int stop = loadText(io, given.source, given.characters, given.game, source);
        stop >= 0)
        return stop;
    const bool hasTarget = !given.target.empty();
    if (hasTarget)
        if (const int stop = loadText(io, given.target, given.characters, given.game, target);
            stop >= 0)
            return stop;
    const TextSource& named = hasTarget ? target.source : source.source;
    // The language of the translations: the target's item or name ("FR_000.DIA"); a template
    // has no target, so it has none unless --language says it, as gettext leaves it.
    const int targetLanguage =
        hasTarget ? BankLanguage(target.state->open.Document.Origin, isVersion2) : -1;
    const std::string language = languageCode(args, targetLanguage, usage);
    if (!usage.empty())
        return usageError(io, "po", usage);
    if (language.empty() && !given.asTemplate)
        note(io, "the PO file's Language is left empty: nothing says the target's language; "
                 "--language LANG names it");
    std::vector<PoMarks> marks;
    if (project)
        marks = projectMarks(*project, isVersion2, named.item, source.state->open.Document,
                             target.state->open.Document);
    const PoBank bank{&source.state->open.Document,
                      hasTarget ? &target.state->open.Document : nullptr, -1, named.name(),
                      project ? &marks : nullptr};
    const PoHeader header{language,
                          given.date,
                          Generator,
                          recorded(given.source),
                          recorded(given.target),
                          project ? project->path : ""};
    // Archives in the memory pair the languages of the items exported.
    const int sourceLanguage =
        source.source.inArchive() ? ItemLanguage(isVersion2, source.source.item) : -1;
    const int pairedLanguage = named.inArchive() ? ItemLanguage(isVersion2, named.item) : -1;
    if (anyArchive(given.memories) && (!hasTarget || sourceLanguage < 0 || pairedLanguage < 0 ||
                                       sourceLanguage == pairedLanguage))
        return usageError(io, "po",
                          "an archive as --memory pairs languages: give --from and --to, or "
                          "SOURCE and TARGET as items of two languages of a text archive");
    TranslationMemory memory;
    if (const std::string failed =
            buildMemory(io.files, given.memories, sourceLanguage, pairedLanguage,
                        source.state->program.Characters, memory);
        !failed.empty())
        return fail(io, failed);
    return writeCatalogue(io, WritePoCatalogue({bank}, source.state->program.Characters, header,
                                               given.memories.empty() ? nullptr : &memory));
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

// The first line of a refusal, and the problems under it when listed.
int refuse(CommandIo io, const std::string& po, const std::vector<PoProblem>& refused,
           bool listed) {
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
    if (listed)
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
    line += ", " + std::to_string(imported.count(PoOutcome::Untranslated)) + " untranslated";
    if (const int empty = imported.count(PoOutcome::EmptySource); empty > 0)
        line += ", " + std::to_string(empty) + " with an empty msgid left out";
    return line;
}

// The item and entry a message's context names ("41:12", or "12" in item's bank); -1 for none.
std::pair<int, int> placeOf(const std::string& context, int item) {
    const std::size_t colon = context.find(':');
    const std::string entry = colon == std::string::npos ? context : context.substr(colon + 1);
    const auto number = [](const std::string& text) {
        return !text.empty() && text.size() < 6 &&
                       text.find_first_not_of("0123456789") == std::string::npos
                   ? std::stoi(text)
                   : -1;
    };
    const int inBank = number(entry);
    if (inBank < 1)
        return {-1, -1};
    return {colon == std::string::npos ? item : number(context.substr(0, colon)), inBank - 1};
}

// What an import with --project changed in the project.
struct ProjectChanges {
    bool asked = false; // --project was given
    int states = 0, notes = 0;
};

// The import's findings and counts as one JSON document.
std::string importJson(const std::vector<PoProblem>& refused, const std::vector<PoProblem>& forced,
                       const PoImportResult* imported, int item,
                       const ProjectChanges& project = {}) {
    nlohmann::ordered_json findings = nlohmann::ordered_json::array();
    static const std::vector<PoProblem> none;
    for (const auto& [kind, problems] :
         {std::pair{"refused", &refused},
          {"overridden", &forced},
          {"substituted", imported ? &imported->substituted : &none}})
        for (const PoProblem& problem : *problems) {
            const auto [where, entry] = placeOf(problem.context, item);
            auto finding = FindingJson(where, entry, kind, problem.reason);
            finding["context"] = problem.context;
            finding["line"] = problem.line;
            findings.push_back(std::move(finding));
        }
    if (imported && !imported->unchecked.empty())
        findings.push_back(FindingJson(-1, -1, "note", imported->unchecked));
    const auto count = [&](PoOutcome outcome) {
        return imported ? imported->count(outcome) : 0;
    };
    nlohmann::ordered_json counts{{"changed", count(PoOutcome::Changed)},
                                  {"unchanged", count(PoOutcome::Unchanged)},
                                  {"fuzzySkipped", count(PoOutcome::FuzzySkipped)},
                                  {"untranslated", count(PoOutcome::Untranslated)},
                                  {"refused", refused.size()},
                                  {"overridden", forced.size()},
                                  {"written", imported ? imported->items.size() : 0}};
    if (project.asked) {
        counts["states"] = project.states;
        counts["notes"] = project.notes;
    }
    return FindingsJson(std::move(findings), std::move(counts));
}

// The project an import records into, checked before anything is written: it is the project
// of the target's archive, every bank the catalogue names is of its target language, and it
// has no line it could not read, which writing it back would lose. The exit code after saying
// what is wrong, -1 when it can be used.
int importProject(CommandIo io, const std::string& path, const TextSource& named, int game,
                  const PoCatalogue& catalogue, OpenedProject& project) {
    bool usage = false;
    if (const std::string problem =
            openProject(io.files, path, {named.path, game, -1, -1}, project, usage);
        !problem.empty())
        return usage ? usageError(io, "po", problem) : fail(io, problem);
    if (const auto& problems = project.parsed.problems; !problems.empty()) {
        fail(io, path + ": " + plural(int(problems.size()), "line", "lines") +
                     " cannot be read, and writing the project back would lose them; mend "
                     "them first. Nothing was written.");
        for (const std::string& line : projectProblemLines(project, 50))
            io.err << "  " << line << '\n';
        return Failure;
    }
    std::set<int> items;
    if (named.inArchive())
        items.insert(named.item);
    else
        for (const PoEntry& entry : catalogue.entries)
            if (const std::size_t colon = entry.context.find(':'); colon != std::string::npos)
                if (const auto item = ParseItemNumber(entry.context.substr(0, colon)))
                    items.insert(*item);
    for (const int item : items)
        if (std::string outside = bankOutsideProject(project, game == 2, item); !outside.empty())
            return usageError(io, "po", outside);
    return -1;
}

// Gives the entry of each imported message its record, from the archive's items as the import
// left them; counts what changed. A message when the items cannot be read back.
std::string recordStates(CommandIo io, const CharacterOptions& characters, int game,
                         const TextSource& named, const PoCatalogue& catalogue,
                         const PoImportResult& imported, OpenedProject& opened,
                         ProjectChanges& changes) {
    const bool isVersion2 = game == 2;
    CommandState state;
    state.program.Files = &io.files;
    if (std::string problem = openArchive(state, characters, named.path, isVersion2);
        !problem.empty())
        return problem;
    TranslationProject& project = opened.project();
    std::map<int, std::vector<std::string>> texts; // by item, read once
    std::string problem;
    const auto textsOfItem = [&](int item) -> const std::vector<std::string>& {
        auto [found, added] = texts.try_emplace(item);
        if (added && item >= 0 && item < state.open.Archive.itemCount() &&
            !state.open.Archive.ItemData[std::size_t(item)].empty()) {
            if (auto document = loadItem(state, named.path, item, isVersion2))
                found->second = textsOf(**document);
            else
                problem = document.message();
        }
        return found->second;
    };
    const bool withProject = !catalogue.project.empty();
    for (std::size_t i = 0; i < imported.places.size() && i < catalogue.entries.size(); ++i) {
        const PoPlace& place = imported.places[i];
        const int item = place.item < 0 ? named.item : place.item;
        const auto entry = static_cast<std::size_t>(place.entry);
        const std::vector<std::string>& source =
            textsOfItem(SameBankInLanguage(isVersion2, item, project.sourceLanguage));
        const std::vector<std::string>& target = textsOfItem(item);
        const std::string from = entry < source.size() ? source[entry] : "";
        const std::string to = entry < target.size() ? target[entry] : "";
        const std::string bank = ProjectBankName(isVersion2, item);
        const EntryRecord* before = project.record(bank, place.entry);
        const EntryState was = StateOf(from, to, before);
        const std::string note = before ? before->note : "";
        std::optional<EntryRecord> after = ImportedRecord(
            before, from, to, ImportedMessageOf(catalogue.entries[i], imported.outcomes[i], place),
            withProject);
        changes.states += StateOf(from, to, after ? &*after : nullptr) != was ? 1 : 0;
        changes.notes += (after ? after->note : "") != note ? 1 : 0;
        project.setRecord(bank, place.entry, std::move(after));
    }
    return problem;
}

// "fr.zyp: 3 states and 1 note changed"
std::string projectReport(const std::string& path, const ProjectChanges& changes) {
    if (changes.states == 0 && changes.notes == 0)
        return path + ": no state or note changed";
    return path + ": " + plural(changes.states, "state", "states") + " and " +
           plural(changes.notes, "note", "notes") + " changed";
}

int runImport(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop =
            readArguments(io, "po import",
                          {GameOption, CharsetOption, RemapOption, FuzzyOption, ForceOption,
                           SubstituteOption, WaitOption, ProjectOption, JsonOption},
                          argv, args);
        stop >= 0)
        return stop;
    int game = 0;
    CharacterOptions characters;
    if (std::string usage = gameAndCharacters(args, game, characters); !usage.empty())
        return usageError(io, "po", usage);
    PoImportOptions options;
    options.isVersion2 = game == 2;
    options.takeFuzzy = args.has(FuzzyOption.name);
    options.force = args.has(ForceOption.name);
    const Substitutions substitutions;
    if (args.has(SubstituteOption.name))
        options.substitutions = &substitutions;
    const bool json = args.has(JsonOption.name);
    std::chrono::seconds wait;
    if (std::string usage = waitOf(args, wait); !usage.empty())
        return usageError(io, "po", usage);
    if (args.operands.size() != 2)
        return usageError(io, "po", "a PO file and a target text file are required");
    const std::string &po = args.operands[0], &target = args.operands[1];
    if (std::string usage = notStandardInput(target, "TARGET"); !usage.empty())
        return usageError(io, "po", usage);
    if (std::string usage = standardInputOnce({po, characters.remap}); !usage.empty())
        return usageError(io, "po", usage);
    const std::string projectPath = args.value(ProjectOption.name);
    ProjectChanges changes{args.has(ProjectOption.name)};
    if (changes.asked)
        if (std::string usage = notStandardInput(projectPath, "PROJECT"); !usage.empty())
            return usageError(io, "po", "--project: " + usage);
    CommandState state;
    state.program.Files = &io.files;
    if (const std::string problem = applyCharacterOptions(characters, state); !problem.empty())
        return fail(io, problem);
    const auto named = ParseTextSource(state.program.files(), target);
    if (named && named->inArchive())
        if (std::string usage = notStandardInput(named->path, "ARCHIVE"); !usage.empty())
            return usageError(io, "po", usage);
    auto catalogue = ReadPoFile(state.program.files(), po);
    if (!catalogue)
        return fail(io, catalogue.message());
    OpenedProject project;
    if (changes.asked && named)
        if (const int stop = importProject(io, projectPath, *named, game, *catalogue, project);
            stop >= 0)
            return stop;
    options.wait = archiveWait(io, named ? named->path : target, wait);
    auto imported = ImportPoCatalogue(state.program.files(), state.program.Characters, *catalogue,
                                      po, target, options);
    if (!imported) {
        if (named && named->inArchive())
            if (std::string missing = absentItem(state.program.files(), named->path, named->item);
                !missing.empty())
                return usageError(io, "po", missing);
        return failRebuild(io, imported.status());
    }
    const int item = named && named->inArchive() ? named->item : -1;
    // The project only after the archive holds what it will say was written.
    std::string unrecorded;
    if (changes.asked && imported->refused.empty()) {
        const TranslationProject before = project.project();
        unrecorded =
            recordStates(io, characters, game, *named, *catalogue, *imported, project, changes);
        if (unrecorded.empty() && project.project() != before)
            if (Status written = WriteProjectFile(io.files, projectPath, project.project());
                !written)
                unrecorded = written.message();
    }
    if (json)
        io.out << importJson(imported->refused, imported->overridden, &*imported, item, changes);
    if (!imported->refused.empty())
        return refuse(io, po, imported->refused, !json);
    if (!unrecorded.empty())
        return fail(
            io, (imported->written() ? "the translations were written into " + target
                                     : "nothing had to change in " + target) +
                    ", but the project " + projectPath +
                    " could not be written, so it is as it was before this import: " + unrecorded +
                    " Import the same file again with --project to record its states "
                    "and notes.");
    if (json || io.settings.quiet)
        return Success;
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
    if (changes.asked)
        io.err << "zyntext: " << projectReport(projectPath, changes) << '\n';
    return Success;
}

int run(const Arguments& args, CommandIo io) {
    if (args.empty() || args[0].starts_with('-')) {
        // Only the options every command has ("zyntext po --help").
        ParsedArguments parsed;
        if (const int stop = readArguments(io, "po", {}, args, parsed); stop >= 0)
            return stop;
        return usageError(io, "po", "'export' or 'import' is required");
    }
    const Arguments rest(args.begin() + 1, args.end());
    if (args[0] == "export")
        return runExport(rest, io);
    if (args[0] == "import")
        return runImport(rest, io);
    return usageError(io, "po", "unknown action '" + args[0] + "': 'export' or 'import'");
}

} // namespace

const Command PoCommand{
    "po",
    "export texts to gettext PO for translators, and import translations",
    {
        {"zyntext po export SOURCE [TARGET] --game 1|2 [--charset NAME] [--remap TABLE] "
         "[--template] [--memory FILE]... [--language LANG] [-o FILE]",
         "zyntext po export --from SOURCE [--to TARGET] --game 1|2 [OPTIONS]",
         "zyntext po export ARCHIVE --from LANG --to LANG --game 1|2 [--charset NAME] "
         "[--remap TABLE] [--template] [--memory FILE]... [--language LANG] [--project FILE] "
         "[-o FILE]",
         "zyntext po import PO TARGET --game 1|2 [--charset NAME] [--remap TABLE] [--fuzzy] "
         "[--force] [--substitute] [--wait SECONDS] [--json]",
         "zyntext po import PO ARCHIVE --game 1|2 [--charset NAME] [--remap TABLE] [--fuzzy] "
         "[--force] [--substitute] [--wait SECONDS] [--project FILE] [--json]"},
        {
            "export writes a gettext PO file with one message per entry of SOURCE: the context "
            "is the entry's number as the editor numbers it (from 1), msgid its text, msgstr "
            "the text of the same entry of TARGET where TARGET is given and differs, else "
            "empty. The pair is named source first, as everywhere: SOURCE TARGET, or --from "
            "SOURCE --to TARGET. ZYN 2 types are given as \"#. type N: NAME\" comments, and each "
            "message's \"#:\" reference names TARGET (SOURCE without one) and the entry. A "
            "translation that begins or ends with a line break where the source does not (or "
            "the reverse) is marked fuzzy with a comment, as gettext's checks refuse it. An entry "
            "whose source is empty has no message (gettext's tools take an empty msgid for the "
            "header); export says how many it left out, and import leaves them as they are.",
            "The header is as gettext's tools write it: its POT-Creation-Date and "
            "PO-Revision-Date are the time of the export (SOURCE_DATE_EPOCH, in seconds, when "
            "that is set: the same export then gives the same bytes), and its Language is the "
            "target's: --to's, TARGET's item (ARCHIVE:N) or name (FR_000.DIA), or --language; "
            "a template's only with --language, as gettext leaves it empty. It records SOURCE "
            "as given (\"X-Source: text.hqr:7\") and TARGET (\"X-Target\"), save standard "
            "input.",
            "With an ARCHIVE and --from and --to naming languages (EN, FR, DE, SP, IT, PO), every "
            "dialogue bank of the --to language of ARCHIVE is exported against the same bank "
            "of the --from language, each context naming the item too (\"41:12\"), the header "
            "recording \"X-Source: ARCHIVE --from LANG\"; a language the archive has no banks "
            "of is wrong usage, naming those it holds. --template writes a template (POT) of "
            "the source: every msgstr empty, the references naming the source, for msgmerge. "
            "--memory FILE (repeatable) names translations already made: an archive, whose "
            "banks of the --from language are paired with those of the --to language (or of "
            "SOURCE's and TARGET's languages, named as items), or a PO file (\".po\", its "
            "translated messages). An untranslated message whose msgid is a text the memory "
            "holds takes its translation, marked fuzzy with a comment naming the bank and entry "
            "it came from.",
            "import writes every translated message (msgstr not empty) of PO into TARGET; "
            "fuzzy messages only with --fuzzy. Types, the item header and the other entries "
            "stay as they are. It reads the whole file first and lists every message it "
            "refuses on standard error (at most 50, then a count of the rest); then nothing is "
            "written. Refused: a message whose context names no entry, two messages naming one "
            "entry, a plural message, a translation (fuzzy or not) holding a PO header's fields "
            "or a conflict block of msgcat (\"#-#-#-#-#\" lines), a translation with a "
            "character the character set cannot write (with --substitute, one that has no "
            "stand-in the set can write), texts that would pass 32 767 bytes, and "
            "a string with code 0 (a NUL byte, raw or escaped); characters that show nothing "
            "are named (U+000D). Refused unless --force is given, which says how many checks it "
            "overrode: a file whose references or X-Target name another file or item than "
            "TARGET or the source its header records (matched by file name and item, so a "
            "copied folder still matches; a reference naming the file alone, as msgcat "
            "--add-location=file writes it, matches); a message whose msgid is no longer the text "
            "of the "
            "source entry (read as the header gives it, or as the item of that number in "
            "TARGET's archive when the file names agree), as the source changed since the "
            "export; a translation that begins or ends with a line break where its msgid does "
            "not (or the reverse), as msgfmt --check refuses it. A byte-order mark is skipped; "
            "lines may end with CR LF or CR alone. Texts are read in their composed form (Unicode "
            "NFC), so a catalogue in decomposed letters imports as its composed form does. A "
            "message with an empty msgid is left out. "
            "The last line reports the entries changed, unchanged, fuzzy skipped and "
            "untranslated; with -q nothing is printed on success. A catalogue of a whole "
            "archive is written into ARCHIVE in one rebuild, with one backup (text.hqr gives "
            "text.~$R). The items of an archive are read once no other program rebuilds it "
            "(waiting up to 60 seconds, or SECONDS given with --wait, and saying so after a "
            "second), so imports at the same time keep all their changes. When every "
            "translation is there already, nothing is written and import says so. PO may be "
            "\"-\", standard input; TARGET is written in place, so it may not.",
            "With --json, import prints one JSON document on standard output instead of its "
            "report: {\"findings\": [{\"item\": 31, \"entry\": 1, \"kind\": \"refused\", "
            "\"message\": \"...\", \"context\": \"1\", \"line\": 18}, ...], \"counts\": "
            "{\"changed\": C, \"unchanged\": U, \"fuzzySkipped\": F, \"untranslated\": N, "
            "\"refused\": R, \"overridden\": O, \"written\": W}} (and with --project \"states\" "
            "and "
            "\"notes\", the number of each changed), kind being \"refused\", "
            "\"overridden\" (by --force), \"substituted\" (by --substitute) or \"note\"; W counts "
            "the files or items written. A "
            "refusal still says so in a line on standard error, and exits 1.",
            "With --project FILE, the translation project of ARCHIVE (or of the archive of "
            "SOURCE and TARGET, items of it in the project's languages), export writes each "
            "entry's state and note: needs review as \"#, fuzzy\", the note as translator "
            "comments (\"# \" lines), a text kept as translated where it equals its source as "
            "msgstr = msgid, reviewed as translated with a \"#. reviewed\" comment; the header "
            "names the project (\"X-Project\"). import then records each message's state and "
            "note in the project: a translation taken is translated (reviewed when the entry held "
            "it already and the message or the project says reviewed); a fuzzy message taken "
            "with --fuzzy, or whose text the entry holds, needs review, and one that is neither "
            "leaves the state as it was; an empty msgstr makes an entry that is empty or equal to "
            "its source untranslated; the translator comments become the note (added, changed or "
            "removed), save the lines export writes itself. A file whose header names no project "
            "changes only the states of the entries it writes, and no note. The project must be "
            "that of the archive, game and languages, and have no line it cannot read (writing "
            "it back would lose it); else nothing is written. It is written through a "
            "temporary file after the archive; when that fails, import says the translations "
            "were written and the project is as it was, and the same import again records it. "
            "The last line then says how many states and notes changed.",
            "SOURCE and TARGET may name an archive's item as ARCHIVE:N (N counted from 0), "
            "and either may be \"-\", standard input.",
        },
        {
            {"--game 1|2", "the game the texts belong to"},
            {"--charset NAME", "the letters texts are written in ('zyntext charsets' lists "
                               "them); western, the games' own letters, when not given"},
            RemapHelp,
            {"-o, --output FILE", "write the PO file to FILE (standard output when not given, "
                                  "or \"-\")"},
            {"--from SOURCE|LANG", "the source: a text file, or the language of msgid in a "
                                   "whole-archive export"},
            {"--to TARGET|LANG", "the target: a text file, or the language of msgstr in a "
                                 "whole-archive export"},
            {"--language LANG", "the header's Language: EN, FR, DE, SP, IT, PO or a code of "
                                "gettext's such as pl or pt_BR"},
            {"--template", "export a template: every msgstr empty"},
            {"--memory FILE", "fill untranslated messages from the translations of an archive "
                              "or a PO file, marked fuzzy; repeatable"},
            {"--fuzzy", "also import messages marked fuzzy"},
            {"--force", "import past the checks that the file belongs to TARGET, that its "
                        "msgids are the source's texts, and of line breaks at either end"},
            {"--substitute", "write a character the set lacks as its stand-in, as the editor "
                             "types it (the oe ligature as oe, curly quotes as ' and \", dashes "
                             "as -, ...), naming each message written so on standard error"},
            {"--wait SECONDS", "how long import waits for another program's rebuild of the "
                               "archive (60 when not given)"},
            {"--project FILE", "the translation project whose states and notes export writes and "
                               "import records"},
            {"--json", "import prints one JSON document"},
        },
    },
    run,
};

} // namespace zyn::cli
