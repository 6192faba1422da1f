#include "noise.h"
#include "painting.h"
#include "scenes.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace zyn::art {

namespace {

constexpr double SeaLevel = 0.5;

// Land height at a pixel: warped fractal noise lifted in the middle and sunk towards the edges,
// so that one large island (and a few islets) rise from the sea.
class Terrain {
public:
    explicit Terrain(std::uint64_t seed) : noise_(seed), heights_(ScreenWidth * ScreenHeight) {
        for (int y = 0; y < ScreenHeight; ++y) {
            for (int x = 0; x < ScreenWidth; ++x)
                heights_[y * ScreenWidth + x] = compute(x, y);
        }
    }

    double at(int x, int y) const {
        x = std::clamp(x, 0, ScreenWidth - 1);
        y = std::clamp(y, 0, ScreenHeight - 1);
        return heights_[y * ScreenWidth + x];
    }
    const Noise& noise() const { return noise_; }

private:
    double compute(int x, int y) const {
        const double wx = x + (noise_.fbm(x / 90.0, y / 90.0, 3) - 0.5) * 56;
        const double wy = y + (noise_.fbm(x / 90.0 + 40, y / 90.0, 3) - 0.5) * 56;
        const double dx = (wx - 330) / 235.0;
        const double dy = (wy - 248) / 160.0;
        const double lift = 0.32 - (dx * dx + dy * dy) * 0.36;
        return noise_.fbm(wx / 120.0, wy / 120.0, 7) + lift;
    }

    Noise noise_;
    std::vector<double> heights_;
};

QColor landColour(double h, double shade) {
    const double e = (h - SeaLevel) / 0.45; // 0 at the shore, about 1 on the peaks
    QColor c;
    if (e < 0.04)
        c = QColor(200, 184, 132); // beaches
    else
        c = gradientAt({QColor(132, 130, 80), QColor(146, 130, 84), QColor(150, 124, 90),
                        QColor(136, 120, 110), QColor(226, 222, 214)},
                       clamp01((e - 0.04) / 0.96));
    return scaled(c, 0.55 + shade * 0.75);
}

QColor seaColour(double h, int x, int y, const Noise& noise) {
    const double shallow = smoothStep(SeaLevel - 0.16, SeaLevel, h);
    QColor c = mixColour(QColor(10, 24, 56), QColor(34, 86, 118), shallow);
    c = scaled(c, 0.9 + noise.fbm(x / 12.0, y / 4.0, 2) * 0.2);
    // Surf along the shore.
    c = mixColour(c, QColor(170, 206, 214), smoothStep(SeaLevel - 0.012, SeaLevel, h) * 0.7);
    // Faint map grid.
    if (x % 64 == 0 || y % 64 == 0)
        c = mixColour(c, QColor(70, 120, 160), 0.35);
    return c;
}

struct Marker {
    QPointF position;
    QColor colour;
};

std::vector<Marker> chooseMarkers(const Terrain& terrain, Random& random) {
    std::vector<Marker> markers;
    const QColor colours[] = {QColor(255, 70, 50),  QColor(255, 210, 60), QColor(255, 70, 50),
                              QColor(90, 220, 255), QColor(255, 210, 60), QColor(255, 70, 50)};
    for (int attempt = 0; attempt < 5000 && markers.size() < 6; ++attempt) {
        const int x = 60 + random.below(ScreenWidth - 120);
        const int y = 60 + random.below(ScreenHeight - 100);
        const double h = terrain.at(x, y);
        if (h < SeaLevel + 0.02 || h > SeaLevel + 0.2)
            continue;
        bool crowded = false;
        for (const Marker& m : markers)
            crowded = crowded || std::hypot(m.position.x() - x, m.position.y() - y) < 90;
        if (!crowded)
            markers.push_back({QPointF(x, y), colours[markers.size()]});
    }
    return markers;
}

} // namespace

QImage drawIslandMap(std::uint64_t seed) {
    QImage picture = newScreen();
    const Terrain terrain(seed);
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ScreenWidth; ++x) {
            const double h = terrain.at(x, y);
            if (h < SeaLevel) {
                line[x] = seaColour(h, x, y, terrain.noise()).rgb();
                continue;
            }
            // Relief shading with light from the upper left.
            const double gx = (terrain.at(x + 1, y) - terrain.at(x - 1, y)) * 60;
            const double gy = (terrain.at(x, y + 1) - terrain.at(x, y - 1)) * 60;
            const double norm = std::sqrt(gx * gx + gy * gy + 1);
            const double shade = clamp01((-gx * -0.6 + -gy * -0.6 + 0.55) / norm);
            line[x] = landColour(h, shade).rgb();
        }
    }

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    Random random(seed + 7);
    const std::vector<Marker> markers = chooseMarkers(terrain, random);
    // A dotted route that visits each place once, always going on to the nearest one left.
    std::vector<QPointF> route;
    std::vector<bool> visited(markers.size(), false);
    for (std::size_t step = 0; step < markers.size(); ++step) {
        std::size_t next = 0;
        double best = 1e9;
        for (std::size_t i = 0; i < markers.size(); ++i) {
            const double distance = route.empty()
                                        ? markers[i].position.x()
                                        : std::hypot(markers[i].position.x() - route.back().x(),
                                                     markers[i].position.y() - route.back().y());
            if (!visited[i] && distance < best) {
                best = distance;
                next = i;
            }
        }
        visited[next] = true;
        route.push_back(markers[next].position);
    }
    painter.setPen(QPen(QColor(255, 240, 200, 170), 1.6, Qt::DotLine));
    for (std::size_t i = 1; i < route.size(); ++i)
        painter.drawLine(route[i - 1], route[i]);
    for (const Marker& marker : markers) {
        QRadialGradient glow(marker.position, 16);
        QColor halo = marker.colour;
        halo.setAlpha(120);
        glow.setColorAt(0, halo);
        halo.setAlpha(0);
        glow.setColorAt(1, halo);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(marker.position, 16, 16);
        painter.setPen(QPen(QColor(20, 10, 10), 1.5));
        painter.setBrush(marker.colour);
        painter.drawEllipse(marker.position, 4.5, 4.5);
        painter.setPen(QPen(marker.colour, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(marker.position, 9, 9);
    }
    painter.end();
    vignette(picture, 0.35);
    return picture;
}

} // namespace zyn::art
