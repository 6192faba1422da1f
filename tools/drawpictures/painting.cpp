#include "painting.h"

#include "noise.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace zyn::art {

QImage newScreen(QColor fill) {
    QImage picture(ScreenWidth, ScreenHeight, QImage::Format_RGB32);
    picture.fill(fill);
    return picture;
}

QColor mixColour(const QColor& a, const QColor& b, double t) {
    t = clamp01(t);
    return QColor::fromRgbF(static_cast<float>(mixValue(a.redF(), b.redF(), t)),
                            static_cast<float>(mixValue(a.greenF(), b.greenF(), t)),
                            static_cast<float>(mixValue(a.blueF(), b.blueF(), t)),
                            static_cast<float>(mixValue(a.alphaF(), b.alphaF(), t)));
}

QColor scaled(const QColor& colour, double factor) {
    return QColor::fromRgbF(static_cast<float>(clamp01(colour.redF() * factor)),
                            static_cast<float>(clamp01(colour.greenF() * factor)),
                            static_cast<float>(clamp01(colour.blueF() * factor)), colour.alphaF());
}

QColor gradientAt(std::initializer_list<QColor> stops, double t) {
    const std::vector<QColor> list(stops);
    if (list.size() == 1)
        return list.front();
    const double position = clamp01(t) * static_cast<double>(list.size() - 1);
    const auto index = std::min(static_cast<std::size_t>(position), list.size() - 2);
    return mixColour(list[index], list[index + 1], position - static_cast<double>(index));
}

void addGrain(QImage& picture, std::uint64_t seed, double amount) {
    Random random(seed);
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const int delta = static_cast<int>(std::lround((random.uniform() - 0.5) * 2 * amount));
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + delta, 0, 255), std::clamp(qGreen(p) + delta, 0, 255),
                     std::clamp(qBlue(p) + delta, 0, 255));
        }
    }
}

void vignette(QImage& picture, double strength) {
    const double cx = picture.width() / 2.0;
    const double cy = picture.height() / 2.0;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const double dx = (x - cx) / cx;
            const double dy = (y - cy) / cy;
            const double factor = 1.0 - strength * smoothStep(0.3, 1.5, dx * dx + dy * dy);
            const QRgb p = line[x];
            line[x] = qRgb(static_cast<int>(qRed(p) * factor), static_cast<int>(qGreen(p) * factor),
                           static_cast<int>(qBlue(p) * factor));
        }
    }
}

void drawScreenFrame(QImage& picture) {
    QPainter painter(&picture);
    const QRect outer = picture.rect();
    // From the outside in: dark rim, light bevel, mid body, dark inner edge.
    const QColor rings[] = {QColor(20, 18, 24), QColor(196, 188, 168), QColor(138, 128, 110),
                            QColor(96, 88, 76), QColor(28, 24, 22)};
    for (int i = 0; i < 5; ++i) {
        painter.setPen(rings[i]);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outer.adjusted(i, i, -1 - i, -1 - i));
    }
    // Light from the top left: brighten the bevel's top and left sides a little more.
    painter.setPen(QColor(232, 226, 206));
    painter.drawLine(1, 1, outer.width() - 3, 1);
    painter.drawLine(1, 1, 1, outer.height() - 3);
}

Mask::Mask() : image_(ScreenWidth, ScreenHeight, QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
}

} // namespace zyn::art
