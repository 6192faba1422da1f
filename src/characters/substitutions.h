#pragma once

// Stand-ins for characters a character set has no code for: the program's own pairs (œ → oe,
// ’ → ', … → ...), the user's, and, only where the user allows it, a letter with marks written
// as its base letter (ǘ → ü or u, Ł → L). A stand-in is taken only where the set has codes
// for it; a character without one is refused as before.

#include <span>
#include <string>
#include <vector>

namespace zyn {

struct Substitution {
    char32_t letter;
    std::u32string standIn;
};

// The program's own pairs, in the order the substitution window lists them.
std::span<const Substitution> BuiltInSubstitutions();
// Letters with a mark that Unicode does not write as a base letter and a combining mark:
// taken, like the decomposed letters, only when base letters are allowed.
std::span<const Substitution> BaseLetterSubstitutions();

struct Substitutions {
    // The user's own pairs, which come before the program's for the same letter.
    std::vector<Substitution> own;
    // A letter with marks becomes the letter with fewer marks, or none.
    bool baseLetters = false;

    // The stand-in for letter from the user's pairs, then the program's (and those of base
    // letters when they are allowed); null for none.
    const std::u32string* standInFor(char32_t letter) const;
};

// "œ → oe": a replacement as the editor and the tool name it.
std::u32string DescribeSubstitution(std::u32string_view letters, std::u32string_view standIn);

} // namespace zyn
