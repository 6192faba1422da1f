#include "noise.h"
#include "painting.h"
#include "scenes.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace zyn::art {

namespace {

constexpr int Horizon = 236;

// The sun stands low on the right; everything is lit from there.
constexpr double LightX = 0.75;
constexpr double LightY = -0.66;

struct Layers {
    std::vector<double> hills, meadow; // top edge of each band, per column
    QImage mountains;                  // the far range, transparent where there is sky
};

// Height of the far range at ground position (u, v); v grows away from the viewer.
double rangeHeight(const Noise& noise, double u, double v) {
    const double envelope = smoothStep(90, 150, v);
    const double peaks = noise.ridged(u / 120.0 + 7.7, v / 90.0, 5);
    return envelope * (std::pow(peaks, 2.2) * 54 + noise.fbm(u / 24.0, v / 24.0, 3) * 5);
}

// Renders the range as a height field seen from the meadow: march each screen column from near
// to far and draw what rises above everything drawn so far.
QImage renderRange(const Noise& noise) {
    QImage range(ScreenWidth, ScreenHeight, QImage::Format_ARGB32);
    range.fill(Qt::transparent);
    const double eyeHeight = 12;
    const double focal = 520;
    const double horizonY = Horizon + 14;
    for (int x = 0; x < ScreenWidth; ++x) {
        double drawnTop = horizonY + 40;
        for (double v = 80; v < 420; v *= 1.004) {
            const double u = (x - ScreenWidth / 2.0) / focal * v + 40;
            const double h = rangeHeight(noise, u, v);
            const double top = horizonY - (h - eyeHeight) / v * focal;
            if (top >= drawnTop)
                continue;
            const double du = rangeHeight(noise, u + 0.6, v) - rangeHeight(noise, u - 0.6, v);
            const double dv = rangeHeight(noise, u, v + 0.6) - rangeHeight(noise, u, v - 0.6);
            // Normal of the surface against a sun low on the right and a little ahead.
            const double nx = -du, ny = 1.2, nz = -dv;
            const double norm = std::sqrt(nx * nx + ny * ny + nz * nz);
            const double light = clamp01((nx * 0.7 + ny * 0.45 + nz * -0.55) / norm);
            QColor c = mixColour(QColor(52, 52, 82), QColor(184, 150, 136), light);
            const double snow = smoothStep(34, 44, h + noise.at(u / 6.0, v / 6.0) * 8) *
                                smoothStep(0.2, 0.4, ny / norm);
            c = mixColour(c, mixColour(QColor(134, 140, 180), QColor(246, 230, 216), light), snow);
            const double haze = smoothStep(80, 420, v) * 0.6 + 0.2;
            c = mixColour(c, QColor(150, 138, 160), haze);
            for (int y = std::max(0, static_cast<int>(top));
                 y < std::min<double>(drawnTop, ScreenHeight); ++y)
                range.setPixel(x, y, c.rgb());
            drawnTop = top;
        }
    }
    return range;
}

Layers shapeLayers(const Noise& noise) {
    Layers layers;
    layers.mountains = renderRange(noise);
    for (int x = 0; x < ScreenWidth; ++x) {
        layers.hills.push_back(Horizon + 20 - noise.fbm(x / 160.0, 5.5, 4) * 52 + x * 0.03);
        layers.meadow.push_back(Horizon + 58 - noise.fbm(x / 230.0, 9.2, 3) * 40 +
                                (x - 320) * (x - 320) / 9000.0);
    }
    return layers;
}

QColor skyAt(const Noise& noise, int x, int y) {
    const double t = y / double(Horizon);
    QColor c = gradientAt(
        {QColor(70, 78, 116), QColor(112, 108, 132), QColor(176, 146, 128), QColor(222, 182, 132)},
        t);
    const double dx = (x - 560) / 300.0;
    const double dy = (y - 200) / 200.0;
    c = mixColour(c, QColor(250, 214, 150), std::exp(-(dx * dx + dy * dy) * 3) * 0.5);
    // Heaped clouds: lit on their sun side, grey-violet underneath.
    const double body = noise.fbm(x / 150.0, y / 70.0, 5);
    const double cover =
        smoothStep(0.5, 0.62, body) * (1 - smoothStep(Horizon - 90, Horizon - 20, y));
    if (cover > 0) {
        const double lit = noise.fbm((x - 6) / 150.0, (y + 5) / 70.0, 5) - body;
        const QColor cloud =
            mixColour(QColor(118, 106, 130), QColor(246, 222, 190), clamp01(0.45 - lit * 9));
        c = mixColour(c, cloud, cover * 0.9);
    }
    return c;
}

QColor groundAt(const Noise& noise, const Layers& layers, int x, int y) {
    if (y >= layers.meadow[x]) {
        const double depth =
            clamp01((y - layers.meadow[x]) / (ScreenHeight - layers.meadow[x] + 1.0));
        const double patch = noise.fbm(x / 70.0, y / 24.0, 4);
        const double blades = noise.fbm(x / 2.5, y / (1.2 + depth * 6), 2);
        QColor c = mixColour(QColor(96, 112, 48), QColor(58, 82, 34), patch);
        c = mixColour(c, QColor(150, 140, 62), smoothStep(0.6, 0.75, patch) * 0.6);
        c = scaled(c, 0.78 + blades * 0.4 - depth * 0.12);
        // The meadow's crest catches the light.
        return mixColour(c, QColor(196, 176, 96),
                         (1 - smoothStep(0, 10, y - layers.meadow[x])) * 0.5);
    }
    if (y >= layers.hills[x]) {
        const double slope =
            layers.hills[std::min(x + 3, ScreenWidth - 1)] - layers.hills[std::max(x - 3, 0)];
        const double light = clamp01(0.55 - slope * 0.06);
        const double fields = noise.fbm(x / 40.0, y / 8.0, 3);
        QColor c = mixColour(QColor(72, 90, 56), QColor(136, 140, 78), light);
        c = mixColour(c, QColor(150, 132, 76), smoothStep(0.55, 0.7, fields) * 0.7);
        // Hedgerows between the fields.
        const double hedge = std::abs(noise.at(x / 34.0 + 11, y / 7.0) - 0.5);
        c = mixColour(c, QColor(44, 60, 36), (1 - smoothStep(0.0, 0.03, hedge)) * 0.7);
        const double haze = 1 - smoothStep(0, 40, y - layers.hills[x]);
        return mixColour(c, QColor(170, 160, 140), haze * 0.35);
    }
    const QRgb rock = layers.mountains.pixel(x, y);
    if (qAlpha(rock) != 0)
        return QColor::fromRgb(rock);
    return skyAt(noise, x, y);
}

struct Tree {
    double x, foot, size;
    bool conifer;
};

// A leafy crown: a lumpy outline filled pixel by pixel, lit as a rough ball with clumps of leaves.
void paintCrown(QPainter& painter, const Noise& noise, QPointF centre, double radius,
                double distanceShade) {
    const int size = static_cast<int>(radius * 2.9) + 4;
    const QPointF origin = centre - QPointF(size / 2.0, size / 2.0);
    QImage shape(size, size, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter outline(&shape);
        outline.setRenderHint(QPainter::Antialiasing);
        outline.setPen(Qt::NoPen);
        outline.setBrush(Qt::black);
        // Lumps spread over a wide oval, so the outline is scalloped rather than round.
        for (int i = 0; i < 34; ++i) {
            const double a = i * 2.39996;
            const double reach = radius * 0.78 * std::sqrt((i + 0.5) / 34.0);
            const double r = radius * (0.2 + 0.2 * noise.at(centre.x() + i * 1.3, i * 0.9));
            outline.drawEllipse(QPointF(size / 2.0 + std::cos(a) * reach * 1.12,
                                        size / 2.0 + std::sin(a) * reach * 0.78),
                                r, r);
        }
    }
    QImage crown(size, size, QImage::Format_ARGB32);
    crown.fill(Qt::transparent);
    const double leaf = std::max(2.0, radius / 9.0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int alpha = qAlpha(shape.pixel(x, y));
            if (alpha == 0)
                continue;
            const double nx = (x - size / 2.0) / (radius * 1.15);
            const double ny = (y - size / 2.0) / (radius * 0.9);
            const double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
            const double clumps = noise.fbm((origin.x() + x) / leaf, (origin.y() + y) / leaf, 3);
            const double light =
                clamp01(nx * LightX * 0.8 + ny * LightY * 0.8 + nz * 0.45 + (clumps - 0.5) * 1.1);
            QColor c = gradientAt(
                {QColor(18, 34, 18), QColor(44, 72, 30), QColor(92, 118, 42), QColor(176, 172, 76)},
                light);
            c = scaled(c, distanceShade);
            c.setAlpha(alpha);
            crown.setPixelColor(x, y, c);
        }
    }
    painter.drawImage(origin, crown);
}

void paintBroadleaf(QPainter& painter, const Noise& noise, const Tree& tree, double distanceShade) {
    const double s = tree.size;
    // Shadow at the foot, thrown away from the sun.
    painter.setBrush(QColor(20, 30, 10, 80));
    painter.drawEllipse(QPointF(tree.x - s * 0.25, tree.foot), s * 0.45, s * 0.07);
    painter.setBrush(scaled(QColor(58, 42, 32), distanceShade));
    QPainterPath trunk;
    trunk.moveTo(tree.x - s * 0.08, tree.foot);
    trunk.lineTo(tree.x - s * 0.04, tree.foot - s * 0.75);
    trunk.lineTo(tree.x + s * 0.04, tree.foot - s * 0.75);
    trunk.lineTo(tree.x + s * 0.08, tree.foot);
    trunk.closeSubpath();
    painter.drawPath(trunk);
    painter.setPen(QPen(scaled(QColor(58, 42, 32), distanceShade), std::max(1.0, s * 0.03),
                        Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(tree.x, tree.foot - s * 0.5),
                     QPointF(tree.x - s * 0.22, tree.foot - s * 0.85));
    painter.drawLine(QPointF(tree.x, tree.foot - s * 0.6),
                     QPointF(tree.x + s * 0.2, tree.foot - s * 0.92));
    painter.setPen(Qt::NoPen);
    paintCrown(painter, noise, QPointF(tree.x, tree.foot - s * 1.0), s * 0.62, distanceShade);
}

void paintConifer(QPainter& painter, const Tree& tree, double distanceShade) {
    const double s = tree.size;
    painter.setBrush(scaled(QColor(34, 52, 40), distanceShade));
    QPainterPath shape;
    shape.moveTo(tree.x, tree.foot - s * 1.6);
    for (int tier = 0; tier < 4; ++tier) {
        const double y = tree.foot - s * 1.6 + (tier + 1) * s * 0.36;
        const double half = s * (0.14 + tier * 0.08);
        shape.lineTo(tree.x + half, y);
        shape.lineTo(tree.x + half * 0.5, y - s * 0.06);
    }
    shape.lineTo(tree.x + s * 0.05, tree.foot - s * 0.1);
    shape.lineTo(tree.x - s * 0.05, tree.foot - s * 0.1);
    for (int tier = 3; tier >= 0; --tier) {
        const double y = tree.foot - s * 1.6 + (tier + 1) * s * 0.36;
        const double half = s * (0.14 + tier * 0.08);
        shape.lineTo(tree.x - half * 0.5, y - s * 0.06);
        shape.lineTo(tree.x - half, y);
    }
    shape.closeSubpath();
    painter.drawPath(shape);
    // The sunlit flank.
    painter.setBrush(scaled(QColor(96, 112, 60, 150), distanceShade));
    QPainterPath lit;
    lit.moveTo(tree.x, tree.foot - s * 1.6);
    lit.lineTo(tree.x + s * 0.38, tree.foot - s * 0.16);
    lit.lineTo(tree.x + s * 0.08, tree.foot - s * 0.2);
    lit.closeSubpath();
    painter.drawPath(lit.intersected(shape));
}

// The path winds from the bottom edge up to the hills, narrowing with distance.
QPointF pathCentre(double t) {
    const double y = ScreenHeight + 4 - std::pow(t, 0.8) * (ScreenHeight - Horizon - 48);
    const double x = 330 + std::sin(t * 5.0) * 110 * (1 - t) - t * 40;
    return {x, y};
}

double pathHalfWidth(double t) {
    return 4 + 150 * std::pow(1 - t, 1.6);
}

// Specks of flowers and tufts in the meadow, larger and sparser towards the viewer.
void scatterFlowers(QImage& picture, const Layers& layers, const Mask& path, std::uint64_t seed) {
    Random random(seed);
    const QColor colours[] = {QColor(236, 230, 200), QColor(240, 206, 80), QColor(200, 70, 60),
                              QColor(170, 140, 210)};
    for (int i = 0; i < 1400; ++i) {
        const int x = random.below(ScreenWidth);
        const int y = random.below(ScreenHeight);
        if (y < layers.meadow[x] + 6 || path.at(x, y) > 0)
            continue;
        const double near = (y - layers.meadow[x]) / double(ScreenHeight - layers.meadow[x]);
        if (random.uniform() > near)
            continue;
        const QColor c = colours[random.below(4)];
        const int size = near > 0.6 ? 2 : 1;
        for (int dy = 0; dy < size; ++dy) {
            for (int dx = 0; dx < size; ++dx) {
                if (x + dx < ScreenWidth && y + dy < ScreenHeight)
                    picture.setPixelColor(x + dx, y + dy, scaled(c, 0.8 + near * 0.2));
            }
        }
    }
}

// A split-rail fence along the left side of the path.
void paintFence(QPainter& painter) {
    std::vector<QPointF> feet;
    std::vector<double> heights;
    for (double t = 0.04; t < 0.85; t += 0.07) {
        const QPointF c = pathCentre(t);
        feet.push_back(QPointF(c.x() - pathHalfWidth(t) - 8 - 26 * (1 - t), c.y()));
        heights.push_back(4 + 52 * std::pow(1 - t, 1.5));
    }
    const QColor wood(92, 70, 50);
    for (std::size_t i = 0; i + 1 < feet.size(); ++i) {
        for (double level : {0.45, 0.85}) {
            const QPointF a = feet[i] - QPointF(0, heights[i] * level);
            const QPointF b = feet[i + 1] - QPointF(0, heights[i + 1] * level);
            painter.setPen(QPen(scaled(wood, 1.15), std::max(1.0, heights[i] * 0.08), Qt::SolidLine,
                                Qt::RoundCap));
            painter.drawLine(a, b);
        }
    }
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < feet.size(); ++i) {
        const double w = std::max(1.5, heights[i] * 0.1);
        painter.setBrush(wood);
        painter.drawRect(QRectF(feet[i].x() - w / 2, feet[i].y() - heights[i], w, heights[i]));
        painter.setBrush(scaled(wood, 1.35));
        painter.drawRect(
            QRectF(feet[i].x() - w / 2, feet[i].y() - heights[i], w * 0.35, heights[i]));
    }
}

void paintBoulder(QPainter& painter, const Noise& noise, QPointF foot, double size) {
    QPainterPath stone;
    for (int i = 0; i <= 16; ++i) {
        const double a = 3.14159265 * i / 16;
        const double r = size * (0.8 + 0.35 * noise.at(foot.x() / 7 + i * 0.9, size));
        const QPointF p = foot + QPointF(-std::cos(a) * r * 1.2, -std::sin(a) * r * 0.8);
        if (i == 0)
            stone.moveTo(p);
        else
            stone.lineTo(p);
    }
    stone.closeSubpath();
    painter.setBrush(QColor(20, 30, 10, 90));
    painter.drawEllipse(foot + QPointF(-size * 0.4, 0), size * 1.4, size * 0.2);
    QRadialGradient shade(foot + QPointF(size * 0.4, -size * 0.7), size * 1.6);
    shade.setColorAt(0, QColor(196, 184, 160));
    shade.setColorAt(0.5, QColor(128, 122, 112));
    shade.setColorAt(1, QColor(60, 58, 60));
    painter.setBrush(shade);
    painter.drawPath(stone);
}

} // namespace

QImage drawLandscape(std::uint64_t seed) {
    QImage picture = newScreen();
    const Noise noise(seed);
    const Layers layers = shapeLayers(noise);
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ScreenWidth; ++x)
            line[x] = groundAt(noise, layers, x, y).rgb();
    }

    Mask path;
    {
        QPainter painter(&path.image());
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath outline;
        std::vector<QPointF> right;
        for (int i = 0; i <= 60; ++i) {
            const double t = i / 60.0;
            const QPointF c = pathCentre(t);
            const double w = pathHalfWidth(t);
            if (i == 0)
                outline.moveTo(c.x() - w, c.y());
            else
                outline.lineTo(c.x() - w, c.y());
            right.push_back({c.x() + w, c.y()});
        }
        for (auto it = right.rbegin(); it != right.rend(); ++it)
            outline.lineTo(*it);
        outline.closeSubpath();
        painter.fillPath(outline, Qt::black);
    }
    fillThrough(picture, path, [&](int x, int y) {
        const double grit = noise.fbm(x / 3.0, y / 2.0, 2);
        const double ruts = noise.fbm(x / 30.0, y / 6.0, 3);
        QColor c = mixColour(QColor(150, 120, 82), QColor(112, 88, 62), ruts);
        return scaled(c, 0.8 + grit * 0.35);
    });

    scatterFlowers(picture, layers, path, seed + 13);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    Random random(seed + 11);
    std::vector<Tree> trees;
    // Small conifers along the hill crests, larger trees in the meadow, biggest at the sides.
    for (int i = 0; i < 26; ++i) {
        const double x = random.range(0, ScreenWidth);
        trees.push_back({x, layers.hills[static_cast<int>(x)] + random.range(4, 16),
                         random.range(9, 15), true});
    }
    for (int i = 0; i < 9; ++i) {
        const double x = random.range(0, ScreenWidth);
        const double foot = layers.meadow[static_cast<int>(x)] + random.range(6, 30);
        trees.push_back({x, foot, 20 + (foot - Horizon) * 0.25, random.below(3) == 0});
    }
    trees.push_back({54, 470, 150, false});
    trees.push_back({598, 452, 120, false});
    std::sort(trees.begin(), trees.end(),
              [](const Tree& a, const Tree& b) { return a.foot < b.foot; });
    for (const Tree& tree : trees) {
        // Keep the path clear.
        bool onPath = false;
        for (int i = 0; i <= 40 && !onPath; ++i) {
            const QPointF c = pathCentre(i / 40.0);
            onPath = std::abs(c.y() - tree.foot) < 6 &&
                     std::abs(c.x() - tree.x) < pathHalfWidth(i / 40.0) + tree.size * 0.2;
        }
        if (onPath)
            continue;
        const double shade = 0.75 + 0.25 * clamp01((tree.foot - Horizon) / 200.0);
        if (tree.conifer)
            paintConifer(painter, tree, shade);
        else
            paintBroadleaf(painter, noise, tree, shade);
    }
    paintFence(painter);
    paintBoulder(painter, noise, QPointF(470, 430), 26);
    paintBoulder(painter, noise, QPointF(500, 440), 15);
    paintBoulder(painter, noise, QPointF(180, 330), 10);
    painter.end();
    vignette(picture, 0.25);
    addGrain(picture, seed + 5, 2.5);
    return picture;
}

} // namespace zyn::art
