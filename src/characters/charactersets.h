#pragma once

// The character sets of the character set selector: for each, the Unicode character that shows
// each of the 256 game codes, and the conversion of texts between codes and characters. The
// editor's display and the command-line tool use the same tables.
//
// Every table is one to one, so a text turns back into exactly the codes it came from. Control
// codes show as the symbols made for showing them (␀ ... ␟, ␡), codes 32 to 126 as themselves in
// every set, and codes a set's code page leaves undefined as distinct stand-ins. In texts, CR LF
// (the line break of entry texts) is the one pair of codes shown as one character, '\n'.

#include "characters/substitutions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zyn {

// The characters of codes 128 to 255.
using UpperLetters = std::array<char16_t, 128>;

class LetterTable {
public:
    explicit constexpr LetterTable(const UpperLetters& upper) : upper_(&upper) {}

    char32_t letter(std::uint8_t code) const;
    // The code that shows letter, or nothing for a character the table never gives.
    std::optional<std::uint8_t> code(char32_t letter) const;

private:
    const UpperLetters* upper_;
};

struct CharacterSet {
    const char* name;    // on the command line: "western"
    const char* caption; // in the selector: "Western European CharSet"
    int fontCharset;     // the font character set the selector gives the display font
    const LetterTable& letters;
};

// In the selector's order.
extern const std::array<CharacterSet, 14> CharacterSets;
inline constexpr std::size_t WesternCharacterSetIndex = 13;

// The set of that command-line name, or nullptr.
const CharacterSet* FindCharacterSet(std::string_view name);

// The letters of code page windows-1252, in which a font with the games' glyphs at the games'
// codes is addressed (the Western set shows the games' own letters instead).
extern const LetterTable Windows1252Letters;
// The letters a set's codes are drawn as: its own, but with the games' font the Western set's
// through windows-1252, where that font has the games' glyphs.
const LetterTable& DisplayLetters(const CharacterSet& set, bool gameFont);

// A text in memory form as characters: each code its letter, each CR LF '\n'.
std::u32string ToLetters(const LetterTable& table, std::string_view codes);

// Characters from outside the program (typed, pasted, read from a file) back into codes. A
// letter (a starter and the marks after it) the table has a code for each character of is
// written as it is, so a text shown from codes comes back as exactly those codes; any other
// is taken in its composed form (NFC), so a letter written as a base letter and combining
// marks is the letter written whole, and written as the table can: composed, or as a base
// letter and marks the table has (the Vietnamese set). Line breaks ('\n', "\r\n", a lone
// '\r', and the line and paragraph separators) become CR LF. With substitutions, a character
// without a code is written as its stand-in where the table has codes for that.
struct Replacement {
    std::u32string letters; // what the text had: "œ"
    std::u32string standIn; // what was written in its place: "oe"
    std::size_t at = 0;     // where its codes begin in codes
    std::size_t length = 0; // how many codes it took
};
struct LetterCodes {
    std::string codes;
    // The first character that has no code: codes is then incomplete.
    std::optional<char32_t> missing;
    std::vector<Replacement> replaced;
};
LetterCodes ToCodes(const LetterTable& table, std::u32string_view letters,
                    const Substitutions* substitutions = nullptr);
// "œ → oe, ’ → '" in UTF-8: what replaced holds, each pair once.
std::string DescribeReplacements(const std::vector<Replacement>& replaced);
// The exact reverse of ToLetters, for text that shows codes already (the editor's text box):
// nothing is normalised, and unknown stands for every character that has no code.
std::string ToCodes(const LetterTable& table, std::u32string_view letters, std::uint8_t unknown);

// A text in memory form as UTF-8: with a set, in its letters with '\n' for line breaks; without
// one, each code as the character of the same number (U+0000 to U+00FF, line breaks "\r\n"),
// which keeps every code whatever the set.
std::string CodesToUtf8(std::string_view codes, const CharacterSet* set);
// The reverse, as ToCodes. Without a set, every character above U+00FF is missing, and nothing
// is normalised: the characters are codes.
LetterCodes Utf8ToCodes(std::string_view text, const CharacterSet* set,
                        const Substitutions* substitutions = nullptr);

// A character for messages: "é" (U+00E9), a combining mark on a dotted circle; an invisible
// one (IsInvisible) by its number alone.
std::string DescribeLetter(char32_t letter);

} // namespace zyn
