// Texts from files named in messages so that nothing in them hides.

#include "characters/charactersets.h"
#include "characters/visibletext.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(VisibleText, NamesWhatShowsNothingAndKeepsTheRest) {
    const struct {
        std::string text, shown;
    } cases[] = {
        {"text.hqr:37:1\r", "text.hqr:37:1(U+000D)"},
        {"a\tb\nc", "a(U+0009)b(U+000A)c"},
        {"1\u00A0000", "1(U+00A0)000"},
        {"\uFEFFzero\u200Bwidth\u2028", "(U+FEFF)zero(U+200B)width(U+2028)"},
        {"\xC3(\xFF", "(byte 0xC3)((byte 0xFF)"},
        {"é … «»", "é … «»"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VisibleText(c.text), c.shown);
    EXPECT_EQ(DescribeLetter(0x200B), "U+200B");
    EXPECT_EQ(DescribeLetter(0xE9), "\"\u00E9\" (U+00E9)");
}

} // namespace
} // namespace zyn
