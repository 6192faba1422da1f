#pragma once

// What a word is, for every part of the program that cuts text into words: spelling, the
// translation memory, whole-word search, word counts and glossary terms. It lives at the bottom
// layer because the memory reads game codes in the document layer and spelling reads letters
// above it; both ask the same questions of a character.
//
// A character is a letter (Latin, Greek, Cyrillic, Hebrew, Arabic, Thai: the alphabets the
// character sets show, with the marks set on their letters), a digit, a joiner (an apostrophe or a
// hyphen), a blank, or a mark (anything else: punctuation, control codes). A run is letters and
// digits together, a joiner between two letters of a run without digits joining it ("l'homme",
// "peut-être"). A run without digits is a word; one with a digit ("2nd", "A4") is a number, which
// no dictionary is asked about. Every other character but a blank is a mark of its own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

enum class CharClass : std::uint8_t { Blank, Letter, Digit, Joiner, Mark };

CharClass ClassOf(char32_t c);
bool IsWordLetter(char32_t c);
bool IsApostrophe(char32_t c);
// What a whole word cannot be cut inside: a letter or a digit. A joiner is a word's edge, so
// "homme" is a whole word of "l'homme" and "Merrow" of "Merrow's".
inline bool IsWordCharacter(CharClass c) {
    return c == CharClass::Letter || c == CharClass::Digit;
}

enum class TokenKind : std::uint8_t { Word, Number, Mark };

struct Token {
    std::size_t start = 0; // in characters of the text
    std::size_t length = 0;
    TokenKind kind = TokenKind::Word;
};

// The tokens of a text given as the class of each of its characters, in order.
std::vector<Token> SplitTokens(std::span<const CharClass> classes);
std::vector<Token> SplitTokens(std::u32string_view text);

struct WordSpan {
    std::size_t start = 0; // in characters of the text
    std::size_t length = 0;
};

// The words alone, what a dictionary is asked about.
std::vector<WordSpan> SplitWords(std::u32string_view text);

// The words and numbers of a text: what a translator counts as its words.
std::size_t CountWords(std::span<const CharClass> classes);

// The pieces of a word joined by apostrophes, each elided piece with its apostrophe ("l'",
// "homme"): what is looked up when the whole word is unknown.
std::vector<std::u32string_view> ElisionPieces(std::u32string_view word);

// Game codes read through a character set: the class of the letter each code shows.
using CodeClasses = std::array<CharClass, 256>;

// For codes whose character set is not known: codes below 128 as the characters of the same
// number, every code from 128 up a letter (most of them show accented letters in every set).
const CodeClasses& UnknownSetCodeClasses();

std::vector<CharClass> ClassesOfCodes(std::string_view codes, const CodeClasses& classes);
std::vector<CharClass> ClassesOf(std::u32string_view text);

} // namespace zyn
