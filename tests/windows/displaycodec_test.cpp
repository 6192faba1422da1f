// The byte <-> character mapping of the preview and the string editor.

#include "support/scriptedprompts.h"
#include "windows/displaycodec.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

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

// Control codes show as symbols no installed font has: the program's own font draws each one in
// the display font, with or without the games' font, and each one differently.
TEST(DisplayCodec, TheDisplayFontDrawsEachControlCodeVisiblyAndDistinctly) {
    ensureApplication();
    for (const bool gameFont : {false, true}) {
        const QFont font = displayFont(gameFont);
        EXPECT_EQ(font.families().back(), ControlFontFamily);
        const DisplayCodec codec(WesternCharset, gameFont);
        std::vector<QImage> drawn;
        for (int code = 0; code < 128; ++code) {
            if (code >= 32 && code != 127)
                continue;
            QImage image(64, 64, QImage::Format_Grayscale8);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setFont(font);
            painter.drawText(image.rect(), Qt::AlignCenter,
                             QString(codec.charFor(static_cast<std::uint8_t>(code))));
            painter.end();
            int ink = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            EXPECT_GT(ink, 100) << "code " << code;
            for (std::size_t other = 0; other < drawn.size(); ++other)
                EXPECT_NE(image, drawn[other]) << "code " << code << " and the " << other << "th";
            drawn.push_back(image);
        }
    }
}

} // namespace
} // namespace zyn::test
