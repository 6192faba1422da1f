// The drawing program's building blocks and its promise: the same seed draws the same pictures.

#include "controlfont.h"
#include "icons.h"
#include "lettering.h"
#include "pixelart.h"
#include "scenes.h"

#include <QFile>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace zyn::art {
namespace {

struct SceneCase {
    const char* name;
    std::function<QImage(std::uint64_t)> draw;
};

// The ray-traced scene is left out: it takes too long to draw three times, and nothing in it is
// random but the grain that every scene shares.
class SceneTest : public ::testing::TestWithParam<SceneCase> {};

TEST_P(SceneTest, SameSeedSamePictureOtherSeedOtherPicture) {
    const SceneCase& c = GetParam();
    const QImage first = c.draw(42);
    EXPECT_EQ(first.size(), QSize(640, 480)) << c.name;
    EXPECT_EQ(first, c.draw(42)) << c.name;
    EXPECT_NE(first, c.draw(43)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneTest,
                         ::testing::Values(SceneCase{"title", drawTitleScreen},
                                           SceneCase{"room", drawRoomScene},
                                           SceneCase{"harbour", drawHarbourScene},
                                           SceneCase{"island", drawIslandMap},
                                           SceneCase{"landscape", drawLandscape},
                                           SceneCase{"parchment", drawParchmentMap}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every letter the pictures spell has a shape of its own, one cap height tall.
TEST(Lettering, EveryLetterInUseHasAShape) {
    LetteringStyle style;
    style.capHeight = 60;
    for (QChar letter : QStringLiteral("ZYNTEXFILDORSW")) {
        const QRectF box = letteringPath(letter, style).boundingRect();
        EXPECT_GT(box.width(), 10) << letter.toLatin1();
        EXPECT_NEAR(box.height(), style.capHeight * (1 + style.weight), 1.0) << letter.toLatin1();
    }
    // Letters follow each other without overlapping.
    const double one = letteringPath("E", style).boundingRect().width();
    EXPECT_GT(letteringPath("EE", style).boundingRect().width(), 2 * one);
}

TEST(PixelArt, OutlineRingsShapesOnTheirSidesOnly) {
    PixelIcon icon(5);
    icon.set(2, 2, Qt::red);
    icon.outline(Qt::black);
    int ring = 0;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x)
            ring += icon.at(x, y) == QColor(Qt::black) ? 1 : 0;
    }
    EXPECT_EQ(ring, 4);
    EXPECT_FALSE(icon.filled(1, 1));
    EXPECT_EQ(icon.at(2, 2), QColor(Qt::red));
}

TEST(Icons, BarImagesAreSixteenSquareAndDistinct) {
    const std::vector<NamedIcon> icons = drawIcons();
    int bar = 0;
    for (std::size_t i = 0; i < icons.size(); ++i) {
        if (icons[i].name.startsWith("app"))
            continue;
        ++bar;
        EXPECT_EQ(icons[i].image.size(), QSize(16, 16)) << icons[i].name.toStdString();
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(icons[i].image, icons[j].image)
                << icons[i].name.toStdString() << " " << icons[j].name.toStdString();
    }
    EXPECT_EQ(bar, 10);
}

// The committed font is what the tool writes: a change to its letters or to the writer shows here
// until the font is written again.
TEST(ControlFont, IsTheCommittedFile) {
    QFile committed(QStringLiteral(CONTROL_FONT_PATH));
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(committed.readAll().toStdString() == drawControlFont());
}

} // namespace
} // namespace zyn::art
