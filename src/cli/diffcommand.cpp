#include "cli/characteroptions.h"
#include "cli/command.h"
#include "cli/jsontext.h"
#include "flows/programstate.h"

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
};

std::string parse(Arguments args, DiffArguments& out) {
    if (std::string usage = takeRequiredGame(args, out.game); !usage.empty())
        return usage;
    if (std::string usage = takeCharacterOptions(args, out.characters); !usage.empty())
        return usage;
    if (std::string usage = unknownOption(args); !usage.empty())
        return usage;
    if (args.size() != 2)
        return "two text files to compare are required";
    out.a = args[0];
    out.b = args[1];
    return {};
}

void printText(CommandIo io, char side, const ProgramState& state, int i) {
    io.out << side << ' ' << EntryTextJson(state.Document.EntryText[i], state.Characters) << '\n';
}

int run(const Arguments& args, CommandIo io) {
    DiffArguments diff;
    if (const std::string usage = parse(args, diff); !usage.empty()) {
        usageError(io, "diff", usage);
        return Trouble;
    }
    // Each side has a state of its own: a document, and the archive it may come from.
    auto a = std::make_unique<ProgramState>();
    auto b = std::make_unique<ProgramState>();
    for (const auto& [state, name] : {std::pair{a.get(), diff.a}, std::pair{b.get(), diff.b}})
        if (const std::string problem =
                loadNamedText(*state, diff.characters, name, diff.game == 2);
            !problem.empty()) {
            fail(io, problem);
            return Trouble;
        }

    const TextDocument &docA = a->Document, &docB = b->Document;
    const int countA = docA.entryCount(), countB = docB.entryCount();
    int differing = 0;
    for (int i = 0; i < std::max(countA, countB); ++i) {
        const bool inA = i < countA, inB = i < countB;
        const bool typeChanged = inA && inB && docA.EntryType[i] != docB.EntryType[i];
        if (inA && inB && !typeChanged && docA.EntryText[i] == docB.EntryText[i])
            continue;
        ++differing;
        io.out << "entry " << i + 1;
        if (!inB)
            io.out << ": only in " << diff.a;
        else if (!inA)
            io.out << ": only in " << diff.b;
        else if (typeChanged)
            io.out << ": type " << int{docA.EntryType[i]} << " -> " << int{docB.EntryType[i]};
        io.out << '\n';
        if (inA)
            printText(io, '-', *a, i);
        if (inB)
            printText(io, '+', *b, i);
    }
    if (differing == 0)
        return Same;
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
    "Usage: zyntext diff A B --game 1|2 [--charset NAME] [--remap TABLE]\n"
    "\n"
    "Compares the text files A and B entry by entry. Either may name an archive's item as\n"
    "ARCHIVE:N (N counted from 0); a name that exists is always taken as a file.\n"
    "\n"
    "For each entry that differs it prints a block: a line with the entry's number as the\n"
    "editor numbers it (from 1), with its old and new type when the type changed, then its\n"
    "text in A after \"- \" and in B after \"+ \". An entry that only one file has is marked\n"
    "\"only in\" that file. Texts are written as JSON strings, as 'zyntext dump' writes them\n"
    "(without --charset every character beyond ASCII is written as \\uXXXX). When any\n"
    "entries differ, a last line gives their count and any change in the number of\n"
    "entries. Nothing is printed when the files hold the same entries.\n"
    "\n"
    "Options:\n"
    "  --game 1|2      the game both files belong to\n" ZYN_CHARACTER_OPTIONS_HELP "\n"
    "Exit status, as diff(1): 0 the same, 1 different, 2 trouble (also when the output\n"
    "could not be written).\n",
    run,
    Trouble,
};

} // namespace zyn::cli
