#include "characters/charactersets.h"

#include "characters/charactersettables.h"
#include "characters/composition.h"
#include "characters/utf8.h"
#include "characters/visibletext.h"

#include <algorithm>
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

// Places one character at the end of codes, decomposing it where the table lacks the composed
// letter. False when some part of it has no code.
bool place(const LetterTable& table, char32_t c, std::string& codes) {
    if (const auto code = table.code(c)) {
        codes.push_back(static_cast<char>(*code));
        return true;
    }
    const auto parts = Decompose(c);
    return parts && place(table, parts->base, codes) && place(table, parts->mark, codes);
}

// The codes of letters; at a character without a code, missing(c, codes) decides: true goes
// on after it, false stops there.
template <typename Missing>
std::string encode(const LetterTable& table, std::u32string_view letters, Missing missing) {
    std::string codes;
    codes.reserve(letters.size());
    // The last letter that was not a mark, and where its code went: a mark that has no code
    // of its own may still compose with it.
    constexpr std::size_t None = std::string::npos;
    std::size_t starterAt = None;
    char32_t starter = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const char32_t c = letters[i];
        if (isLineBreak(c)) {
            codes += "\r\n";
            if (c == U'\r' && i + 1 < letters.size() && letters[i + 1] == U'\n')
                ++i;
            starterAt = None;
            continue;
        }
        if (IsCombiningMark(c) && !table.code(c) && starterAt != None) {
            const auto composed = Compose(starter, c);
            const auto code = composed ? table.code(*composed) : std::nullopt;
            if (code) {
                codes[starterAt] = static_cast<char>(*code);
                starter = *composed;
            } else if (!missing(composed.value_or(c), codes)) {
                return codes;
            }
            continue;
        }
        const std::size_t at = codes.size();
        if (!place(table, c, codes)) {
            codes.resize(at);
            starterAt = None;
            if (!missing(c, codes))
                return codes;
            continue;
        }
        // A letter placed as base and mark takes no further marks.
        if (!IsCombiningMark(c)) {
            starterAt = codes.size() == at + 1 ? at : None;
            starter = c;
        }
    }
    return codes;
}

} // namespace

LetterCodes ToCodes(const LetterTable& table, std::u32string_view letters) {
    LetterCodes result;
    result.codes = encode(table, letters, [&](char32_t c, std::string&) {
        result.missing = c;
        return false;
    });
    return result;
}

std::string ToCodes(const LetterTable& table, std::u32string_view letters, std::uint8_t unknown) {
    return encode(table, letters, [unknown](char32_t, std::string& codes) {
        codes.push_back(static_cast<char>(unknown));
        return true;
    });
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

LetterCodes Utf8ToCodes(std::string_view text, const CharacterSet* set) {
    const std::u32string letters = DecodeUtf8(text);
    if (set)
        return ToCodes(set->letters, letters);
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
    AppendUtf8(text, letter);
    return text + "\" (" + code + ")";
}

} // namespace zyn
