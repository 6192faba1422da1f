#pragma once

// A text cut into the words a dictionary is asked about.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

struct WordSpan {
    std::size_t start = 0; // in characters of the text
    std::size_t length = 0;
};

// Letters of the alphabets the character sets show: Latin, Greek, Cyrillic and Hebrew.
bool IsWordLetter(char32_t c);
bool IsApostrophe(char32_t c);

// The words of text: runs of letters, an apostrophe or a hyphen between two letters joining
// them ("l'homme", "peut-être"). A run that touches a digit ("2nd", "A4") is no word, and
// anything else (blanks, punctuation, control codes) ends one.
std::vector<WordSpan> SplitWords(std::u32string_view text);

// The pieces of a word joined by apostrophes, each elided piece with its apostrophe ("l'",
// "homme"): what is looked up when the whole word is unknown.
std::vector<std::u32string_view> ElisionPieces(std::u32string_view word);

} // namespace zyn
