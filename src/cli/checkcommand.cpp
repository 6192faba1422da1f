#include "characters/charactersets.h"
#include "cli/archivebanks.h"
#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/jsontext.h"
#include "document/translationcheck.h"
#include "flows/programstate.h"
#include "spelling/spellchecker.h"

#include <algorithm>
#include <memory>
#include <string>

namespace zyn::cli {

namespace {

// For a CI job: 0 no findings, 1 findings, 2 trouble (wrong usage included).
constexpr int Clean = 0;
constexpr int Found = 1;
constexpr int Trouble = 2;

struct CheckArguments {
    std::vector<std::string> names;
    int game = 0;
    int from = -1, to = -1; // the archive form
    CharacterOptions characters;
    TranslationCheckOptions options;
    bool spelling = false;
    int language = -1; // --language; else the bank's
};

std::string parse(Arguments args, CheckArguments& out) {
    if (std::string usage = takeRequiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = takeCharset(args, out.characters.charset); !usage.empty())
        return usage;
    if (std::string usage = takeLanguages(args, out.game == 2, out.from, out.to); !usage.empty())
        return usage;
    const Option maxLines = takeOption(args, "--max-lines");
    if (maxLines.found) {
        if (maxLines.value.empty() || maxLines.value.size() > 4 ||
            maxLines.value.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(maxLines.value) == 0)
            return "--max-lines takes a number of lines from 1";
        out.options.maxLines = std::stoi(maxLines.value);
    }
    out.options.untranslated = takeFlag(args, "--untranslated");
    out.spelling = takeFlag(args, "--spelling");
    const Option language = takeOption(args, "--language");
    if (language.found) {
        out.language = FindSpellingLanguage(language.value);
        if (out.language < 0)
            return "--language takes EN, FR, DE, SP, IT or PO";
        if (!out.spelling)
            return "--language goes with --spelling";
    }
    if (std::string usage = unknownOption(args); !usage.empty())
        return usage;
    if (out.from >= 0 && args.size() != 1)
        return "one archive is required with --from and --to";
    if (out.from < 0 && args.size() != 2)
        return "a translation and its source are required, or an archive with --from and --to";
    out.names = args;
    return {};
}

struct Totals {
    int findings = 0, translated = 0, entries = 0;
};

// The dictionary of the language asked for, else of the bank's; nothing after saying why.
std::unique_ptr<SpellChecker> openSpelling(CommandIo io, const CheckArguments& check,
                                           int bankLanguage, ProgramState& state) {
    const int language = check.language >= 0 ? check.language : bankLanguage;
    if (language < 0) {
        usageError(io, "check",
                   "--spelling needs --language LANG: the translation's name has no language");
        return nullptr;
    }
    auto checker =
        SpellChecker::open(state.files(), language, DictionaryFolders(), PersonalWordFolder());
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
        findings.push_back({i, what});
    }
}

// The findings of one bank, each line starting with its entry ("12: ", "41:12: ").
void report(CommandIo io, const std::string& prefix, const TextDocument& translation,
            const TextDocument& source, const CheckArguments& check, const CharacterTables& tables,
            SpellChecker* checker, Totals& totals) {
    TranslationCheck found = CheckTranslation(translation, source, check.options);
    if (checker) {
        addSpelling(translation, source, check, tables, *checker, found.findings);
        std::stable_sort(found.findings.begin(), found.findings.end(),
                         [](const TranslationFinding& a, const TranslationFinding& b) {
                             return a.entry < b.entry;
                         });
    }
    for (const TranslationFinding& finding : found.findings) {
        io.out << prefix << finding.entry + 1 << ": " << finding.what;
        if (finding.untranslated)
            io.out << ' ' << EntryTextJson(source.EntryText[std::size_t(finding.entry)], tables);
        io.out << '\n';
    }
    totals.findings += static_cast<int>(found.findings.size());
    totals.translated += found.translated;
    totals.entries += found.entries;
}

// Every dialogue bank of the --to language against its bank of the --from language; false
// after saying what kept it from checking.
bool checkArchive(CommandIo io, const CheckArguments& check, Totals& totals) {
    const bool isVersion2 = check.game == 2;
    const std::string& archive = check.names[0];
    ProgramState state;
    if (const std::string problem = openArchive(state, check.characters, archive, isVersion2);
        !problem.empty()) {
        fail(io, problem);
        return false;
    }
    std::unique_ptr<SpellChecker> checker;
    if (check.spelling && !(checker = openSpelling(io, check, check.to, state)))
        return false;
    for (const BankPair& pair : dialogueBanks(state, isVersion2, check.from, check.to)) {
        auto translation = loadItem(state, archive, pair.target, isVersion2);
        // A blank source bank has no entries: the count of entries tells.
        auto source = pair.source >= state.Archive.itemCount() ||
                              state.Archive.ItemData[std::size_t(pair.source)].empty()
                          ? std::make_unique<TextDocument>()
                          : loadItem(state, archive, pair.source, isVersion2);
        if (!translation || !source) {
            fail(io, (!translation ? translation : source).message());
            return false;
        }
        report(io, std::to_string(pair.target) + ":", **translation, **source, check,
               state.Characters, checker.get(), totals);
    }
    return true;
}

bool checkFiles(CommandIo io, const CheckArguments& check, Totals& totals) {
    // Each side has a state of its own: a document, and the archive it may come from.
    auto translation = std::make_unique<ProgramState>();
    auto source = std::make_unique<ProgramState>();
    for (const auto& [state, name] :
         {std::pair{translation.get(), check.names[0]}, std::pair{source.get(), check.names[1]}})
        if (const std::string problem =
                loadNamedText(*state, check.characters, name, check.game == 2);
            !problem.empty()) {
            fail(io, problem);
            return false;
        }
    std::unique_ptr<SpellChecker> checker;
    if (check.spelling &&
        !(checker =
              openSpelling(io, check, BankLanguage(translation->Document.Origin, check.game == 2),
                           *translation)))
        return false;
    report(io, "", translation->Document, source->Document, check, translation->Characters,
           checker.get(), totals);
    return true;
}

int run(const Arguments& args, CommandIo io) {
    CheckArguments check;
    if (const std::string usage = parse(args, check); !usage.empty()) {
        usageError(io, "check", usage);
        return Trouble;
    }
    Totals totals;
    if (!(check.from >= 0 ? checkArchive(io, check, totals) : checkFiles(io, check, totals)))
        return Trouble;
    io.out << totals.findings << (totals.findings == 1 ? " finding; " : " findings; ")
           << totals.translated << " of " << totals.entries
           << (totals.entries == 1 ? " entry" : " entries") << " translated\n";
    return totals.findings > 0 ? Found : Clean;
}

} // namespace

const Command CheckCommand{
    "check",
    "check a translation against its source, entry by entry",
    "Usage: zyntext check TRANSLATION SOURCE --game 1|2 [--charset NAME] [--max-lines N]\n"
    "                     [--untranslated] [--spelling [--language LANG]]\n"
    "       zyntext check ARCHIVE --game 1|2 --from LANG --to LANG [--charset NAME]\n"
    "                     [--max-lines N] [--untranslated] [--spelling [--language LANG]]\n"
    "\n"
    "Compares a translation with its source entry by entry, for what translators most\n"
    "often break, and prints one line per finding, starting with the entry as the editor\n"
    "numbers it (\"12: \"; \"41:12: \" for item 41 of an archive):\n"
    "  - the control codes (codes below 32 other than line breaks) differ from the\n"
    "    source's in number or order (\"control codes 1 27, the source has 1\");\n"
    "  - a line break or blank at the start or end differs from the source;\n"
    "  - the number of entries differs (at the first entry one of them lacks);\n"
    "  - the translation holds what a PO tool leaves in place of one: a PO header's\n"
    "    fields, or a conflict block of msgcat (\"#-#-#-#-#\" lines);\n"
    "  - with --max-lines N, a translation of more than N lines;\n"
    "  - with --spelling, the words the dictionary of the translation's language does\n"
    "    not know (\"unknown words \"mainenant\", \"bonjur\"\"), save those that stand\n"
    "    as they are in the source (names), and those added to the editor's dictionary.\n"
    "A last line gives the count: \"N findings; T of M entries translated\", where M counts\n"
    "the source's entries that hold text and T those the translation changed.\n"
    "TRANSLATION and SOURCE are text files, or an archive's items as ARCHIVE:N (N counted\n"
    "from 0). With --from and --to (EN, FR, DE, SP, IT, PO), every dialogue bank of the\n"
    "--to language of ARCHIVE is checked against the same bank of the --from language.\n"
    "\n"
    "Options:\n"
    "  --game 1|2        the game the texts belong to\n"
    "  --charset NAME    texts in the letters of a character set ('zyntext charsets'\n"
    "                    lists them); without it every character beyond ASCII is\n"
    "                    written as \\uXXXX\n"
    "  --max-lines N     a translation of more than N lines is a finding\n"
    "  --untranslated    an entry still equal to its source (or empty) is a finding too,\n"
    "                    listed with the source's text\n"
    "  --spelling        words the Hunspell dictionary of the language does not know are\n"
    "                    findings; the language is the bank's (--to, or a name such as\n"
    "                    FR_000.DIA) unless --language says it\n"
    "  --language LANG   the language to spell-check in: EN, FR, DE, SP, IT or PO\n"
    "  --from LANG       the language of the sources in an archive\n"
    "  --to LANG         the language of the translations in an archive\n"
    "\n"
    "Exit status: 0 no findings, 1 findings, 2 trouble (wrong usage, a file that cannot\n"
    "be read, a missing dictionary, output that cannot be written).\n",
    run,
    Trouble,
};

} // namespace zyn::cli
