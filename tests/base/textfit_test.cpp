// The one fit rule: where a text wraps at the box's width over given widths, and how many lines
// the box shows.

#include "base/textfit.h"
#include "base/textlines.h"

#include <gtest/gtest.h>

namespace zyn {

void PrintTo(const WrappedLine& line, std::ostream* out) {
    *out << "[" << line.begin << ", " << line.end << ")";
}

namespace {

// Letters 10 pixels wide, 'W' 20, a blank 5; in 64ths, as fonts give them.
std::int32_t widthOf(char32_t c) {
    return (c == U' ' ? 5 : c == U'W' ? 20 : 10) * 64;
}

// A line 40 pixels high, 44 from one line to the next.
constexpr FontLines Line{30 * 64, 10 * 64, 4 * 64};

using Lines = std::vector<WrappedLine>;

TEST(TextFit, WrapsAtBlanksAndBreaksWordsWiderThanTheLine) {
    const struct {
        std::u32string text;
        int width;
        Lines lines;
    } cases[] = {
        {U"", 100, {}},
        {U"abcdefghij", 100, {{0, 10}}},        // exactly the width
        {U"abcdefghij", 99, {{0, 9}, {9, 10}}}, // one pixel over: the word is broken
        {U"abcdefghijk", 100, {{0, 10}, {10, 11}}},
        {U"abcdefghWi", 100, {{0, 9}, {9, 10}}},  // each letter's own width
        {U"abcd efghi", 100, {{0, 10}}},          // 95 pixels
        {U"abcd  efgh", 100, {{0, 10}}},          // blanks between words count
        {U"abcde efghi", 100, {{0, 5}, {6, 11}}}, // the blank at the break on neither line
        {U"abcd efghi      ", 100, {{0, 16}}},    // blanks at the end hang
        {U"ab   cdefghijk", 100, {{0, 2}, {5, 14}}},
        {U"ab abcdefghijkl", 100, {{0, 2}, {3, 13}, {13, 15}}},
        {U"  abcdefghij", 100, {{0, 11}, {11, 12}}}, // leading blanks are not a break
        {U"ab\ncd", 100, {{0, 2}, {3, 5}}},
        {U"ab\n", 100, {{0, 2}, {3, 3}}},
        {U"\n\n", 100, {{0, 0}, {1, 1}, {2, 2}}},
        {U"abcde fghij\nab", 100, {{0, 5}, {6, 11}, {12, 14}}},
        // A mark takes no room and stays on its letter's line.
        {U"abcdefghij\u0301", 100, {{0, 11}}},
        {U"abcdefghi\u0301j", 95, {{0, 10}, {10, 11}}},
        // A letter wider than the whole line still takes a line of its own.
        {U"WWW", 15, {{0, 1}, {1, 2}, {2, 3}}},
    };
    for (const auto& c : cases) {
        const TextFit fit(Line, widthOf, {c.width, 449});
        EXPECT_EQ(fit.wrap(c.text), c.lines) << c.width << " " << c.text.size();
        EXPECT_EQ(fit.linesOf(c.text), static_cast<int>(c.lines.size()));
    }
}

TEST(TextFit, CountsTheWholeLinesTheBoxShows) {
    const struct {
        int height, shown, cut;
    } cases[] = {
        {38, 0, 0},  {39, 1, 40}, // the foot may miss the box's last pixel row
        {82, 1, 40}, {83, 2, 84}, {449, 10, 436},
    };
    for (const auto& c : cases) {
        const TextFit fit(Line, widthOf, {100, c.height});
        EXPECT_EQ(fit.linesShown(), c.shown) << c.height;
        EXPECT_EQ(fit.cutPosition(), c.cut) << c.height;
    }
    const TextFit fit(Line, widthOf, {100, 83});
    EXPECT_EQ(fit.linesCut(U"a\nb"), 0);
    EXPECT_EQ(fit.linesCut(U"a\nb\nc\nd"), 2);
    EXPECT_EQ(fit.linesCut(U"abcdefghij abcdefghij abc"), 1);
}

TEST(TextFit, MarksAreTheNonSpacingOnesOfTheSets) {
    for (const char32_t mark :
         {U'\u0300', U'\u0301', U'\u0323', U'\u05B0', U'\u064B', U'\u0E31', U'\u0E48'})
        EXPECT_TRUE(IsNonSpacingMark(mark)) << std::hex << std::uint32_t(mark);
    for (const char32_t letter :
         {U'a', U'\u00E9', U'\u05D0', U'\u0627', U'\u0E01', U'\u0E32', U'\u02C6', U'\u2400'})
        EXPECT_FALSE(IsNonSpacingMark(letter)) << std::hex << std::uint32_t(letter);
}

// The lines before any wrapping: CR LF ends one; a lone CR or LF is a code of its own.
TEST(TextLines, OnlyCrLfEndsALine) {
    const struct {
        std::string_view codes;
        std::vector<std::string_view> lines;
    } cases[] = {
        {"", {}},
        {"One", {"One"}},
        {"One\r\nTwo", {"One", "Two"}},
        {"One\r\n", {"One", ""}},
        {"\r\n\r\n", {"", "", ""}},
        {"a\nb\rc\n\r", {"a\nb\rc\n\r"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextLines(c.codes), c.lines) << c.codes;
        EXPECT_EQ(LineCount(c.codes), static_cast<int>(c.lines.size())) << c.codes;
    }
}

} // namespace
} // namespace zyn
