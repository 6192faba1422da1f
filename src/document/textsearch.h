#pragma once

// Finding and replacing text in entries. Entries are bytes of the games' font; a search reads
// them as the letters the current character set shows, which the caller describes in a
// SearchLetters, and the searched text comes as bytes of that same character set.

#include "base/words.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zyn {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWords = false;
};

// The letters of a character set: every byte folded to the byte of the same letter in one case
// (itself when it has no other case), and the class of each byte's letter to words
// (base/words.h; characters/wordletters.h makes both from a set). A whole word is a match whose
// edges cut no run of letters and digits: joiners are edges, so "homme" is a whole word of
// "l'homme" as the glossary finds it.
struct SearchLetters {
    std::array<std::uint8_t, 256> folded{};
    CodeClasses classes{};
};

// The position of the first match of needle in text at or after from, or npos. An empty needle
// matches nothing.
std::size_t FindText(std::string_view text, std::string_view needle, const SearchOptions& options,
                     const SearchLetters& letters, std::size_t from = 0);

// text with every match of needle replaced, left to right, matches not overlapping; count
// receives how many were replaced.
std::string ReplaceText(std::string_view text, std::string_view needle,
                        std::string_view replacement, const SearchOptions& options,
                        const SearchLetters& letters, int& count);

// The first entry after current (before it when backwards), wrapping round, for which matches
// holds; current itself is tried last. -1 when no entry of the count matches.
int NextMatchingEntry(int count, int current, bool forward,
                      const std::function<bool(int)>& matches);

} // namespace zyn
