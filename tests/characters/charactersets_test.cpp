// The character sets shared by the editor's display and the command-line tool.

#include "characters/charactersets.h"
#include "characters/utf8.h"

#include <gtest/gtest.h>
#include <numeric>
#include <set>

namespace zyn {
namespace {

TEST(CharacterSets, EachMapsAllCodesOneToOneAndTextComesBackAsItsCodes) {
    std::set<std::string> names;
    for (const CharacterSet& set : CharacterSets) {
        std::set<char32_t> seen;
        for (int c = 0; c < 256; ++c) {
            const char32_t letter = set.letters.letter(static_cast<std::uint8_t>(c));
            EXPECT_TRUE(seen.insert(letter).second) << set.name << ": code " << c;
            EXPECT_EQ(set.letters.code(letter), c) << set.name;
            // Never a line break, a blank control or a surrogate: each code stays visible.
            EXPECT_TRUE(letter >= 0x20 && letter != 0x7F && (letter < 0x80 || letter >= 0xA0) &&
                        (letter < 0xD800 || letter > 0xDFFF) && letter != 0x2028 &&
                        letter != 0x2029)
                << set.name << ": code " << c;
        }
        // Every code, and CR and LF alone and in either order, as the line breaks are not.
        std::string codes(256, '\0');
        std::iota(codes.begin(), codes.end(), 0);
        codes += "\r\n\n\rx\r";
        const std::u32string shown = DecodeUtf8(EncodeUtf8(ToLetters(set.letters, codes)));
        EXPECT_EQ(ToCodes(set.letters, shown, '?'), codes) << set.name;
        const LetterCodes back = ToCodes(set.letters, shown);
        EXPECT_FALSE(back.missing) << set.name;
        EXPECT_EQ(back.codes, codes) << set.name;
        EXPECT_EQ(FindCharacterSet(set.name), &set);
        names.insert(set.name);
    }
    EXPECT_EQ(names,
              (std::set<std::string>{"western", "greek", "cyrillic", "hebrew", "arabic", "armenian",
                                     "czech", "esperanto", "nordic-bopomofo", "nordic-portuguese",
                                     "polish", "thai", "turkish", "vietnamese"}));
    EXPECT_EQ(FindCharacterSet("Western"), nullptr);
    EXPECT_STREQ(CharacterSets[WesternCharacterSetIndex].name, "western");
}

// The other sets' letters are their code pages', which the display's test reads from the
// platform's own decoders.
TEST(CharacterSets, WesternShowsTheGamesLetters) {
    const std::pair<std::uint8_t, char32_t> cases[] = {
        {130, U'é'}, {129, U'ü'}, {225, U'ß'},     {181, U'Á'},
        {141, U'ì'}, {143, U'Å'}, {13, U'\u240D'}, {'A', U'A'},
    };
    for (const auto& [code, letter] : cases)
        EXPECT_EQ(CharacterSets[WesternCharacterSetIndex].letters.letter(code), letter)
            << int(code);
}

TEST(ToCodes, TakesComposedAndDecomposedLettersAndStopsAtOneTheSetLacks) {
    const struct {
        const char* set;
        std::u32string letters;
        std::string codes;
        char32_t missing = 0;
    } cases[] = {
        // As the set spells it, composed where it has a code, and fully decomposed.
        {"vietnamese", U"\u00EA\u0301", "\xEA\xEC"},
        {"vietnamese", U"\u1EBF", "\xEA\xEC"},
        {"vietnamese", U"e\u0302\u0301", "\xEA\xEC"},
        {"vietnamese", U"\u1EC7", "\xEA\xF2"},            // ệ
        {"vietnamese", U"e\u0323\u0302", "\xEA\xF2"},     // its marks in canonical order
        {"vietnamese", U"\u1EDD", "\xF5\xCC"},            // ờ
        {"vietnamese", U"\u1EE8", "\xDD\xEC"},            // Ứ
        {"vietnamese", U"\u00C3", "A\xDE"},               // Ã, which the page lacks
        {"vietnamese", U"\u00E1a\u0301", "\xE1\x61\xEC"}, // á, then a and its accent
        {"vietnamese", U"\u00F1\u0323", "\xF1\xF2"},      // as written, not as NFC sorts it
        {"vietnamese", U"\u1E47\u0303", "\xF1\xF2"},      // the same as the set spells it
        {"western", U"e\u0301t\u00E9", "\x82t\x82"},
        {"western", U"a\nb\r\nc\rd\u2029", "a\r\nb\r\nc\r\nd\r\n"},
        // Refused: a letter no code shows, composed or not.
        {"western", U"ab\u1EBF", "ab", 0x1EBF},
        {"western", U"e\u0302\u0301", "", 0x1EBF},
        {"western", U"\u0301x", "", 0x0301},
        {"western", U"\u03A9", "", 0x03A9},
        // A mark without a code after a letter placed as base and mark composes with neither.
        {"vietnamese", U"a\u1EBF\u0306", "a\xEA\xEC", 0x0306},
        {"greek", U"\u00E9", "", 0x00E9},
    };
    for (const auto& c : cases) {
        const LetterCodes result = ToCodes(FindCharacterSet(c.set)->letters, c.letters);
        EXPECT_EQ(result.codes, c.codes) << c.set << " " << EncodeUtf8(c.letters);
        EXPECT_EQ(result.missing.value_or(0), c.missing) << c.set << " " << EncodeUtf8(c.letters);
    }
    const LetterTable& western = CharacterSets[WesternCharacterSetIndex].letters;
    EXPECT_EQ(ToCodes(western, U"a\u03A9b\u1EBFc", '?'), "a?b?c");
    EXPECT_EQ(DescribeLetter(0x1B), "U+001B");
}

// Where each stand-in went, and the marks a set lacks taken off only with base letters.
TEST(ToCodes, WritesStandInsWhereTheyHaveCodesAndSaysWhere) {
    const LetterTable& western = CharacterSets[WesternCharacterSetIndex].letters;
    Substitutions substitutions;
    const LetterCodes typed = ToCodes(western, U"a\n\u0153\u202F\u201Cb\u201D", &substitutions);
    EXPECT_EQ(typed.codes, "a\r\noe \"b\"");
    ASSERT_EQ(typed.replaced.size(), 4u);
    EXPECT_EQ(typed.replaced[0].at, 3u);
    EXPECT_EQ(typed.replaced[0].length, 2u);
    EXPECT_EQ(typed.replaced[3].at, 8u);
    EXPECT_EQ(DescribeReplacements(typed.replaced),
              "\u0153 \u2192 oe, (U+202F) \u2192 (space), \u201C \u2192 \", \u201D \u2192 \"");
    const struct {
        std::u32string letters;
        bool baseLetters;
        std::string codes;
        char32_t missing = 0;
    } cases[] = {
        {U"q\u0303", false, "q", 0x0303}, {U"q\u0303", true, "q"},
        {U"\u01D8", false, "", 0x01D8}, // ǘ, with a mark the set lacks
        {U"\u01D8", true, "\x81"},      // as ü
        {U"\u1E69", true, "s"},         // ṩ: both marks off
        {U"\u0142", true, "l"},         // ł, which no mark makes
        {U"\uFB01", true, "", 0xFB01},  // a ligature the table has none for
    };
    for (const auto& c : cases) {
        substitutions.baseLetters = c.baseLetters;
        const LetterCodes result = ToCodes(western, c.letters, &substitutions);
        EXPECT_EQ(result.codes, c.codes) << EncodeUtf8(c.letters);
        EXPECT_EQ(result.missing.value_or(0), c.missing) << EncodeUtf8(c.letters);
        EXPECT_EQ(result.replaced.size(), c.missing ? 0u : 1u) << EncodeUtf8(c.letters);
    }
    EXPECT_EQ(DescribeLetter(0x0303), "\"\u25CC\u0303\" (U+0303)");
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE1\xBA\xBF\xF0\x9F\x98\x80"), U"a\u00E9\u1EBF\U0001F600");
    EXPECT_EQ(DecodeUtf8("\xC3(\xC0\xAF\xED\xA0\x80\xE1\xBA"),
              U"\uFFFD(\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(EncodeUtf8(U"a\u00E9\u1EBF\U0001F600"), "a\xC3\xA9\xE1\xBA\xBF\xF0\x9F\x98\x80");
}

} // namespace
} // namespace zyn
