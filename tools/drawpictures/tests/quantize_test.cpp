// Reducing the pictures to 256 colours.

#include "quantize.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace zyn::art {
namespace {

TEST(Quantize, PictureWithFewColoursKeepsThemExactly) {
    const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 30, 40),
                            qRgb(10, 200, 90), qRgb(1, 2, 3)};
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, colours[(x / 3 + y / 2) % 5]);
    }
    const QImage indexed = toIndexed256(picture);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 5);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(indexed.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    }
}

// A smooth picture with far more than 256 colours: dithering must keep what each small area
// looks like from a distance wherever the palette's colours surround it, and the same picture must
// always give the same file.
TEST(Quantize, GradientKeepsItsLocalAveragesAndIsRepeatable) {
    QImage picture(256, 96, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(
                x, y, qRgb(x, (x + y * 2) / 2, static_cast<int>(128 + 100 * std::sin(y / 15.0))));
    }
    // The deepest shadow and the brightest highlight, a few pixels each.
    for (int x = 100; x < 104; ++x) {
        picture.setPixel(x, 40, qRgb(0, 0, 0));
        picture.setPixel(x, 41, qRgb(255, 255, 255));
    }
    const QImage indexed = toIndexed256(picture);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_LE(indexed.colorCount(), 256);
    EXPECT_EQ(indexed, toIndexed256(picture));

    EXPECT_TRUE(indexed.colorTable().contains(qRgb(0, 0, 0)));
    EXPECT_TRUE(indexed.colorTable().contains(qRgb(255, 255, 255)));

    const QImage shown = indexed.convertToFormat(QImage::Format_RGB32);
    for (int by = 0; by < picture.height(); by += 8) {
        // The outermost columns hold the picture's reddest and least red colours, which no mix of
        // palette colours can quite reach.
        for (int bx = 8; bx < picture.width() - 8; bx += 8) {
            if (by == 40)
                continue;
            double wanted[3] = {0, 0, 0};
            double got[3] = {0, 0, 0};
            for (int y = by; y < by + 8; ++y) {
                for (int x = bx; x < bx + 8; ++x) {
                    const QRgb a = picture.pixel(x, y);
                    const QRgb b = shown.pixel(x, y);
                    wanted[0] += qRed(a), wanted[1] += qGreen(a), wanted[2] += qBlue(a);
                    got[0] += qRed(b), got[1] += qGreen(b), got[2] += qBlue(b);
                }
            }
            for (int k = 0; k < 3; ++k)
                ASSERT_NEAR(got[k] / 64, wanted[k] / 64, 4.0)
                    << "block " << bx << "," << by << " channel " << k;
        }
    }
}

} // namespace
} // namespace zyn::art
