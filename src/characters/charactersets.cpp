#include "characters/charactersets.h"

#include "characters/charactersettables.h"
#include "characters/normalization.h"
#include "characters/utf8.h"
#include "characters/visibletext.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace zyn {

namespace {

constexpr char32_t ControlPictures = 0x2400; // ␀ for code 0, up to ␟ for code 31
constexpr char32_t DeletePicture = 0x2421;   // ␡ for code 127

constexpr LetterTable GameLetters(GameLettersUpper);
constexpr LetterTable Windows1250Letters(Windows1250Upper);
constexpr LetterTable Windows1251Letters(Windows1251Upper);
constexpr LetterTable Windows1253Letters(Windows1253Upper);
constexpr LetterTable Windows1254Letters(Windows1254Upper);
constexpr LetterTable Windows1255Letters(Windows1255Upper);
constexpr LetterTable Windows1256Letters(Windows1256Upper);
constexpr LetterTable Windows1258Letters(Windows1258Upper);
constexpr LetterTable Windows874Letters(Windows874Upper);
constexpr LetterTable Ibm850Letters(Ibm850Upper);
constexpr LetterTable MacintoshLetters(MacintoshUpper);

bool isLineBreak(char32_t c) {
    return c == U'\n' || c == U'\r' || c == 0x2028 || c == 0x2029;
}

} // namespace

const LetterTable Windows1252Letters(Windows1252Upper);

// The code pages behind the sets the platform's fonts have no page for: Armenian (none of them
// holds its letters; the Western page at least shows Latin text as it is), Nordic/Bopomofo (a
// double-byte page would merge neighbouring codes), Polish/Romanian (Central European letters)
// and Esperanto (the old PC page, which draws many of the games' letters at their own codes).
const std::array<CharacterSet, 14> CharacterSets{{
    {"arabic", "Arabic CharSet", 178, Windows1256Letters},
    {"armenian", "Armenian CharSet", 214, Windows1252Letters},
    {"cyrillic", "Cyrillic CharSet", 204, Windows1251Letters},
    {"czech", "Czech/Slovenian CharSet", 238, Windows1250Letters},
    {"esperanto", "Esperanto CharSet", 255, Ibm850Letters},
    {"greek", "Greek CharSet", 161, Windows1253Letters},
    {"hebrew", "Hebrew CharSet", 177, Windows1255Letters},
    {"nordic-bopomofo", "Nordic/Bopomofo CharSet", 130, Windows1252Letters},
    {"nordic-portuguese", "Nordic/Portuguese CharSet", 77, MacintoshLetters},
    {"polish", "Polish/Romanian CharSet", 236, Windows1250Letters},
    {"thai", "Thai CharSet", 222, Windows874Letters},
    {"turkish", "Turkish/Hungarian CharSet", 162, Windows1254Letters},
    {"vietnamese", "Vietnamese CharSet", 210, Windows1258Letters},
    {"western", "Western European CharSet", 0, GameLetters},
}};

const LetterTable& DisplayLetters(const CharacterSet& set, bool gameFont) {
    return gameFont && &set == &CharacterSets[WesternCharacterSetIndex] ? Windows1252Letters
                                                                        : set.letters;
}

char32_t LetterTable::letter(std::uint8_t code) const {
    if (code < 32)
        return ControlPictures + code;
    if (code == 127)
        return DeletePicture;
    if (code < 128)
        return code;
    return (*upper_)[code - 128u];
}

std::optional<std::uint8_t> LetterTable::code(char32_t letter) const {
    if (letter >= 32 && letter < 127)
        return static_cast<std::uint8_t>(letter);
    if (letter >= ControlPictures && letter < ControlPictures + 32)
        return static_cast<std::uint8_t>(letter - ControlPictures);
    if (letter == DeletePicture)
        return 127;
    const auto found = std::find(upper_->begin(), upper_->end(), letter);
    if (found == upper_->end())
        return std::nullopt;
    return static_cast<std::uint8_t>(128 + (found - upper_->begin()));
}

const CharacterSet* FindCharacterSet(std::string_view name) {
    for (const CharacterSet& set : CharacterSets)
        if (name == set.name)
            return &set;
    return nullptr;
}

std::u32string ToLetters(const LetterTable& table, std::string_view codes) {
    std::u32string letters;
    letters.reserve(codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == '\r' && i + 1 < codes.size() && codes[i + 1] == '\n') {
            letters.push_back(U'\n');
            ++i;
        } else {
            letters.push_back(table.letter(static_cast<std::uint8_t>(codes[i])));
        }
    }
    return letters;
}

namespace {

// A letter (a starter and the marks after it, composed) the table lacks as a letter it has
// followed by marks it has, where that is the same text (Vietnamese: ệ as ê and a dot below),
// with as many of the marks in the letter as can be. False when there is no such spelling.
bool spell(const LetterTable& table, const std::u32string& letter, std::string& codes) {
    const std::u32string parts = ToNfd(letter);
    const std::size_t marks = parts.size() - 1;
    // Far more marks than any letter has.
    if (parts.empty() || marks == 0 || marks > 6 || CombiningClass(parts[0]) != 0 ||
        std::any_of(parts.begin() + 1, parts.end(),
                    [](char32_t c) { return CombiningClass(c) == 0; }))
        return false;
    for (std::size_t taken = marks + 1; taken-- > 0;)
        for (unsigned mask = 0; mask < (1u << marks); ++mask) {
            if (static_cast<std::size_t>(std::popcount(mask)) != taken)
                continue;
            std::u32string head(1, parts[0]), rest;
            for (std::size_t m = 0; m < marks; ++m)
                (mask & (1u << m) ? head : rest).push_back(parts[m + 1]);
            head = ToNfc(head);
            if (head.size() != 1 || ToNfc(head + rest) != letter)
                continue;
            std::string spelled;
            for (const char32_t part : head + rest)
                if (const auto code = table.code(part))
                    spelled.push_back(static_cast<char>(*code));
            if (spelled.size() == 1 + rest.size()) {
                codes += spelled;
                return true;
            }
        }
    return false;
}

// Places one character at the end of codes: its code, or its spelling.
bool place(const LetterTable& table, char32_t c, std::string& codes) {
    if (const auto code = table.code(c)) {
        codes.push_back(static_cast<char>(*code));
        return true;
    }
    return spell(table, std::u32string(1, c), codes);
}

// Every character of letters placed, or codes as it was.
bool placeAll(const LetterTable& table, std::u32string_view letters, std::string& codes) {
    const std::size_t at = codes.size();
    for (const char32_t c : letters)
        if (isLineBreak(c) || !place(table, c, codes)) {
            codes.resize(at);
            return false;
        }
    return true;
}

// The letter c with fewer marks that the table has codes for: ǘ gives ü, or u.
std::optional<std::u32string> withFewerMarks(const LetterTable& table, char32_t c,
                                             std::string& codes) {
    const std::u32string parts = FullyDecomposed(c);
    for (std::size_t keep = parts.size() - 1; keep > 0 && CombiningClass(parts[keep]) != 0;
         --keep) {
        std::u32string base = ToNfc(std::u32string_view(parts).substr(0, keep));
        if (placeAll(table, base, codes))
            return base;
    }
    return std::nullopt;
}

// The text as a set's codes, a letter (a starter and the marks after it) at a time: as it is
// written where the set has a code for each of its characters, so that text shown from codes
// comes back as exactly those codes; composed (NFC) and spelled as the set can otherwise.
LetterCodes encode(const LetterTable& table, std::u32string_view text,
                   const Substitutions* substitutions) {
    LetterCodes result;
    std::string& codes = result.codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t first = text[i];
        if (isLineBreak(first)) {
            codes += "\r\n";
            i += first == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n' ? 2 : 1;
            continue;
        }
        std::size_t end = i + 1;
        while (end < text.size() && CombiningClass(text[end]) != 0)
            ++end;
        const std::u32string_view written = text.substr(i, end - i);
        i = end;
        const std::size_t letterAt = codes.size();
        if (std::all_of(written.begin(), written.end(),
                        [&](char32_t c) { return table.code(c).has_value(); })) {
            for (const char32_t c : written)
                codes.push_back(static_cast<char>(*table.code(c)));
            continue;
        }
        const std::u32string letter = ToNfc(written);
        // The fewest codes: as much of it as can be in one letter of the set.
        if (letter.size() == 1 ? place(table, letter[0], codes)
                               : spell(table, letter, codes) || placeAll(table, letter, codes))
            continue;
        // Character by character, with the stand-ins.
        std::u32string placed;
        for (const char32_t c : letter) {
            const std::size_t at = codes.size();
            if (place(table, c, codes)) {
                placed.push_back(c);
                continue;
            }
            const auto replaced = [&](std::u32string from, std::u32string standIn, std::size_t at) {
                result.replaced.push_back(
                    {std::move(from), std::move(standIn), at, codes.size() - at});
            };
            if (substitutions) {
                if (const std::u32string* standIn = substitutions->standInFor(c)) {
                    const std::u32string composed = ToNfc(*standIn);
                    if (placeAll(table, composed, codes)) {
                        replaced(std::u32string(1, c), composed, at);
                        placed += composed;
                        continue;
                    }
                }
                if (substitutions->baseLetters && CombiningClass(c) != 0 && !placed.empty()) {
                    // The letter it is on, without it.
                    replaced(placed + c, placed, letterAt);
                    continue;
                }
                if (substitutions->baseLetters)
                    if (std::optional<std::u32string> base = withFewerMarks(table, c, codes)) {
                        replaced(std::u32string(1, c), *base, at);
                        placed += *base;
                        continue;
                    }
            }
            result.missing = c;
            return result;
        }
    }
    return result;
}

} // namespace

LetterCodes ToCodes(const LetterTable& table, std::u32string_view letters,
                    const Substitutions* substitutions) {
    return encode(table, letters, substitutions);
}

std::string ToCodes(const LetterTable& table, std::u32string_view letters, std::uint8_t unknown) {
    std::string codes;
    codes.reserve(letters.size());
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const char32_t c = letters[i];
        if (isLineBreak(c)) {
            codes += "\r\n";
            if (c == U'\r' && i + 1 < letters.size() && letters[i + 1] == U'\n')
                ++i;
            continue;
        }
        codes.push_back(static_cast<char>(table.code(c).value_or(unknown)));
    }
    return codes;
}

std::string DescribeReplacements(const std::vector<Replacement>& replaced) {
    std::vector<std::u32string> pairs;
    for (const Replacement& r : replaced)
        if (std::u32string pair = DescribeSubstitution(r.letters, r.standIn);
            std::find(pairs.begin(), pairs.end(), pair) == pairs.end())
            pairs.push_back(std::move(pair));
    std::string text;
    for (const std::u32string& pair : pairs)
        text += (text.empty() ? "" : ", ") + EncodeUtf8(pair);
    return text;
}

std::string CodesToUtf8(std::string_view codes, const CharacterSet* set) {
    if (set)
        return EncodeUtf8(ToLetters(set->letters, codes));
    std::string text;
    text.reserve(codes.size());
    for (const char c : codes)
        AppendUtf8(text, static_cast<unsigned char>(c));
    return text;
}

LetterCodes Utf8ToCodes(std::string_view text, const CharacterSet* set,
                        const Substitutions* substitutions) {
    const std::u32string letters = DecodeUtf8(text);
    if (set)
        return ToCodes(set->letters, letters, substitutions);
    LetterCodes result;
    for (const char32_t c : letters) {
        if (c > 0xFF) {
            result.missing = c;
            break;
        }
        result.codes.push_back(static_cast<char>(c));
    }
    return result;
}

std::string DescribeLetter(char32_t letter) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(letter));
    // A control character would act on the terminal, and a blank or format character shows
    // nothing: named by its number alone.
    if (IsInvisible(letter))
        return code;
    std::string text = "\"";
    // A mark alone would sit on the quote.
    if (CombiningClass(letter) != 0)
        AppendUtf8(text, 0x25CC);
    AppendUtf8(text, letter);
    return text + "\" (" + code + ")";
}

} // namespace zyn
