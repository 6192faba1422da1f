#include "noise.h"
#include "painting.h"
#include "perspective.h"
#include "scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>
#include <cmath>

namespace zyn::art {

namespace {

// The room in metres: x across (-3 .. 3), y up (0 .. 3), z away from the viewer (up to BackWall).
constexpr double HalfWidth = 3.0;
constexpr double Height = 3.0;
constexpr double BackWall = 5.8;
constexpr double EyeX = 0.2;
constexpr double EyeY = 1.55;
constexpr double Focal = 230;
constexpr double CentreX = 330;
constexpr double CentreY = 228;

// The window in the back wall, and the sun that shines in through it.
constexpr double WindowLeft = -1.6, WindowRight = 0.3, WindowBottom = 1.0, WindowTop = 2.4;
constexpr double SunX = 0.32, SunY = 0.5, SunZ = 0.8;

const Perspective View{{EyeX, EyeY, 0}, Focal, {CentreX, CentreY}};

QPointF project(Point3 p) {
    return View.project(p);
}

QPolygonF quad(Point3 a, Point3 b, Point3 c, Point3 d) {
    return View.quad(a, b, c, d);
}

// Whether sunlight reaches this point through the window (nothing else casts a shadow).
bool sunlit(Point3 p) {
    const double t = (BackWall - p.z) / SunZ;
    const double x = p.x + SunX * t;
    const double y = p.y + SunY * t;
    return t > 0 && x > WindowLeft && x < WindowRight && y > WindowBottom && y < WindowTop;
}

QColor outsideView(double x, double y) {
    // Seen through the window: sky, a far shore and the sea.
    if (y > 1.45 + 0.05 * std::sin(x * 5))
        return gradientAt({QColor(232, 214, 170), QColor(150, 180, 206), QColor(96, 136, 190)},
                          (y - 1.45) / 0.9);
    if (y > 1.38)
        return QColor(88, 118, 108);
    return mixColour(QColor(60, 104, 140), QColor(120, 160, 180), (y - 1.0) / 0.38);
}

QColor surfaceAt(const Noise& noise, int px, int py) {
    const double dx = (px - CentreX) / Focal;
    const double dy = -(py - CentreY) / Focal;
    // Nearest of the room's planes along the ray through this pixel (z = 1 at unit distance).
    double t = BackWall;
    int plane = 0; // 0 back, 1 floor, 2 ceiling, 3 left, 4 right
    auto consider = [&](double candidate, int which) {
        if (candidate > 0 && candidate < t) {
            t = candidate;
            plane = which;
        }
    };
    if (dy < 0)
        consider(-EyeY / dy, 1);
    if (dy > 0)
        consider((Height - EyeY) / dy, 2);
    if (dx < 0)
        consider((-HalfWidth - EyeX) / dx, 3);
    if (dx > 0)
        consider((HalfWidth - EyeX) / dx, 4);
    const Point3 p{EyeX + dx * t, EyeY + dy * t, t};

    // Light: daylight falls off away from the window; corners stay darker.
    const double fromWindow = std::hypot(p.x + 0.7, p.z - BackWall) + std::abs(p.y - 1.7) * 0.5;
    double light = 0.62 + 0.45 * std::exp(-fromWindow * 0.35);
    const double edge =
        std::min({HalfWidth - std::abs(p.x), p.y, Height - p.y, BackWall - p.z}) + 0.01;
    light *= 0.78 + 0.22 * smoothStep(0, 0.5, edge);
    QColor c;
    switch (plane) {
    case 1: { // floor: planks running into the room
        const double plank = std::floor(p.x / 0.24);
        const double shift = noise.at(plank * 3.1, 0.5) * 4;
        const double board = std::floor((p.z + shift) / 1.6);
        const double tone = noise.at(plank * 1.7, board * 2.3);
        const double grain = noise.fbm(p.x * 40, (p.z + shift) * 3, 3);
        c = mixColour(QColor(82, 66, 58), QColor(120, 98, 80), tone * 0.7 + grain * 0.5);
        const double seam =
            std::min(std::abs(p.x / 0.24 - std::round(p.x / 0.24)) * 0.24,
                     std::abs((p.z + shift) / 1.6 - std::round((p.z + shift) / 1.6)) * 1.6);
        if (seam < 0.008 + p.z * 0.0015)
            c = scaled(c, 0.6);
        break;
    }
    case 2: { // ceiling with beams across the room
        c = mixColour(QColor(178, 176, 160), QColor(150, 148, 132), noise.fbm(p.x, p.z, 4));
        light *= 0.9;
        break;
    }
    default: {
        const double across = plane == 0 ? p.x : p.z;
        if (plane == 0 && p.x > WindowLeft && p.x < WindowRight && p.y > WindowBottom &&
            p.y < WindowTop)
            return outsideView(p.x, p.y);
        if (p.y < 0.95) {
            // Panelled lower wall.
            const double panel = std::fmod(across + 10, 0.8);
            c = QColor(64, 86, 92);
            if (panel < 0.05 || panel > 0.75 || p.y < 0.1 || p.y > 0.85)
                c = QColor(74, 98, 104);
            if (std::abs(p.y - 0.95) < 0.03)
                c = QColor(96, 118, 120);
        } else {
            const double stain = noise.fbm(across * 1.3, p.y * 1.3 + plane, 5);
            c = mixColour(QColor(176, 178, 160), QColor(142, 146, 128), stain);
        }
        break;
    }
    }
    if (sunlit(p))
        light += 0.35;
    return scaled(c, light);
}

void paintBox(QPainter& painter, const Box3& box, const QColor& colour) {
    zyn::art::paintBox(painter, View, box, colour);
}

void paintBeams(QPainter& painter) {
    for (double z = BackWall - 0.9; z > 0.8; z -= 1.3)
        paintBox(painter, {{-HalfWidth, Height - 0.2, z}, {HalfWidth, Height, z + 0.22}},
                 QColor(104, 80, 62));
}

void paintWindowFittings(QPainter& painter) {
    const double z = BackWall - 0.01;
    const QColor wood(96, 70, 52);
    painter.setPen(Qt::NoPen);
    // Frame and glazing bars.
    painter.setBrush(wood);
    const double bar = 0.06;
    for (double x : {WindowLeft, (WindowLeft + WindowRight) / 2, WindowRight})
        painter.drawPolygon(quad({x - bar, WindowBottom, z}, {x + bar, WindowBottom, z},
                                 {x + bar, WindowTop, z}, {x - bar, WindowTop, z}));
    for (double y : {WindowBottom, (WindowBottom + WindowTop) / 2, WindowTop})
        painter.drawPolygon(quad({WindowLeft - bar, y - bar, z}, {WindowRight + bar, y - bar, z},
                                 {WindowRight + bar, y + bar, z}, {WindowLeft - bar, y + bar, z}));
    // Sill.
    paintBox(painter,
             {{WindowLeft - 0.18, WindowBottom - 0.1, BackWall - 0.22},
              {WindowRight + 0.18, WindowBottom - 0.02, BackWall}},
             QColor(120, 92, 70));
    // Curtains hanging in folds on both sides.
    for (int side = 0; side < 2; ++side) {
        const double inner = side == 0 ? WindowLeft + 0.25 : WindowRight - 0.25;
        const double outer = side == 0 ? WindowLeft - 0.45 : WindowRight + 0.45;
        const QPointF topInner = project({inner, WindowTop + 0.2, z - 0.05});
        const QPointF topOuter = project({outer, WindowTop + 0.2, z - 0.05});
        const QPointF bottomInner =
            project({(inner + outer) / 2 + (side == 0 ? -0.05 : 0.05), 0.7, z - 0.05});
        const QPointF bottomOuter = project({outer, 0.7, z - 0.05});
        QPainterPath cloth;
        cloth.moveTo(topOuter);
        cloth.lineTo(topInner);
        cloth.quadTo(project({(inner + outer) / 2, WindowBottom + 0.4, z - 0.05}), bottomInner);
        cloth.lineTo(bottomOuter);
        cloth.closeSubpath();
        QLinearGradient folds(topOuter.x(), 0, topInner.x(), 0);
        for (int i = 0; i <= 6; ++i)
            folds.setColorAt(i / 6.0, i % 2 == 0 ? QColor(110, 40, 48) : QColor(150, 64, 66));
        painter.setBrush(folds);
        painter.drawPath(cloth);
    }
    painter.setBrush(QColor(60, 44, 36));
    painter.drawPolygon(quad({WindowLeft - 0.6, WindowTop + 0.2, z - 0.06},
                             {WindowRight + 0.6, WindowTop + 0.2, z - 0.06},
                             {WindowRight + 0.6, WindowTop + 0.26, z - 0.06},
                             {WindowLeft - 0.6, WindowTop + 0.26, z - 0.06}));
}

void paintBookshelf(QPainter& painter, Random& random) {
    const double x = -HalfWidth + 0.38;
    const double z0 = 3.4, z1 = 5.2;
    paintBox(painter, {{-HalfWidth, 0, z0}, {x, 2.3, z1}}, QColor(92, 64, 46));
    const QColor spines[] = {QColor(120, 36, 32),  QColor(40, 70, 110), QColor(60, 96, 52),
                             QColor(150, 120, 60), QColor(90, 50, 90),  QColor(130, 90, 60)};
    for (int shelf = 0; shelf < 4; ++shelf) {
        const double bottom = 0.15 + shelf * 0.54;
        // The dark back of each compartment, then the books standing in it.
        painter.setBrush(QColor(40, 28, 22));
        painter.drawPolygon(
            quad({x + 0.001, bottom, z0 + 0.06}, {x + 0.001, bottom + 0.46, z0 + 0.06},
                 {x + 0.001, bottom + 0.46, z1 - 0.06}, {x + 0.001, bottom, z1 - 0.06}));
        double z = z0 + 0.08;
        while (z < z1 - 0.14) {
            const double thickness = random.range(0.05, 0.1);
            const double tall = random.range(0.3, 0.43);
            if (random.below(9) != 0) {
                painter.setBrush(spines[random.below(6)]);
                painter.drawPolygon(quad({x + 0.002, bottom, z}, {x + 0.002, bottom + tall, z},
                                         {x + 0.002, bottom + tall, z + thickness},
                                         {x + 0.002, bottom, z + thickness}));
            }
            z += thickness + 0.005;
        }
    }
}

void paintTable(QPainter& painter) {
    const QColor wood(118, 84, 58);
    const double x0 = 0.3, x1 = 1.9, z0 = 3.3, z1 = 4.3, top = 0.78;
    for (auto [lx, lz] : std::array<std::pair<double, double>, 4>{{{x0 + 0.05, z1 - 0.12},
                                                                   {x1 - 0.12, z1 - 0.12},
                                                                   {x0 + 0.05, z0 + 0.05},
                                                                   {x1 - 0.12, z0 + 0.05}}})
        paintBox(painter, {{lx, 0, lz}, {lx + 0.07, top, lz + 0.07}}, scaled(wood, 0.8));
    paintBox(painter, {{x0, top, z0}, {x1, top + 0.06, z1}}, wood);
    // On it: a closed book, a jug and a candle with its glow.
    paintBox(painter, {{0.6, top + 0.06, 3.6}, {0.95, top + 0.12, 3.85}}, QColor(56, 76, 120));
    paintBox(painter, {{1.35, top + 0.06, 3.9}, {1.5, top + 0.34, 4.05}}, QColor(170, 150, 120));
    const QPointF candle = project({1.15, top + 0.24, 3.55});
    QRadialGradient glow(candle, 60);
    glow.setColorAt(0, QColor(255, 230, 160, 150));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    painter.setBrush(glow);
    painter.drawEllipse(candle, 60, 60);
    paintBox(painter, {{1.12, top + 0.06, 3.53}, {1.18, top + 0.2, 3.58}}, QColor(230, 222, 200));
    painter.setBrush(QColor(255, 236, 170));
    painter.drawEllipse(candle + QPointF(0, 2), 2.2, 4.5);
}

void paintChair(QPainter& painter) {
    const QColor wood(100, 70, 50);
    const double x0 = -0.4, x1 = 0.1, z0 = 3.55, z1 = 4.05, seat = 0.46;
    for (auto [lx, lz] : std::array<std::pair<double, double>, 4>{
             {{x0, z1 - 0.05}, {x1 - 0.05, z1 - 0.05}, {x0, z0}, {x1 - 0.05, z0}}})
        paintBox(painter, {{lx, 0, lz}, {lx + 0.05, seat, lz + 0.05}}, scaled(wood, 0.8));
    paintBox(painter, {{x0, seat, z0}, {x1, seat + 0.05, z1}}, wood);
    paintBox(painter, {{x0, seat, z1 - 0.05}, {x0 + 0.05, seat + 0.55, z1}}, wood);
    paintBox(painter, {{x1 - 0.05, seat, z1 - 0.05}, {x1, seat + 0.55, z1}}, wood);
    paintBox(painter, {{x0, seat + 0.4, z1 - 0.05}, {x1, seat + 0.52, z1}}, wood);
}

void paintChest(QPainter& painter) {
    paintBox(painter, {{HalfWidth - 0.7, 0, 2.4}, {HalfWidth - 0.05, 0.55, 3.5}},
             QColor(104, 70, 44));
    paintBox(painter, {{HalfWidth - 0.72, 0.55, 2.38}, {HalfWidth - 0.03, 0.62, 3.52}},
             QColor(84, 56, 38));
    // Iron bands over the lid and down the side that faces the room, and a lock.
    const double side = HalfWidth - 0.721;
    painter.setBrush(QColor(52, 50, 54));
    for (double z : {2.6, 3.25}) {
        painter.drawPolygon(
            quad({side, 0, z}, {side, 0.621, z}, {side, 0.621, z + 0.07}, {side, 0, z + 0.07}));
        painter.drawPolygon(quad({side, 0.621, z}, {HalfWidth - 0.03, 0.621, z},
                                 {HalfWidth - 0.03, 0.621, z + 0.07}, {side, 0.621, z + 0.07}));
    }
    painter.setBrush(QColor(180, 150, 70));
    painter.drawPolygon(
        quad({side, 0.42, 2.9}, {side, 0.54, 2.9}, {side, 0.54, 3.0}, {side, 0.42, 3.0}));
}

// A bed along the right wall, head to the back.
void paintBed(QPainter& painter) {
    const double x0 = HalfWidth - 1.05, x1 = HalfWidth - 0.02;
    const double z0 = 3.7, z1 = BackWall - 0.05;
    const QColor wood(96, 64, 44);
    paintBox(painter, {{x0, 0, z0}, {x1, 0.42, z1}}, wood);
    paintBox(painter, {{x0, 0, z1 - 0.08}, {x1, 1.05, z1}}, scaled(wood, 0.9));
    paintBox(painter, {{x0 + 0.04, 0.42, z0 + 0.05}, {x1 - 0.02, 0.56, z1 - 0.1}},
             QColor(210, 206, 190));
    paintBox(painter, {{x0 + 0.12, 0.56, z1 - 0.55}, {x1 - 0.12, 0.68, z1 - 0.14}},
             QColor(232, 228, 214));
    paintBox(painter, {{x0 + 0.02, 0.44, z0 + 0.02}, {x1 - 0.01, 0.6, z1 - 0.62}},
             QColor(70, 96, 140));
    paintBox(painter, {{x0, 0, z0}, {x0 + 0.08, 0.7, z0 + 0.08}}, wood);
}

void paintWallPicture(QPainter& painter) {
    const double x = HalfWidth - 0.01;
    painter.setBrush(QColor(120, 92, 48));
    painter.drawPolygon(quad({x, 1.3, 4.0}, {x, 2.2, 4.0}, {x, 2.2, 5.3}, {x, 1.3, 5.3}));
    const QPolygonF canvas = quad({x, 1.38, 4.1}, {x, 2.12, 4.1}, {x, 2.12, 5.2}, {x, 1.38, 5.2});
    QLinearGradient sea(canvas.boundingRect().topLeft(), canvas.boundingRect().bottomLeft());
    sea.setColorAt(0, QColor(176, 156, 120));
    sea.setColorAt(0.55, QColor(120, 130, 120));
    sea.setColorAt(0.56, QColor(60, 80, 96));
    sea.setColorAt(1, QColor(40, 56, 70));
    painter.setBrush(sea);
    painter.drawPolygon(canvas);
}

void paintRug(QImage& picture, const Noise& noise) {
    Mask rug;
    {
        QPainter painter(&rug.image());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPolygon(
            quad({-1.3, 0.001, 2.0}, {1.4, 0.001, 2.0}, {1.4, 0.001, 3.9}, {-1.3, 0.001, 3.9}));
    }
    fillThrough(picture, rug, [&](int px, int py) {
        const double dx = (px - CentreX) / Focal;
        const double dy = -(py - CentreY) / Focal;
        const double t = -EyeY / dy;
        const double u = EyeX + dx * t;
        const double v = t;
        const double border = std::min({u + 1.3, 1.4 - u, v - 2.0, 3.9 - v});
        QColor c(112, 40, 44);
        if (border < 0.12)
            c = QColor(60, 40, 60);
        else if (border < 0.18)
            c = QColor(196, 160, 96);
        else if (std::fmod(std::abs(u - 0.05) + std::abs(v - 2.95), 0.5) < 0.08)
            c = QColor(60, 80, 100);
        const double wear = noise.fbm(u * 8, v * 8, 3);
        c = scaled(c, 0.75 + wear * 0.4);
        return sunlit({u, 0, v}) ? scaled(c, 1.35) : c;
    });
}

} // namespace

QImage drawRoomScene(std::uint64_t seed) {
    QImage picture = newScreen();
    const Noise noise(seed);
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ScreenWidth; ++x)
            line[x] = surfaceAt(noise, x, y).rgb();
    }
    paintRug(picture, noise);
    Random random(seed + 1);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        paintWindowFittings(painter);
        paintBeams(painter);
        paintWallPicture(painter);
        paintBookshelf(painter, random);
        paintBed(painter); // behind the table, so first
        paintTable(painter);
        paintChair(painter);
        paintChest(painter);
    }
    addGrain(picture, seed + 2, 2.5);
    drawScreenFrame(picture);
    return picture;
}

} // namespace zyn::art
