#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <initializer_list>

namespace zyn::art {

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

QImage newScreen(QColor fill = Qt::black);

QColor mixColour(const QColor& a, const QColor& b, double t);
QColor scaled(const QColor& colour, double factor);

// The colour at `t` of a gradient given as evenly spaced stops.
QColor gradientAt(std::initializer_list<QColor> stops, double t);

// Adds fine seeded grain, as film or dithered game art has; keeps flat areas from looking empty.
void addGrain(QImage& picture, std::uint64_t seed, double amount);

// Darkens towards the corners.
void vignette(QImage& picture, double strength);

// The thin bevelled frame that the games draw along the screen edges of framed scenes.
void drawScreenFrame(QImage& picture);

// A coverage mask (0 to 1 per pixel) drawn with QPainter: lets per-pixel textures fill shapes.
class Mask {
public:
    Mask();
    QImage& image() { return image_; }
    double at(int x, int y) const { return qAlpha(image_.pixel(x, y)) / 255.0; }

private:
    QImage image_;
};

// Blends `colourAt(x, y)` into the picture wherever the mask covers it.
template <typename ColourAt>
void fillThrough(QImage& picture, const Mask& mask, ColourAt colourAt) {
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const double cover = mask.at(x, y);
            if (cover <= 0)
                continue;
            const QColor c = colourAt(x, y);
            line[x] = cover >= 1 ? c.rgb() : mixColour(QColor::fromRgb(line[x]), c, cover).rgb();
        }
    }
}

} // namespace zyn::art
