// The one notion of a word: the tokens every caller builds on (the memory, spelling and search
// on codes: tests/spelling).

#include "base/words.h"
#include "characters/utf8.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

std::string described(std::u32string_view text, const std::vector<Token>& tokens) {
    std::string out;
    for (const Token& token : tokens) {
        out += token.kind == TokenKind::Word ? "w:" : token.kind == TokenKind::Number ? "n:" : "m:";
        out += EncodeUtf8(text.substr(token.start, token.length)) + " ";
    }
    return out;
}

TEST(Words, TokensAreWordsNumbersAndMarks) {
    const struct {
        std::u32string text;
        const char* tokens;
        std::size_t count;
    } cases[] = {
        {U"Hello, world!", "w:Hello m:, w:world m:! ", 2},
        // Joiners join letters only; a lone one is a mark.
        {U"l'homme peut-être - 'x'", "w:l'homme w:peut-être m:- m:' w:x m:' ", 3},
        // A run with a digit is a number, glued letters and all; a joiner does not join it.
        {U"2nd A4 x2y-z 10 m² ½", "n:2nd n:A4 n:x2y m:- w:z n:10 n:m² n:½ ", 7},
        // Control codes (and their shown symbols) are marks; line breaks and tabs blanks.
        {U"a\u0001b\r\n\tc\u2401", "w:a m:\u0001 w:b w:c m:\u2401 ", 3},
        {U"Ωμέγα\u00A0Жук", "w:Ωμέγα w:Жук ", 2},
        {U"", "", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(described(c.text, SplitTokens(c.text)), c.tokens) << EncodeUtf8(c.text);
        EXPECT_EQ(CountWords(ClassesOf(c.text)), c.count) << EncodeUtf8(c.text);
    }
}

} // namespace
} // namespace zyn
