#include "characters/substitutions.h"

#include "characters/visibletext.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zyn {

namespace {

// What a keyboard, a word processor or a translation tool puts where the games' texts have
// plain characters.
const Substitution BuiltIn[] = {
    {0x0153, U"oe"},  // œ
    {0x0152, U"OE"},  // Œ
    {0x2019, U"'"},   // ’
    {0x2018, U"'"},   // ‘
    {0x201A, U"'"},   // ‚
    {0x201C, U"\""},  // “
    {0x201D, U"\""},  // ”
    {0x201E, U"\""},  // „
    {0x2026, U"..."}, // …
    {0x2013, U"-"},   // – en dash
    {0x2014, U"-"},   // — em dash
    {0x2010, U"-"},   // hyphen
    {0x2011, U"-"},   // non-breaking hyphen
    {0x00A0, U" "},   // no-break space
    {0x202F, U" "},   // narrow no-break space
    {0x2007, U" "},   // figure space
    {0x2009, U" "},   // thin space
    {0x200A, U" "},   // hair space
};

const Substitution BaseLetters[] = {
    {0x0141, U"L"}, {0x0142, U"l"}, // Ł ł
    {0x00D8, U"O"}, {0x00F8, U"o"}, // Ø ø
    {0x0110, U"D"}, {0x0111, U"d"}, // Đ đ
    {0x0126, U"H"}, {0x0127, U"h"}, // Ħ ħ
    {0x0166, U"T"}, {0x0167, U"t"}, // Ŧ ŧ
};

const std::u32string* find(std::span<const Substitution> pairs, char32_t letter) {
    const auto found = std::find_if(pairs.begin(), pairs.end(),
                                    [letter](const Substitution& s) { return s.letter == letter; });
    return found == pairs.end() ? nullptr : &found->standIn;
}

} // namespace

std::span<const Substitution> BuiltInSubstitutions() {
    return BuiltIn;
}

std::span<const Substitution> BaseLetterSubstitutions() {
    return BaseLetters;
}

const std::u32string* Substitutions::standInFor(char32_t letter) const {
    if (const std::u32string* found = find(own, letter))
        return found;
    if (const std::u32string* found = find(BuiltIn, letter))
        return found;
    return baseLetters ? find(BaseLetters, letter) : nullptr;
}

namespace {

// A side of a pair as a person can read it: a character that shows nothing by its number, and
// a stand-in of blanks alone as the word.
std::u32string Readable(std::u32string_view text) {
    if (!text.empty() && text.find_first_not_of(U' ') == std::u32string_view::npos)
        return text.size() == 1 ? U"(space)" : U"(spaces)";
    std::u32string out;
    for (const char32_t c : text) {
        if (!IsInvisible(c)) {
            out.push_back(c);
            continue;
        }
        char code[16];
        std::snprintf(code, sizeof code, "(U+%04X)", static_cast<unsigned>(c));
        out.append(code, code + std::strlen(code));
    }
    return out;
}

} // namespace

std::u32string DescribeSubstitution(std::u32string_view letters, std::u32string_view standIn) {
    return Readable(letters) + U" \u2192 " + Readable(standIn);
}

} // namespace zyn
