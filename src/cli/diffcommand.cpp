#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/commandstate.h"
#include "cli/jsontext.h"
#include "flows/textsource.h"

#include <algorithm>
#include <memory>
#include <string>

namespace zyn::cli {

namespace {

// As diff(1): 0 the same, 1 different, 2 trouble (wrong usage included).
constexpr int Same = 0;
constexpr int Different = 1;
constexpr int Trouble = 2;

struct DiffArguments {
    std::string a, b;
    int game = 0;
    CharacterOptions characters;
    bool json = false;
};

const OptionSpec JsonOption{"json"};

std::string parse(const ParsedArguments& args, DiffArguments& out) {
    if (std::string usage = requiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = characterOptionsOf(args, out.characters); !usage.empty())
        return usage;
    out.json = args.has(JsonOption.name);
    if (args.operands.size() != 2)
        return "two text files to compare are required";
    out.a = args.operands[0];
    out.b = args.operands[1];
    return standardInputOnce({out.a, out.b, out.characters.remap});
}

void printText(CommandIo io, char side, const CommandState& state, int i) {
    io.out << side << ' '
           << EntryTextJson(state.open.Document.EntryText[i], state.program.Characters) << '\n';
}

int run(const Arguments& argv, CommandIo io) {
    ParsedArguments parsed;
    if (const int stop = readArguments(
            io, "diff", {GameOption, CharsetOption, RemapOption, JsonOption, OutputOption}, argv,
            parsed);
        stop >= 0)
        return stop;
    DiffArguments diff;
    if (const std::string usage = parse(parsed, diff); !usage.empty()) {
        usageError(io, "diff", usage);
        return Trouble;
    }
    io.settings.output = parsed.value(OutputOption.name);
    // Each side has a state of its own: a document, and the archive it may come from.
    auto a = std::make_unique<CommandState>();
    auto b = std::make_unique<CommandState>();
    TextSource sourceA;
    for (const auto& [state, name] : {std::pair{a.get(), diff.a}, std::pair{b.get(), diff.b}}) {
        state->program.Files = &io.files;
        bool wrongName = false;
        if (const std::string problem =
                loadNamedText(*state, diff.characters, name, diff.game == 2,
                              state == a.get() ? &sourceA : nullptr, &wrongName);
            !problem.empty()) {
            if (wrongName)
                usageError(io, "diff", problem);
            else
                fail(io, problem);
            return Trouble;
        }
    }

    const TextDocument &docA = a->open.Document, &docB = b->open.Document;
    const int countA = docA.entryCount(), countB = docB.entryCount();
    int differing = 0;
    nlohmann::ordered_json findings = nlohmann::ordered_json::array();
    for (int i = 0; i < std::max(countA, countB); ++i) {
        const bool inA = i < countA, inB = i < countB;
        const bool typeChanged = inA && inB && docA.EntryType[i] != docB.EntryType[i];
        if (inA && inB && !typeChanged && docA.EntryText[i] == docB.EntryText[i])
            continue;
        ++differing;
        std::string kind = "text", what;
        if (!inB)
            kind = "only-in-a", what = "only in " + diff.a;
        else if (!inA)
            kind = "only-in-b", what = "only in " + diff.b;
        else if (typeChanged)
            kind = "type", what = "type " + std::to_string(int{docA.EntryType[i]}) + " -> " +
                                  std::to_string(int{docB.EntryType[i]});
        if (diff.json) {
            auto finding =
                FindingJson(sourceA.item, i, kind, what.empty() ? "the text differs" : what);
            finding["a"] =
                inA ? nlohmann::ordered_json(EntryText(docA.EntryText[i], a->program.Characters))
                    : nullptr;
            finding["b"] =
                inB ? nlohmann::ordered_json(EntryText(docB.EntryText[i], b->program.Characters))
                    : nullptr;
            findings.push_back(std::move(finding));
            continue;
        }
        io.out << "entry " << i + 1 << (what.empty() ? "" : ": " + what) << '\n';
        if (inA)
            printText(io, '-', *a, i);
        if (inB)
            printText(io, '+', *b, i);
    }
    if (diff.json)
        io.out << FindingsJson(std::move(findings),
                               {{"differing", differing}, {"a", countA}, {"b", countB}});
    if (differing == 0)
        return Same;
    if (diff.json)
        return Different;
    io.out << differing << (differing == 1 ? " entry differs" : " entries differ");
    if (countA != countB)
        io.out << "; the number of entries changes from " << countA << " to " << countB;
    io.out << '\n';
    return Different;
}

} // namespace

const Command DiffCommand{
    "diff",
    "show the entries that differ between two text files",
    {
        {"zyntext diff A B --game 1|2 [--charset NAME] [--remap TABLE] [--json] [-o FILE]"},
        {
            "Compares the text files A and B entry by entry. Either may name an archive's item "
            "as ARCHIVE:N (N counted from 0); a name that exists is always taken as a file. "
            "Either may be \"-\", standard input.",
            "For each entry that differs it prints a block: a line with the entry's number as "
            "the editor numbers it (from 1), with its old and new type when the type changed, "
            "then its text in A after \"- \" and in B after \"+ \". An entry that only one file "
            "has is marked \"only in\" that file. Texts are written as JSON strings, as "
            "'zyntext dump' writes them (without --charset every character beyond ASCII is "
            "written as \\uXXXX). When any entries differ, a last line gives their count and any "
            "change in the number of entries. Nothing is printed when the files hold the same "
            "entries.",
            "With --json, one JSON document instead, as 'zyntext check --json' prints it: "
            "{\"findings\": [{\"item\": null, \"entry\": 12, \"kind\": \"text\", \"message\": "
            "\"the text differs\", \"a\": \"...\", \"b\": \"...\"}, ...], \"counts\": "
            "{\"differing\": D, \"a\": ENTRIES, \"b\": ENTRIES}}. kind is \"text\", \"type\", "
            "\"only-in-a\" or \"only-in-b\"; item is A's item (ARCHIVE:N), null for a file; a "
            "text a file lacks is null.",
        },
        {
            {"--game 1|2", "the game both files belong to"},
            CharsetHelp,
            RemapHelp,
            {"--json", "print one JSON document"},
            {"-o, --output FILE", "write the differences to FILE instead of standard output"},
        },
        {
            "Exit status, as diff(1): 0 the same, 1 different, 2 trouble (wrong usage, a file "
            "that cannot be read, an item the archive does not have, output that could not be "
            "written).",
        },
    },
    run,
    Trouble,
};

} // namespace zyn::cli
