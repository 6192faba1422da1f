// The byte <-> character mapping of the preview and the string editor.

#include "support/scriptedprompts.h"
#include "windows/displaycodec.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace zyn::test {
namespace {

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(static_cast<char>(b));
    return bytes;
}

class DisplayCodecTest : public ::testing::TestWithParam<std::tuple<CharacterSetChoice, bool>> {
protected:
    static void SetUpTestSuite() { ensureApplication(); }
};

TEST_P(DisplayCodecTest, EveryByteHasItsOwnVisibleCharacter) {
    const auto [choice, gameFont] = GetParam();
    const DisplayCodec codec(choice.charset, gameFont);
    std::set<char16_t> seen;
    for (int b = 0; b < 256; ++b) {
        const QChar c = codec.charFor(static_cast<std::uint8_t>(b));
        EXPECT_TRUE(seen.insert(c.unicode()).second) << choice.name << ": byte " << b;
        EXPECT_TRUE(c.isPrint()) << choice.name << ": byte " << b;
        EXPECT_NE(c, QLatin1Char('\n'));
        EXPECT_EQ(codec.byteFor(c), b);
    }

    // Every byte, and CR and LF on their own and in either order, comes back as it was.
    const std::string text = allBytes() + "\r\n\n\r" + "x\r";
    EXPECT_EQ(codec.fromDisplay(codec.toDisplay(text)), text) << choice.name;
}

INSTANTIATE_TEST_SUITE_P(AllCharacterSets, DisplayCodecTest,
                         ::testing::Combine(::testing::ValuesIn(CharacterSets), ::testing::Bool()));

TEST(DisplayCodec, LineBreaksAndControlCodes) {
    const DisplayCodec codec;
    EXPECT_EQ(codec.toDisplay("a\r\nb"), "a\nb");
    EXPECT_EQ(codec.toDisplay(std::string("\0\x1b\x7f", 3)), QString::fromUtf8("␀␛␡"));
    EXPECT_EQ(codec.fromDisplay(QString::fromUtf8("a\nb\r\nc\u2029d")), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(codec.fromDisplay(QString::fromUtf8("\u4e00")), "?");
}

TEST(DisplayCodec, WesternShowsTheGamesLettersWithoutTheirFont) {
    const struct {
        std::uint8_t byte;
        const char* withoutFont;
        const char* withFont; // windows-1252
    } cases[] = {
        {'A', "A", "A"}, {130, "é", "‚"},     {129, "ü", nullptr}, // undefined in windows-1252
        {225, "ß", "á"}, {233, nullptr, "é"},
    };
    const DisplayCodec game(WesternCharset, false);
    const DisplayCodec font(WesternCharset, true);
    for (const auto& c : cases) {
        if (c.withoutFont) {
            EXPECT_EQ(QString(game.charFor(c.byte)), QString::fromUtf8(c.withoutFont)) << +c.byte;
        }
        if (c.withFont) {
            EXPECT_EQ(QString(font.charFor(c.byte)), QString::fromUtf8(c.withFont)) << +c.byte;
        }
    }
    EXPECT_EQ(game.fromDisplay(QString::fromUtf8("Café")), "Caf\x82");
}

TEST(DisplayCodec, OtherCharacterSetsShowTheirCodePage) {
    EXPECT_EQ(DisplayCodec(161, false).charFor(0xE1), QChar(0x03B1)); // Greek alpha
    EXPECT_EQ(DisplayCodec(204, false).charFor(0xC0), QChar(0x0410)); // Cyrillic A
    EXPECT_EQ(DisplayCodec(177, false).charFor(0xE0), QChar(0x05D0)); // Hebrew alef
}

} // namespace
} // namespace zyn::test
