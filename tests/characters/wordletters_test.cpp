// Letters folded to one case without a platform library, and a character set's codes read as
// the letters they show.

#include "characters/utf8.h"
#include "characters/wordletters.h"

#include <gtest/gtest.h>

namespace zyn {
namespace {

TEST(WordLetters, FoldsCapitalsOfEveryAlphabetTheSetsShow) {
    const struct {
        std::u32string text, folded;
    } cases[] = {
        {U"ÀÉÎÕÜÇ ß ×", U"àéîõüç ß ×"}, {U"ĀăĹĺŁŒŸŽİƠƯ", U"āăĺĺłœÿžiơư"}, {U"ΑΩΆΈΏΪς", U"αωάέώϊσ"},
        {U"ЁЖЯѢӀӁҐ", U"ёжяѣӏӂґ"},       {U"שלום 12 ?", U"שלום 12 ?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeUtf8(FoldCase(c.text)), EncodeUtf8(c.folded));
}

TEST(WordLetters, CodesTakeTheClassOfTheLetterTheyShow) {
    const CharacterSet* set = FindCharacterSet("cyrillic");
    ASSERT_NE(set, nullptr);
    const CodeClasses classes = CodeClassesOf(set->letters);
    const auto code = [&](char32_t letter) {
        return classes[*set->letters.code(letter)];
    };
    EXPECT_EQ(code(U'Ж'), CharClass::Letter);
    EXPECT_EQ(code(U'7'), CharClass::Digit);
    EXPECT_EQ(code(U'-'), CharClass::Joiner);
    EXPECT_EQ(code(U'«'), CharClass::Mark);
    EXPECT_EQ(classes[' '], CharClass::Blank);
}

} // namespace
} // namespace zyn
