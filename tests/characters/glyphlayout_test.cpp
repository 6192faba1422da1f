#include "characters/glyphlayout.h"

#include <gtest/gtest.h>
#include <set>

namespace zyn {
namespace {

TEST(WesternGlyphCodes, ShowsTheGamesLettersAsWindows1252) {
    const auto codes = WesternGlyphCodes();
    EXPECT_EQ(codes['A'], 'A');
    EXPECT_EQ(codes[130], 233); // é
    EXPECT_EQ(codes[129], 252); // ü
    EXPECT_EQ(codes[225], 223); // ß
    EXPECT_EQ(codes[181], 193); // Á, not the Œ typed to the same code
    EXPECT_EQ(codes[141], 236); // ì, not the ï typed to the same code
    EXPECT_EQ(codes[152], 255); // ÿ, not the Scandinavian ø
    EXPECT_EQ(codes[143], 197); // Å, which only the Scandinavian group reaches
    EXPECT_EQ(codes[139], -1);
}

TEST(WesternGlyphCodes, CanBeTurnedRoundAndAgreesWithTyping) {
    const auto codes = WesternGlyphCodes();
    const auto west = KeyboardGroupTable(KeyboardGroup::West);
    const auto sweNor = KeyboardGroupTable(KeyboardGroup::SweNor);
    std::set<int> seen;
    for (int game = 0; game < 256; ++game) {
        const int shown = codes[game];
        if (shown < 0)
            continue;
        EXPECT_TRUE(seen.insert(shown).second) << "windows-1252 code " << shown << " used twice";
        const int typedGives = shown < 128 ? shown : west[shown] == game ? game : sweNor[shown];
        EXPECT_EQ(typedGives, game);
    }
}

TEST(CodePages, EverySelectorCharacterSetAndGroupHasACodec) {
    for (int charset : {178, 214, 204, 238, 255, 161, 177, 130, 77, 236, 222, 162, 210, 0})
        EXPECT_NE(CodecNameForCodePage(CodePageForCharset(charset)), nullptr) << charset;
    for (int group = 0; group <= static_cast<int>(KeyboardGroup::SweNor); ++group)
        EXPECT_NE(CodecNameForCodePage(TypingCodePageForGroup(KeyboardGroup(group))), nullptr);
}

} // namespace
} // namespace zyn
