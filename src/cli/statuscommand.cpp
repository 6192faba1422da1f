#include "characters/charactersets.h"
#include "characters/wordletters.h"
#include "cli/archivebanks.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/commandstate.h"
#include "cli/itemtable.h"
#include "cli/jsontext.h"
#include "flows/archiveitemflow.h"
#include "flows/pocatalog.h"
#include "fonts/fontwidths.h"
#include "project/bankstatus.h"
#include "project/glossaryfile.h"
#include "project/languagechecks.h"
#include "project/languagestatus.h"
#include "project/projectfile.h"
#include "spelling/spellchecker.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zyn::cli {

namespace {

const OptionSpec ProjectOption{"project", 0, "FILE"};
const OptionSpec JsonOption{"json"};
const OptionSpec GlossaryOption{"glossary", 0, "FILE"};

struct StatusArguments {
    std::string archive;
    int game = 0;
    int from = -1, to = -1;
    CharacterOptions characters;
    std::string project;  // "" for none
    std::string glossary; // --glossary; "" for the project's, if any
    bool json = false;
};

std::string parse(const ParsedArguments& args, StatusArguments& out) {
    if (std::string usage = requiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = charsetOf(args, out.characters.charset); !usage.empty())
        return usage;
    if (args.operands.size() != 1)
        return "one archive is shown: zyntext status ARCHIVE --from LANG --to LANG";
    if (!args.has(FromOption.name) || !args.has(ToOption.name))
        return "--from LANG and --to LANG are required: the source and target languages";
    if (std::string usage = languagesOf(args, out.game == 2, out.from, out.to); !usage.empty())
        return usage;
    out.archive = args.operands[0];
    out.project = args.value(ProjectOption.name);
    out.glossary = args.value(GlossaryOption.name);
    out.json = args.has(JsonOption.name);
    for (const std::string* file : {&out.project, &out.glossary})
        if (std::string usage = notStandardInput(*file, "FILE"); !usage.empty())
            return usage;
    return notStandardInput(out.archive, "ARCHIVE");
}

// The project's records, after saying which of its lines were skipped; a usage message (the
// file is for another game or pair) or a failure in problem.
std::optional<TranslationProject> readProject(CommandIo io, const StatusArguments& status,
                                              std::string& usage, std::string& problem) {
    auto parsed = ReadProjectFile(io.files, status.project);
    if (!parsed) {
        problem = parsed.message();
        return std::nullopt;
    }
    for (const ProjectProblem& skipped : parsed->problems)
        note(io, status.project + ": " +
                     (skipped.line > 0 ? "line " + std::to_string(skipped.line) + ": " : "") +
                     skipped.message);
    const TranslationProject& project = parsed->project;
    if (project.game != status.game || project.sourceLanguage != status.from ||
        project.targetLanguage != status.to) {
        usage = status.project + " is a project of ZYN " + std::to_string(project.game) + " from " +
                PoLanguagePrefix(project.sourceLanguage) + " to " +
                PoLanguagePrefix(project.targetLanguage) + ", not ZYN " +
                std::to_string(status.game) + " from " + PoLanguagePrefix(status.from) + " to " +
                PoLanguagePrefix(status.to);
        return std::nullopt;
    }
    return std::move(parsed->project);
}

// The terms of --glossary, else of the project's glossary; none without either, nullptr after
// saying why the file cannot be read.
std::unique_ptr<TermIndex> readTerms(CommandIo io, const StatusArguments& status,
                                     const TranslationProject* project, bool& failed) {
    failed = false;
    std::string path = status.glossary;
    if (path.empty() && project && !project->glossary.empty())
        path = ResolveProjectPath(status.project, project->glossary);
    if (path.empty())
        return nullptr;
    auto read =
        ReadGlossaryFile(io.files, path, PoLanguageCode(status.from), PoLanguageCode(status.to));
    if (!read) {
        failed = true;
        fail(io, read.message());
        return nullptr;
    }
    for (const std::string& problem : read->problems)
        note(io, path + ": " + problem);
    return std::make_unique<TermIndex>(read->glossary.terms);
}

std::string cell(const std::optional<int>& value) {
    return value ? std::to_string(*value) : "-";
}

nlohmann::ordered_json countsJson(const BankCounts& row) {
    const auto optional = [](const std::optional<int>& value) {
        return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json();
    };
    return {{"entries", row.entries},
            {"words", row.words},
            {"wordsToDo", row.wordsToDo},
            {"untranslated", row.count(EntryState::Untranslated)},
            {"needsReview", row.count(EntryState::NeedsReview)},
            {"translated", row.count(EntryState::Translated)},
            {"reviewed", row.count(EntryState::Reviewed)},
            {"doesNotFit", optional(row.doesNotFit)},
            {"spelling", optional(row.spelling)},
            {"checkFindings", optional(row.checkFindings)},
            {"glossary", optional(row.glossary)},
            {"consistency", optional(row.consistency)},
            {"progress", row.progress()}};
}

std::vector<std::string> tableRow(const std::string& item, const BankCounts& row) {
    return {item,
            row.bank.empty() ? "total" : row.bank,
            std::to_string(row.entries),
            std::to_string(row.wordsToDo),
            std::to_string(row.count(EntryState::Untranslated)),
            std::to_string(row.count(EntryState::NeedsReview)),
            std::to_string(row.count(EntryState::Translated)),
            std::to_string(row.count(EntryState::Reviewed)),
            cell(row.doesNotFit),
            cell(row.spelling),
            cell(row.checkFindings),
            cell(row.glossary),
            cell(row.consistency),
            std::to_string(row.progress()) + "%"};
}

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments args;
    if (const int stop = readArguments(io, "status",
                                       {GameOption, CharsetOption, FromOption, ToOption,
                                        ProjectOption, GlossaryOption, JsonOption, OutputOption},
                                       argv, args);
        stop >= 0)
        return stop;
    StatusArguments status;
    if (const std::string usage = parse(args, status); !usage.empty())
        return usageError(io, "status", usage);
    io.settings.output = args.value(OutputOption.name);

    const bool isVersion2 = status.game == 2;
    CommandState state;
    state.program.Files = &io.files;
    if (const std::string problem =
            openArchive(state, status.characters, status.archive, isVersion2);
        !problem.empty())
        return fail(io, problem);
    if (const std::string absent =
            absentLanguage(state, status.archive, isVersion2, {status.from, status.to});
        !absent.empty())
        return usageError(io, "status", absent);
    std::optional<TranslationProject> project;
    if (!status.project.empty()) {
        std::string usage, problem;
        project = readProject(io, status, usage, problem);
        if (!usage.empty())
            return usageError(io, "status", usage);
        if (!project)
            return fail(io, problem);
    }

    // Texts are read in the letters of --charset, the editor's default set without it.
    const CharacterSet& set = status.characters.charset ? *status.characters.charset
                                                        : CharacterSets[WesternCharacterSetIndex];
    const CodeClasses classes = CodeClassesOf(set.letters);
    BankChecks checks;
    // A column that cannot be filled stays empty, and says why.
    std::unique_ptr<FontWidths> widths;
    std::optional<TextFit> rule;
    std::optional<EntryFit> fit;
    if (auto opened = FontWidths::openDisplayFont()) {
        widths = std::move(*opened);
        rule.emplace(widths->fit());
        fit.emplace(EntryFit{*rule, DisplayLetters(set, widths->gameFont())});
        checks.fit = &*fit;
    } else {
        note(io, "\"does not fit\" is not counted: " + opened.message());
    }
    std::unique_ptr<SpellChecker> checker;
    if (auto opened =
            SpellChecker::open(io.files, status.to, DictionaryFolders(), PersonalWordFolder())) {
        checker = std::move(*opened);
        checks.misspelled = HasUnknownWords(*checker, set.letters);
    } else {
        note(io, "spelling is not counted: " + opened.message());
    }

    bool unreadable = false;
    const std::unique_ptr<TermIndex> terms =
        readTerms(io, status, project ? &*project : nullptr, unreadable);
    if (unreadable)
        return Failure;
    checks.terms = terms.get();
    checks.letters = &set.letters;

    std::vector<BankCounts> rows;
    std::vector<int> items;
    std::vector<ConsistencyEntry> translated;
    if (Status walked = ForEachBankStatus(
            state.program.files(), status.archive, state.open.Archive, state.open.Flow, isVersion2,
            status.from, status.to, project ? &*project : nullptr, classes, checks,
            [&rows, &items](int item, BankCounts row) {
                rows.push_back(std::move(row));
                items.push_back(item);
                return true;
            },
            &translated);
        !walked)
        return fail(io, walked.message());
    SetConsistency(rows, items, translated);
    const BankCounts total = TotalCounts(rows);

    if (status.json) {
        nlohmann::ordered_json banks = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            nlohmann::ordered_json row{{"item", items[i]}, {"bank", rows[i].bank}};
            row.update(countsJson(rows[i]));
            banks.push_back(std::move(row));
        }
        io.out << nlohmann::ordered_json{{"banks", std::move(banks)}, {"counts", countsJson(total)}}
                      .dump()
               << '\n';
        return Success;
    }
    std::vector<std::vector<std::string>> table{{"ITEM", "BANK", "ENTRIES", "WORDS TO DO",
                                                 "UNTRANSLATED", "NEEDS REVIEW", "TRANSLATED",
                                                 "REVIEWED", "DOES NOT FIT", "SPELLING", "FINDINGS",
                                                 "GLOSSARY", "CONSISTENCY", "PROGRESS"}};
    for (std::size_t i = 0; i < rows.size(); ++i)
        table.push_back(tableRow(std::to_string(items[i]), rows[i]));
    table.push_back(tableRow("", total));
    io.out << AlignedRows(table, {true, false, true, true, true, true, true, true, true, true, true,
                                  true, true, true});
    return Success;
}

} // namespace

const Command StatusCommand{
    "status",
    "how far the translation of each bank of an archive is",
    {
        {"zyntext status ARCHIVE --game 1|2 --from LANG --to LANG [--project FILE] "
         "[--glossary FILE] [--charset NAME] [--json] [-o FILE]"},
        {
            "Prints one row for each dialogue bank of the --to language with the same bank of "
            "the --from language, and a last row of totals: the item and the bank's name, its "
            "entries, the words still to do (the source's words of the entries untranslated "
            "or to review), the entries in each state (untranslated, needs review, translated, "
            "reviewed), those that do not fit the game's box, those with words the dictionary "
            "does not know, the findings of 'zyntext check' without options, those lacking a "
            "glossary term, those named by a consistency finding, and the progress by words "
            "(the share of the source's words done, rounded down). These are the numbers of "
            "the editor's project window.",
            "The glossary column counts the translated entries whose translation lacks a term "
            "of their source, as 'zyntext check --glossary' finds them, with the --glossary "
            "file or else the project's glossary; without either it shows \"-\". The "
            "consistency column counts the entries of each bank that 'zyntext check "
            "--consistency' names: one source translated in several ways, or one translation "
            "given to several sources, across every bank of the language; each entry once.",
            "Without --project, an entry that is empty or the same as its source is "
            "untranslated and any other translated; with it, the states the project file "
            "holds for the bank. A project of another game or language pair is refused.",
            "\"Does not fit\" is judged as 'zyntext check --fit' judges it, in the editor's "
            "display font; spelling uses the --to language's Hunspell dictionary, as 'check "
            "--spelling' does. When the font or the dictionary is missing, its column shows "
            "\"-\" and a note says why.",
            "With --json, one JSON document instead: {\"banks\": [{\"item\": 31, \"bank\": "
            "\"FR_000.DIA\", \"entries\": 40, \"words\": 412, \"wordsToDo\": 120, "
            "\"untranslated\": 9, \"needsReview\": 2, \"translated\": 29, \"reviewed\": 0, "
            "\"doesNotFit\": 1, \"spelling\": 3, \"checkFindings\": 0, \"glossary\": 2, "
            "\"consistency\": 1, \"progress\": 70}, ...], \"counts\": {...}}, counts holding "
            "the totals under the same names; a column that could not be filled is null.",
        },
        {
            {"--game 1|2", "the game the archive belongs to"},
            {"--from LANG", "the source language: EN, FR, DE, SP, IT or PO"},
            {"--to LANG", "the target language"},
            {"--project FILE", "the translation project whose states count"},
            {"--glossary FILE", "a glossary (.csv, .tsv or .tbx) for the glossary column; the "
                                "project's glossary when not given"},
            {"--charset NAME", "the character set the texts are read in ('zyntext charsets' "
                               "lists them); the Western set without it"},
            {"--json", "print one JSON document"},
            {"-o, --output FILE", "write the table to FILE instead of standard output"},
        },
        {
            "Exit status: 0 the table was printed, 1 an archive, project or glossary that "
            "cannot be read, 2 wrong usage (a language the archive does not have, a project of "
            "another "
            "pair).",
        },
    },
    run,
};

} // namespace zyn::cli
