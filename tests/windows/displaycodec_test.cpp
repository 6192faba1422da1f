// The byte <-> character mapping of the preview and the string editor.

#include "support/scriptedprompts.h"
#include "windows/displaycodec.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace zyn::test {
namespace {

class DisplayCodecTest : public ::testing::TestWithParam<std::tuple<CharacterSetChoice, bool>> {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
};

TEST_P(DisplayCodecTest, EveryByteHasItsOwnVisibleCharacter) {
    const auto [choice, gameFont] = GetParam();
    const DisplayCodec codec(choice.charset, gameFont);
    std::set<char16_t> seen;
    std::string text;
    for (int b = 0; b < 256; ++b) {
        const QChar c = codec.charFor(static_cast<std::uint8_t>(b));
        EXPECT_TRUE(seen.insert(c.unicode()).second) << choice.name << ": byte " << b;
        EXPECT_TRUE(c.isPrint()) << choice.name << ": byte " << b;
        EXPECT_EQ(codec.byteFor(c), b);
        text.push_back(static_cast<char>(b));
    }
    // Every byte, and CR and LF on their own and in either order, comes back as it was.
    text += "\r\n\n\rx\r";
    EXPECT_EQ(codec.fromDisplay(codec.toDisplay(text)), text) << choice.name;
}

INSTANTIATE_TEST_SUITE_P(AllCharacterSets, DisplayCodecTest,
                         ::testing::Combine(::testing::ValuesIn(CharacterSets), ::testing::Bool()));

TEST(DisplayCodec, WesternShowsTheGamesLettersOnlyWithoutTheirFont) {
    EXPECT_EQ(DisplayCodec(WesternCharset, false).charFor(130), QChar(0x00E9)); // é
    EXPECT_EQ(DisplayCodec(WesternCharset, true).charFor(130), QChar(0x201A));  // windows-1252
    EXPECT_EQ(DisplayCodec(177, false).charFor(0xE0), QChar(0x05D0));           // Hebrew alef
    EXPECT_EQ(DisplayCodec().fromDisplay(QString::fromUtf8("Café")), "Caf\x82");
}

} // namespace
} // namespace zyn::test
