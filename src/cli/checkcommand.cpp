#include "archive/itemnames.h"
#include "characters/charactersets.h"
#include "cli/archivebanks.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/commandstate.h"
#include "cli/jsontext.h"
#include "cli/projectoption.h"
#include "document/translationcheck.h"
#include "flows/pocatalog.h"
#include "flows/textsource.h"
#include "fonts/fontwidths.h"
#include "project/bankstatus.h"
#include "project/entrystate.h"
#include "project/glossaryfile.h"
#include "project/languagechecks.h"
#include "project/projectfile.h"
#include "project/statetally.h"
#include "spelling/spellchecker.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace zyn::cli {

namespace {

// For a CI job: 0 no findings, 1 findings, 2 trouble (wrong usage included).
constexpr int Clean = 0;
constexpr int Found = 1;
constexpr int Trouble = 2;

struct CheckArguments {
    std::string archive;             // the archive form
    std::string source, translation; // the form of two text files
    int game = 0;
    int from = -1, to = -1; // the archive form
    CharacterOptions characters;
    TranslationCheckOptions options;
    bool spelling = false;
    bool json = false;
    int language = -1; // --language; else the bank's
    bool fit = false;
    const EntryFit* fitRule = nullptr; // with --fit, once the display font is read
    std::string project, glossary;     // --project, --glossary; "" for none
    bool consistency = false;
};

const OptionSpec MaxLinesOption{"max-lines", 0, "N"};
const OptionSpec UntranslatedOption{"untranslated"};
const OptionSpec SpellingOption{"spelling"};
const OptionSpec LanguageOption{"language", 0, "LANG"};
const OptionSpec JsonOption{"json"};
const OptionSpec FitOption{"fit"};
const OptionSpec GlossaryOption{"glossary", 0, "FILE"};
const OptionSpec ConsistencyOption{"consistency"};

// The language a text file's name or archive item says ("FR_000.DIA", text.hqr:31), -1 when
// neither says.
int languageOfName(FileSystem& files, const std::string& name, bool isVersion2) {
    const auto source = ParseTextSource(files, name);
    if (!source)
        return -1;
    if (source->inArchive())
        return ItemLanguage(isVersion2, source->item);
    return NameLanguage(fileNameOf(source->path));
}

// The pair: --from SOURCE --to TRANSLATION, or an archive with --from LANG --to LANG, or two
// files whose languages (from their names or items) tell which is which.
std::string parsePair(const ParsedArguments& args, FileSystem& files, CheckArguments& out) {
    const std::string from = args.value(FromOption.name), to = args.value(ToOption.name);
    const bool languages = PoLanguageBlock(from) >= 0 && PoLanguageBlock(to) >= 0;
    const std::vector<std::string>& operands = args.operands;
    if (args.has(FromOption.name) != args.has(ToOption.name))
        return "--from and --to go together";
    if (operands.empty() && args.has(FromOption.name) && !languages) {
        out.source = from;
        out.translation = to;
        return standardInputOnce({from, to, out.characters.remap});
    }
    // One operand beside --from and --to can only be an archive: say what its languages lack.
    if (operands.size() == 1 && args.has(FromOption.name)) {
        if (std::string usage = languagesOf(args, out.game == 2, out.from, out.to); !usage.empty())
            return usage;
        out.archive = operands[0];
        return notStandardInput(out.archive, "ARCHIVE");
    }
    if (operands.size() == 1)
        return "one archive is checked with --from LANG --to LANG";
    if (operands.size() != 2)
        return "a source and its translation are required: --from SOURCE --to TRANSLATION, or "
               "an archive with --from LANG --to LANG";
    // Two names: only their languages can tell the source from the translation.
    const std::string which = "which of " + operands[0] + " and " + operands[1] +
                              " is the source cannot be told: give --from SOURCE --to "
                              "TRANSLATION";
    if (!languages)
        return which;
    const int first = languageOfName(files, operands[0], out.game == 2);
    const int second = languageOfName(files, operands[1], out.game == 2);
    const int sourceLanguage = PoLanguageBlock(from), translationLanguage = PoLanguageBlock(to);
    if (first == sourceLanguage && second == translationLanguage) {
        out.source = operands[0];
        out.translation = operands[1];
    } else if (first == translationLanguage && second == sourceLanguage) {
        out.source = operands[1];
        out.translation = operands[0];
    } else {
        return which + " (their names do not say " + PoLanguagePrefix(sourceLanguage) + " and " +
               PoLanguagePrefix(translationLanguage) + ")";
    }
    return standardInputOnce({out.source, out.translation, out.characters.remap});
}

std::string parse(const ParsedArguments& args, FileSystem& files, CheckArguments& out) {
    if (std::string usage = requiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = charsetOf(args, out.characters.charset); !usage.empty())
        return usage;
    if (args.has(MaxLinesOption.name)) {
        const std::string maxLines = args.value(MaxLinesOption.name);
        if (maxLines.empty() || maxLines.size() > 4 ||
            maxLines.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(maxLines) == 0)
            return "--max-lines takes a number of lines from 1";
        out.options.maxLines = std::stoi(maxLines);
    }
    out.options.untranslated = args.has(UntranslatedOption.name);
    out.spelling = args.has(SpellingOption.name);
    out.fit = args.has(FitOption.name);
    out.json = args.has(JsonOption.name);
    if (args.has(LanguageOption.name)) {
        out.language = FindSpellingLanguage(args.value(LanguageOption.name));
        if (out.language < 0)
            return "--language takes EN, FR, DE, SP, IT or PO";
        if (!out.spelling)
            return "--language goes with --spelling";
    }
    out.project = args.value(ProjectOption.name);
    out.glossary = args.value(GlossaryOption.name);
    out.consistency = args.has(ConsistencyOption.name);
    for (const std::string* file : {&out.project, &out.glossary})
        if (std::string usage = notStandardInput(*file, "FILE"); !usage.empty())
            return usage;
    if (std::string usage = parsePair(args, files, out); !usage.empty())
        return usage;
    if (out.consistency && out.archive.empty())
        return "--consistency compares every bank of a language: give ARCHIVE --from LANG --to "
               "LANG";
    return {};
}

// What the checks of the whole language need beside each bank: the project's records, the
// glossary's terms, and the translated entries of every bank so far.
struct LanguageContext {
    const OpenedProject* project = nullptr;
    Glossary glossary;
    std::unique_ptr<TermIndex> terms; // with --glossary, or a project's glossary
    std::vector<ConsistencyEntry> translated;
};

struct Totals {
    int findings = 0, translated = 0, entries = 0;
    StateTally states; // of the entries counted: with --project
    nlohmann::ordered_json json = nlohmann::ordered_json::array(); // with --json
};

// The dictionary of the language asked for, else of the bank's; nothing after saying why.
std::unique_ptr<SpellChecker> openSpelling(CommandIo io, const CheckArguments& check,
                                           int bankLanguage, CommandState& state) {
    const int language = check.language >= 0 ? check.language : bankLanguage;
    if (language < 0) {
        usageError(io, "check",
                   "--spelling needs --language LANG: the translation's name has no language");
        return nullptr;
    }
    auto checker = SpellChecker::open(state.program.files(), language, DictionaryFolders(),
                                      PersonalWordFolder());
    if (!checker) {
        fail(io, checker.message());
        return nullptr;
    }
    return std::move(*checker);
}

// An entry's words the dictionary does not know, each as the tool writes texts, in a finding.
void addSpelling(const TextDocument& translation, const TextDocument& source,
                 const CheckArguments& check, const CharacterTables& tables, SpellChecker& checker,
                 std::vector<TranslationFinding>& findings) {
    // Words are letters: without --charset, the editor's default set tells them.
    const LetterTable& letters =
        (check.characters.charset ? *check.characters.charset
                                  : CharacterSets[WesternCharacterSetIndex])
            .letters;
    for (int i = 0; i < translation.entryCount(); ++i) {
        const std::u32string text = ToLetters(letters, translation.EntryText[std::size_t(i)]);
        const std::u32string original = i < source.entryCount()
                                            ? ToLetters(letters, source.EntryText[std::size_t(i)])
                                            : std::u32string();
        const std::vector<MisspelledWord> unknown = checker.unknownWords(text, original);
        if (unknown.empty())
            continue;
        std::string what = unknown.size() == 1 ? "unknown word" : "unknown words";
        for (const MisspelledWord& word : unknown)
            what += (&word == &unknown.front() ? " " : ", ") +
                    EntryTextJson(ToCodes(letters,
                                          std::u32string_view(text).substr(word.start, word.length),
                                          '?'),
                                  tables);
        findings.push_back({i, what, false, "spelling"});
    }
}

// Each entry that takes more lines in the game's box than it shows.
void addFit(const TextDocument& translation, const EntryFit& fit,
            std::vector<TranslationFinding>& findings) {
    for (int i = 0; i < translation.entryCount(); ++i) {
        const int lines = fit.linesOf(translation.EntryText[std::size_t(i)]);
        if (lines > fit.rule.linesShown())
            findings.push_back({i,
                                "takes " + std::to_string(lines) + " lines, the box shows " +
                                    std::to_string(fit.rule.linesShown()),
                                false, "fit"});
    }
}

const BankRecords* recordsOf(const LanguageContext& language, bool isVersion2, int item) {
    if (!language.project)
        return nullptr;
    const auto& banks = language.project->project().banks;
    const auto found = banks.find(ProjectBankName(isVersion2, item));
    return found == banks.end() ? nullptr : &found->second;
}

// The project's states: the entries counted by state, and an entry kept as its source on
// purpose no longer untranslated. T of M then counts the entries not untranslated.
void byStates(int item, const TextDocument& translation, const TextDocument& source,
              bool isVersion2, const LanguageContext& language, TranslationCheck& found,
              Totals& totals) {
    const BankRecords* records = recordsOf(language, isVersion2, item);
    const auto stateOf = [&](int entry) {
        const auto at = std::size_t(entry);
        const EntryRecord* record = nullptr;
        if (records)
            if (const auto known = records->find(entry); known != records->end())
                record = &known->second;
        return StateOf(source.EntryText[at],
                       entry < translation.entryCount() ? translation.EntryText[at] : "", record);
    };
    std::erase_if(found.findings, [&](const TranslationFinding& finding) {
        return finding.kind == "untranslated" && stateOf(finding.entry) != EntryState::Untranslated;
    });
    found.translated = 0;
    for (int i = 0; i < source.entryCount(); ++i)
        if (!source.EntryText[std::size_t(i)].empty()) {
            const EntryState state = stateOf(i);
            totals.states.add(state);
            found.translated += state == EntryState::Untranslated ? 0 : 1;
        }
}

// The letters a check reads texts in: the set's, else the editor's default.
const LetterTable& lettersOf(const CheckArguments& check) {
    return (check.characters.charset ? *check.characters.charset
                                     : CharacterSets[WesternCharacterSetIndex])
        .letters;
}

// A glossary term in a finding, as the check writes texts.
std::string termText(const std::string& term, const CheckArguments& check) {
    return nlohmann::json(term).dump(-1, ' ', !check.characters.charset);
}

// The glossary's terms each translated entry lacks, one finding per entry.
void addGlossary(const TextDocument& translation, const TextDocument& source,
                 const CheckArguments& check, const LanguageContext& language, int item,
                 std::vector<TranslationFinding>& findings) {
    const LetterTable& letters = lettersOf(check);
    std::vector<std::u32string> from, to;
    for (int i = 0; i < source.entryCount(); ++i)
        from.push_back(ToLetters(letters, source.EntryText[std::size_t(i)]));
    for (int i = 0; i < translation.entryCount(); ++i)
        to.push_back(ToLetters(letters, translation.EntryText[std::size_t(i)]));
    const std::vector<MissingTerms> missing =
        FindMissingTerms(*language.terms, from, to, EntryTexts(source), EntryTexts(translation),
                         recordsOf(language, check.game == 2, item));
    for (const MissingTerms& entry : missing) {
        std::string what;
        for (const std::size_t index : entry.terms) {
            const GlossaryTerm& term = language.glossary.terms[index];
            what += (what.empty() ? "" : "; ") + std::string("the source has ") +
                    termText(term.source, check) + ", the translation lacks " +
                    termText(term.doNotTranslate ? term.source : term.target, check);
        }
        findings.push_back({entry.entry, what, false, "glossary"});
    }
}

// The findings of one bank, each line starting with its entry ("12: ", "41:12: "), or each a
// finding of the JSON document.
void report(CommandIo io, int item, bool prefixed, const TextDocument& translation,
            const TextDocument& source, const CheckArguments& check, const CharacterTables& tables,
            SpellChecker* checker, Totals& totals, LanguageContext& language) {
    TranslationCheck found = CheckTranslation(translation, source, check.options);
    if (check.fitRule)
        addFit(translation, *check.fitRule, found.findings);
    if (language.project)
        byStates(item, translation, source, check.game == 2, language, found, totals);
    if (language.terms)
        addGlossary(translation, source, check, language, item, found.findings);
    if (checker)
        addSpelling(translation, source, check, tables, *checker, found.findings);
    if (checker || check.fitRule || language.terms) {
        std::stable_sort(found.findings.begin(), found.findings.end(),
                         [](const TranslationFinding& a, const TranslationFinding& b) {
                             return a.entry < b.entry;
                         });
    }
    for (const TranslationFinding& finding : found.findings) {
        std::string what = finding.what;
        if (finding.untranslated)
            what += ' ' + EntryTextJson(source.EntryText[std::size_t(finding.entry)], tables);
        if (check.json)
            totals.json.push_back(FindingJson(item, finding.entry,
                                              finding.kind.empty() ? "other" : finding.kind, what));
        else
            io.out << (prefixed ? std::to_string(item) + ":" : "") << finding.entry + 1 << ": "
                   << what << '\n';
    }
    totals.findings += static_cast<int>(found.findings.size());
    totals.translated += found.translated;
    totals.entries += found.entries;
    if (check.consistency)
        AddTranslatedEntries(ConsistencyBank(item), EntryTexts(source), EntryTexts(translation),
                             recordsOf(language, check.game == 2, item), language.translated);
}

// "31:4" for an entry of item 31, counted from 0.
std::string placeText(const EntryPlace& place) {
    return place.bank + ":" + std::to_string(place.entry + 1);
}

// One source translated in several ways, and one translation of several sources, across the
// banks checked; each finding at its first place, naming every place.
void reportConsistency(CommandIo io, const CheckArguments& check, const CharacterTables& tables,
                       const LanguageContext& language, Totals& totals) {
    for (const ConsistencyFinding& finding : FindInconsistencies(language.translated)) {
        const bool bySource = finding.kind == ConsistencyKind::SeveralTranslations;
        std::string what =
            (bySource ? "the source " : "the translation ") + EntryTextJson(finding.text, tables) +
            (bySource ? " is translated " + std::to_string(finding.variants.size()) + " ways: "
                      : " is given to " + std::to_string(finding.variants.size()) + " sources: ");
        nlohmann::ordered_json variants = nlohmann::ordered_json::array();
        for (const ConsistencyVariant& variant : finding.variants) {
            what += (&variant == &finding.variants.front() ? "" : "; ") +
                    EntryTextJson(variant.text, tables) + " at ";
            nlohmann::ordered_json places = nlohmann::ordered_json::array();
            for (const EntryPlace& place : variant.places) {
                what += (&place == &variant.places.front() ? "" : ", ") + placeText(place);
                places.push_back({{"item", std::stoi(place.bank)}, {"entry", place.entry + 1}});
            }
            variants.push_back({{"text", EntryText(variant.text, tables)}, {"places", places}});
        }
        const EntryPlace& first = finding.variants.front().places.front();
        if (check.json) {
            auto json = FindingJson(std::stoi(first.bank), first.entry,
                                    bySource ? "consistency-source" : "consistency-target", what);
            json["variants"] = std::move(variants);
            totals.json.push_back(std::move(json));
        } else {
            io.out << placeText(first) << ": " << what << '\n';
        }
        ++totals.findings;
    }
}

// Every dialogue bank of the --to language against its bank of the --from language; the exit
// code after saying what kept it from checking, -1 when it could.
int checkArchive(CommandIo io, const CheckArguments& check, Totals& totals,
                 LanguageContext& language) {
    const bool isVersion2 = check.game == 2;
    const std::string& archive = check.archive;
    CommandState state;
    state.program.Files = &io.files;
    if (const std::string problem = openArchive(state, check.characters, archive, isVersion2);
        !problem.empty())
        return fail(io, problem);
    if (const std::string absent =
            absentLanguage(state, archive, isVersion2, {check.from, check.to});
        !absent.empty())
        return usageError(io, "check", absent);
    std::unique_ptr<SpellChecker> checker;
    if (check.spelling && !(checker = openSpelling(io, check, check.to, state)))
        return Trouble;
    for (const BankPair& pair : dialogueBanks(state, isVersion2, check.from, check.to)) {
        auto banks = loadBankPair(state, archive, pair, isVersion2);
        if (!banks)
            return fail(io, banks.message());
        report(io, pair.target, true, *banks->target, *banks->source, check,
               state.program.Characters, checker.get(), totals, language);
    }
    if (check.consistency)
        reportConsistency(io, check, state.program.Characters, language, totals);
    return -1;
}

int checkFiles(CommandIo io, const CheckArguments& check, Totals& totals,
               LanguageContext& language) {
    // Each side has a state of its own: a document, and the archive it may come from.
    auto translation = std::make_unique<CommandState>();
    auto source = std::make_unique<CommandState>();
    TextSource named;
    for (const auto& [state, name] :
         {std::pair{translation.get(), check.translation}, std::pair{source.get(), check.source}}) {
        state->program.Files = &io.files;
        bool wrongName = false;
        if (const std::string problem =
                loadNamedText(*state, check.characters, name, check.game == 2,
                              state == translation.get() ? &named : nullptr, &wrongName);
            !problem.empty())
            return wrongName ? usageError(io, "check", problem) : fail(io, problem);
    }
    std::unique_ptr<SpellChecker> checker;
    if (check.spelling &&
        !(checker = openSpelling(io, check,
                                 BankLanguage(translation->open.Document.Origin, check.game == 2),
                                 *translation)))
        return Trouble;
    report(io, named.item, false, translation->open.Document, source->open.Document, check,
           translation->program.Characters, checker.get(), totals, language);
    return -1;
}

// "97 translated, 3 need review, 12 reviewed, 8 untranslated"
std::string stateCounts(const Totals& totals) {
    const int review = totals.states.count(EntryState::NeedsReview);
    return std::to_string(totals.states.count(EntryState::Translated)) + " translated, " +
           std::to_string(review) + (review == 1 ? " needs review, " : " need review, ") +
           std::to_string(totals.states.count(EntryState::Reviewed)) + " reviewed, " +
           std::to_string(totals.states.count(EntryState::Untranslated)) + " untranslated";
}

// The project the check counts by, and the glossary (--glossary, else the project's): false
// after saying why one cannot be used.
bool openLanguageChecks(CommandIo io, const CheckArguments& check, OpenedProject& project,
                        LanguageContext& language) {
    const bool isVersion2 = check.game == 2;
    if (!check.project.empty()) {
        ProjectWork work{check.archive, check.game, check.from, check.to};
        if (work.archive.empty()) {
            const auto source = ParseTextSource(io.files, check.source);
            const auto translation = ParseTextSource(io.files, check.translation);
            if (!translation || !translation->inArchive()) {
                usageError(io, "check",
                           "--project goes with the project's archive: ARCHIVE --from LANG --to "
                           "LANG, or the translation as an item of it");
                return false;
            }
            work = {translation->path, check.game,
                    source && source->inArchive() && source->path == translation->path
                        ? ItemLanguage(isVersion2, source->item)
                        : -1,
                    ItemLanguage(isVersion2, translation->item)};
        }
        bool usage = false;
        if (const std::string problem = openProject(io.files, check.project, work, project, usage);
            !problem.empty()) {
            usage ? usageError(io, "check", problem) : fail(io, problem);
            return false;
        }
        for (const std::string& line : projectProblemLines(project, 10))
            note(io, "note: " + line + " (the entry is counted as its texts say)");
        language.project = &project;
    }
    std::string glossary = check.glossary;
    if (glossary.empty() && language.project && !project.project().glossary.empty())
        glossary = ResolveProjectPath(check.project, project.project().glossary);
    if (glossary.empty())
        return true;
    const int from = language.project ? project.project().sourceLanguage : check.from;
    const int to = language.project ? project.project().targetLanguage : check.to;
    auto read = ReadGlossaryFile(io.files, glossary, PoLanguageCode(from), PoLanguageCode(to));
    if (!read) {
        fail(io, read.message());
        return false;
    }
    for (const std::string& problem : read->problems)
        note(io, "note: " + glossary + ": " + problem);
    language.glossary = std::move(read->glossary);
    language.terms = std::make_unique<TermIndex>(language.glossary.terms);
    return true;
}

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "check",
                                       {GameOption, CharsetOption, FromOption, ToOption,
                                        MaxLinesOption, UntranslatedOption, SpellingOption,
                                        LanguageOption, FitOption, ProjectOption, GlossaryOption,
                                        ConsistencyOption, JsonOption, OutputOption},
                                       argv, args);
        stop >= 0)
        return stop == Success ? Success : Trouble;
    CheckArguments check;
    if (const std::string usage = parse(args, io.files, check); !usage.empty()) {
        usageError(io, "check", usage);
        return Trouble;
    }
    io.settings.output = args.value(OutputOption.name);
    // The editor's display font and the letters its codes are drawn as there.
    std::unique_ptr<FontWidths> widths;
    std::optional<TextFit> rule;
    std::optional<EntryFit> fit;
    if (check.fit) {
        auto opened = FontWidths::openDisplayFont();
        if (!opened) {
            fail(io, opened.message());
            return Trouble;
        }
        widths = std::move(*opened);
        rule.emplace(widths->fit());
        fit.emplace(EntryFit{*rule, DisplayLetters(check.characters.charset
                                                       ? *check.characters.charset
                                                       : CharacterSets[WesternCharacterSetIndex],
                                                   widths->gameFont())});
        check.fitRule = &*fit;
    }
    Totals totals;
    OpenedProject project;
    LanguageContext language;
    if (!check.project.empty() || !check.glossary.empty())
        if (!openLanguageChecks(io, check, project, language))
            return Trouble;
    if (const int stopped = check.archive.empty() ? checkFiles(io, check, totals, language)
                                                  : checkArchive(io, check, totals, language);
        stopped >= 0)
        return Trouble;
    if (check.json) {
        nlohmann::ordered_json counts{{"findings", totals.findings},
                                      {"translated", totals.translated},
                                      {"entries", totals.entries}};
        if (language.project)
            counts["states"] = {{"translated", totals.states.count(EntryState::Translated)},
                                {"needsReview", totals.states.count(EntryState::NeedsReview)},
                                {"reviewed", totals.states.count(EntryState::Reviewed)},
                                {"untranslated", totals.states.count(EntryState::Untranslated)}};
        io.out << FindingsJson(std::move(totals.json), std::move(counts));
    } else if (language.project) {
        io.out << totals.findings << (totals.findings == 1 ? " finding; " : " findings; ")
               << stateCounts(totals) << '\n';
    } else {
        io.out << totals.findings << (totals.findings == 1 ? " finding; " : " findings; ")
               << totals.translated << " of " << totals.entries
               << (totals.entries == 1 ? " entry" : " entries") << " translated\n";
    }
    return totals.findings > 0 ? Found : Clean;
}

} // namespace

const Command CheckCommand{
    "check",
    "check a translation against its source, entry by entry",
    {
        {"zyntext check --from SOURCE --to TRANSLATION --game 1|2 [--charset NAME] "
         "[--max-lines N] [--fit] [--untranslated] [--spelling [--language LANG]] "
         "[--project FILE] [--glossary FILE] [--json] [-o FILE]",
         "zyntext check ARCHIVE --from LANG --to LANG --game 1|2 [--charset NAME] "
         "[--max-lines N] [--fit] [--untranslated] [--spelling [--language LANG]] "
         "[--project FILE] [--glossary FILE] [--consistency] [--json] [-o FILE]",
         "zyntext check A B --from LANG --to LANG --game 1|2 [OPTIONS]"},
        {
            "Compares a translation with its source entry by entry, for what translators most "
            "often break, and prints one line per finding, starting with the entry as the "
            "editor numbers it (\"12: \"; \"41:12: \" for item 41 of an archive):",
            "- the control codes (codes below 32 other than line breaks) differ from the "
            "source's in number or order (\"control codes 1 27, the source has 1\");",
            "- a line break or blank at the start or end differs from the source;",
            "- the number of entries differs (at the first entry one of them lacks);",
            "- with --max-lines N, a translation of more than N lines, counting its line breaks "
            "alone;",
            "- with --fit, an entry that takes more lines than the game's box shows (\"12: "
            "takes 12 lines, the box shows 10\"), wrapped at the box's width as the editor's "
            "preview wraps it, by the same rule and the same font's widths as the editor's "
            "\"does not fit\": the games' font when fontconfig knows it, else fontconfig's "
            "sans-serif font, at 38 pixels;",
            "- with --untranslated, an entry still equal to its source (or empty where the "
            "source is not), listed with the source's text;",
            "- with --spelling, the words the dictionary of the translation's language does "
            "not know (\"unknown words \"mainenant\", \"bonjur\"\"), save those that stand as "
            "they are in the source (names), and those added to the editor's dictionary;",
            "- with --glossary FILE (or a --project's glossary), a translated entry whose "
            "source has a term whose translation it lacks (\"the source has \"the Captain\", "
            "the translation lacks \"le Capitaine\"\"; a do-not-translate term must stand as "
            "it is), whole words only, in the case the term says; inflections are not matched "
            "(\"Captains\" is not \"Captain\");",
            "- with --consistency, across every bank of the archive's --to language, one source "
            "translated in several ways and one translation given to several sources, at the "
            "first place, naming every place (\"31:1: the source \"Yes\" is translated 2 "
            "ways: \"Oui\" at 31:1, 35:4; \"Ouais\" at 33:2\").",
            "A last line gives the count: \"N findings; T of M entries translated\", where M "
            "counts the source's entries that hold text and T those the translation changed. "
            "With --project FILE, the translation project of the archive, states decide instead: "
            "--untranslated finds the entries whose state is untranslated, so a line kept as its "
            "source on purpose is none, and the last line counts them by state: \"N findings; "
            "97 translated, 3 need review, 12 reviewed, 8 untranslated\".",
            "The pair is named source first, as everywhere: --from SOURCE --to TRANSLATION, "
            "each a text file, an archive's item as ARCHIVE:N (N counted from 0) or \"-\" for "
            "standard input. With an ARCHIVE and --from and --to naming languages (EN, FR, DE, "
            "SP, IT, PO), every dialogue bank of the --to language is checked against the same "
            "bank of the --from language; a language the archive has no banks of is wrong "
            "usage, naming those it holds. Two names A B without --from and --to are refused, "
            "as nothing tells which is the source; with --from LANG --to LANG they are told "
            "apart by the languages their names or items say (FR_000.DIA, text.hqr:31).",
            "With --json, one JSON document instead: {\"findings\": [{\"item\": 31, "
            "\"entry\": 12, \"kind\": \"control-codes\", \"message\": \"control codes 2 1, "
            "the source has 1 2\"}, ...], \"counts\": {\"findings\": N, \"translated\": T, "
            "\"entries\": M}} (with --project also \"states\": {\"translated\": ..., "
            "\"needsReview\": ..., \"reviewed\": ..., \"untranslated\": ...}). item is the "
            "translation's item (null for a file); kind is \"control-codes\", \"edge\", "
            "\"entries\", \"lines\", \"fit\", \"untranslated\", \"spelling\", \"glossary\", "
            "\"consistency-source\" (a source translated several ways) or "
            "\"consistency-target\" (a translation of several sources), these two with "
            "\"variants\": [{\"text\": ..., \"places\": [{\"item\": 31, \"entry\": 1}, "
            "...]}, ...].",
        },
        {
            {"--game 1|2", "the game the texts belong to"},
            {"--from SOURCE|LANG", "the source: a text file, or the language of the sources in "
                                   "an archive"},
            {"--to TRANSLATION|LANG", "the translation: a text file, or the language of the "
                                      "translations in an archive"},
            {"--charset NAME", "texts in the letters of a character set ('zyntext charsets' "
                               "lists them); without it every character beyond ASCII is written "
                               "as \\uXXXX"},
            {"--max-lines N", "a translation of more than N lines is a finding; this counts "
                              "the line breaks typed, not the lines a long line wraps into "
                              "(see --fit)"},
            {"--fit", "an entry that takes more lines in the game's box than it shows, "
                      "wrapped in the editor's display font, is a finding"},
            {"--untranslated", "an entry still equal to its source (or empty) is a finding too, "
                               "listed with the source's text"},
            {"--spelling", "words the Hunspell dictionary of the language does not know are "
                           "findings; the language is the bank's (--to, or a name such as "
                           "FR_000.DIA) unless --language says it; dictionaries are looked for in "
                           "the folders of $DICPATH and in /usr/share/hunspell"},
            {"--language LANG", "the language to spell-check in: EN, FR, DE, SP, IT or PO"},
            {"--project FILE", "the translation project of the archive: untranslated means its "
                               "state, and the entries are counted by state"},
            {"--glossary FILE", "a glossary (.csv, .tsv or .tbx): the terms a translation lacks "
                                "are findings; the project's glossary when not given"},
            {"--consistency", "texts translated in several ways across the banks of an archive "
                              "are findings"},
            {"--json", "print one JSON document"},
            {"-o, --output FILE", "write the findings to FILE instead of standard output"},
        },
        {
            "Exit status: 0 no findings, 1 findings, 2 trouble (wrong usage, a file that "
            "cannot be read, a language or item the archive does not have, a missing "
            "dictionary, no font to measure with, output that cannot be written).",
        },
    },
    run,
    Trouble,
};

} // namespace zyn::cli
