#include "document/textsearch.h"

#include <cctype>
#include <gtest/gtest.h>
#include <tuple>

namespace zyn {
namespace {

// ASCII letters in two cases, and 130 standing for a lower-case letter of the games' font whose
// capital is 144.
SearchLetters letters() {
    SearchLetters table;
    for (int b = 0; b < 256; ++b) {
        table.folded[b] = static_cast<std::uint8_t>(b >= 'A' && b <= 'Z' ? b + 32 : b);
        table.classes[b] = std::isalnum(b) != 0 || b == 130 || b == 144 ? CharClass::Letter
                           : b == '\''                                  ? CharClass::Joiner
                                                                        : CharClass::Mark;
    }
    table.folded[144] = 130;
    return table;
}

TEST(TextSearch, FindsAndReplacesAsLettersOfTheCharacterSet) {
    const struct {
        const char* text;
        const char* needle;
        bool matchCase, wholeWords;
        std::size_t found;
        const char* replaced; // every match by "#"
    } cases[] = {
        {"The cat", "CAT", false, false, 4, "The #"},
        {"The cat", "CAT", true, false, std::string::npos, "The cat"},
        {"Catalog cat", "cat", false, true, 8, "Catalog #"},
        {"cat,cat", "cat", false, true, 0, "#,#"},
        {"x\x82y \x90", "\x90", false, true, 4, "x\x82y #"}, // a letter of the font
        {"x\x82y", "\x90", false, false, 1, "x#y"},
        {"aaaa", "aa", false, false, 0, "##"}, // matches do not overlap
        {"line\r\nbreak", "\r\nb", false, false, 4, "line#reak"},
        {"text", "", false, false, std::string::npos, "text"},
        {"ab", "abc", false, false, std::string::npos, "ab"},
    };
    for (const auto& c : cases) {
        const SearchOptions options{c.matchCase, c.wholeWords};
        EXPECT_EQ(FindText(c.text, c.needle, options, letters()), c.found) << c.text;
        int count = -1;
        EXPECT_EQ(ReplaceText(c.text, c.needle, "#", options, letters(), count), c.replaced);
        EXPECT_EQ(count > 0, c.found != std::string::npos) << c.text;
    }
}

TEST(TextSearch, NextMatchingEntryWrapsAndTriesTheCurrentOneLast) {
    const bool holds[] = {true, false, true, false};
    // The current entry, the direction, and the entry found.
    const std::tuple<int, bool, int> cases[] = {
        {0, true, 2}, {2, true, 0}, {1, false, 0}, {0, false, 2}, {3, true, 0}, {-1, true, 0},
    };
    for (const auto& [current, forward, found] : cases)
        EXPECT_EQ(NextMatchingEntry(4, current, forward, [&](int i) { return holds[i]; }), found)
            << current << forward;
    EXPECT_EQ(NextMatchingEntry(1, 0, true, [](int) { return true; }), 0);
    EXPECT_EQ(NextMatchingEntry(0, 0, true, [](int) { return true; }), -1);
}

} // namespace
} // namespace zyn
