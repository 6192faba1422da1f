#include "noise.h"
#include "painting.h"
#include "perspective.h"
#include "scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <vector>

namespace zyn::art {

namespace {

// A quay street at dusk: houses on the left, the street running away from the viewer, the
// harbour on the right. Metres: x across, y up, z away.
constexpr double FacadeX = -4.0; // house fronts
constexpr double QuayX = 2.6;    // edge of the quay
constexpr double WaterY = -0.9;
const Perspective View{{0, 1.7, 0}, 300, {400, 226}};

struct House {
    double z0, z1, height;
    QColor wall;
};

std::vector<House> houses(Random& random) {
    const QColor walls[] = {QColor(140, 100, 74), QColor(104, 112, 96), QColor(150, 126, 88),
                            QColor(120, 78, 70), QColor(130, 116, 100)};
    std::vector<House> list;
    for (double z = 1.0; z < 90;) {
        const double width = random.range(5, 8);
        list.push_back({z, z + width, random.range(6.5, 9.5), walls[random.below(5)]});
        z += width;
    }
    return list;
}

// The houses turn their stepped gables to the street.
double gableHeight(const House& house, double z) {
    const double half = (house.z1 - house.z0) / 2;
    const double fromMiddle = std::abs(z - (house.z0 + half)) / half;
    const double rise = std::min(1.0, (1 - fromMiddle) * 1.6);
    return house.height + std::floor(rise * 4) / 4 * 3.2;
}

const House* houseAt(const std::vector<House>& list, double z) {
    for (const House& house : list) {
        if (z >= house.z0 && z < house.z1)
            return &house;
    }
    return nullptr;
}

QColor skyAt(const Noise& noise, double px, double py) {
    const double t = clamp01(py / 240.0);
    QColor c = gradientAt(
        {QColor(54, 52, 76), QColor(92, 80, 100), QColor(160, 118, 108), QColor(206, 150, 110)}, t);
    const double cloud = noise.fbm(px / 160.0, py / 40.0, 5);
    const double cover = smoothStep(0.48, 0.66, cloud);
    const QColor cloudColour =
        mixColour(QColor(60, 54, 74), QColor(200, 140, 118), smoothStep(60, 220, py));
    return mixColour(c, cloudColour, cover * 0.8);
}

QColor cobbles(const Noise& noise, double x, double z) {
    const double row = std::floor(z / 0.22);
    const double shift = std::fmod(row, 2.0) * 0.14;
    const double column = std::floor((x + shift) / 0.28);
    const double u = (x + shift) / 0.28 - column;
    const double v = z / 0.22 - row;
    const double joint = std::min({u, 1 - u, v, 1 - v});
    const double stone = noise.at(column * 1.9, row * 2.7);
    QColor c = mixColour(QColor(82, 76, 78), QColor(116, 106, 100), stone);
    // Joints fade out with distance, where they would only flicker.
    const double jointWeight = 1 - smoothStep(8, 30, z);
    return scaled(c, 1 - jointWeight * 0.3 * (1 - smoothStep(0.04, 0.2, joint)));
}

QColor sceneAt(const Noise& noise, const std::vector<House>& list, int px, int py) {
    const Point3 d = View.ray(px + 0.5, py + 0.5);
    const Point3 eye = View.eye;
    // House fronts.
    if (d.x < 0) {
        const double t = (FacadeX - eye.x) / d.x;
        const double y = eye.y + d.y * t;
        const double z = t;
        const House* house = houseAt(list, z);
        if (house != nullptr && y >= 0 && y < gableHeight(*house, z)) {
            const double plaster = noise.fbm(z * 0.8, y * 0.8, 4);
            QColor c = scaled(house->wall, 0.78 + plaster * 0.35);
            if (y < 0.6)
                c = scaled(QColor(96, 90, 86), 0.8 + plaster * 0.3);
            const double fade = smoothStep(10, 90, z);
            return mixColour(scaled(c, 0.66), QColor(150, 116, 108), fade * 0.6);
        }
    }
    // The street, then the water beyond the quay edge.
    if (d.y < 0) {
        const double t = -eye.y / d.y;
        const double x = eye.x + d.x * t;
        if (x <= QuayX && x >= FacadeX) {
            QColor c = cobbles(noise, x, t);
            if (x > QuayX - 0.35)
                c = mixColour(QColor(140, 132, 122), QColor(110, 104, 98),
                              noise.at(t * 2, 0.5)); // kerb stones
            return mixColour(c, QColor(150, 116, 108), smoothStep(10, 90, t) * 0.6);
        }
        const double tw = (WaterY - eye.y) / d.y;
        const double xw = eye.x + d.x * tw;
        if (xw > QuayX) {
            // Water mirrors the sky, broken up by ripples that shrink with distance.
            const double ripple = noise.fbm(xw * 0.7, tw * 0.25, 4);
            const double mirrorY = 2 * View.centre.y() - py;
            QColor c = scaled(skyAt(noise, px + (ripple - 0.5) * 30, mirrorY), 0.6 + ripple * 0.35);
            return mixColour(c, QColor(36, 44, 60), 0.35);
        }
        // The quay wall seen from above the water.
        return scaled(QColor(84, 80, 80), 0.7 + noise.at(px / 6.0, py / 3.0) * 0.3);
    }
    // A low far shore under the sky.
    const double shore = View.centre.y() - 10 - noise.fbm(px / 50.0, 1.5, 4) * 16;
    if (px > 470 && py > shore && py <= View.centre.y() + 1)
        return mixColour(QColor(60, 56, 70), QColor(120, 96, 100), (py - shore) / 26.0);
    return skyAt(noise, px, py);
}

void paintHouseDetails(QPainter& painter, const std::vector<House>& list, Random& random) {
    const double x = FacadeX + 0.01;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const House& house = *it;
        // A cornice under the gable.
        painter.setBrush(QColor(70, 54, 48));
        painter.drawPolygon(View.quad({x, house.height - 0.2, house.z0},
                                      {x, house.height, house.z0}, {x, house.height, house.z1},
                                      {x, house.height - 0.2, house.z1}));
        // Windows in rows; a few of them lit.
        const int columns = static_cast<int>((house.z1 - house.z0 - 0.8) / 1.6);
        for (int floor = 0; floor < 3; ++floor) {
            const double y0 = 1.1 + floor * 2.6;
            if (y0 + 1.5 > house.height - 0.4)
                break;
            for (int i = 0; i < columns; ++i) {
                const double z0 = house.z0 + 0.8 + i * 1.6 + 0.2;
                const double z1 = z0 + 0.85;
                const bool door = floor == 0 && i == columns / 2;
                const double bottom = door ? 0 : y0;
                const double top = door ? 2.1 : y0 + 1.4;
                painter.setBrush(QColor(50, 36, 30));
                painter.drawPolygon(View.quad({x, bottom - 0.1, z0 - 0.1},
                                              {x, top + 0.15, z0 - 0.1}, {x, top + 0.15, z1 + 0.1},
                                              {x, bottom - 0.1, z1 + 0.1}));
                const bool lit = !door && random.below(3) == 0;
                painter.setBrush(door  ? QColor(74, 50, 40)
                                 : lit ? QColor(236, 188, 100)
                                       : QColor(40, 46, 62));
                painter.drawPolygon(
                    View.quad({x, bottom, z0}, {x, top, z0}, {x, top, z1}, {x, bottom, z1}));
                if (!door) {
                    painter.setBrush(QColor(50, 36, 30));
                    const double mid = (z0 + z1) / 2;
                    painter.drawPolygon(View.quad({x, bottom, mid - 0.03}, {x, top, mid - 0.03},
                                                  {x, top, mid + 0.03}, {x, bottom, mid + 0.03}));
                    painter.drawPolygon(View.quad(
                        {x, (bottom + top) / 2 - 0.03, z0}, {x, (bottom + top) / 2 + 0.03, z0},
                        {x, (bottom + top) / 2 + 0.03, z1}, {x, (bottom + top) / 2 - 0.03, z1}));
                }
            }
        }
    }
}

void paintBoat(QPainter& painter, double z, double length, const QColor& hull) {
    const double x = QuayX + 3.2;
    const double deck = WaterY + 0.7;
    QPainterPath shape;
    shape.moveTo(View.project({x - 0.9, deck, z}));
    shape.lineTo(View.project({x - 0.9, deck, z + length * 0.8}));
    shape.lineTo(View.project({x, deck + 0.2, z + length}));
    shape.lineTo(View.project({x - 0.6, WaterY, z + length * 0.8}));
    shape.lineTo(View.project({x - 0.6, WaterY, z + 0.3}));
    shape.closeSubpath();
    painter.setBrush(hull);
    painter.drawPath(shape);
    painter.setBrush(QColor(220, 210, 190));
    painter.drawPolygon(View.quad({x - 0.9, deck, z}, {x - 0.9, deck + 0.08, z},
                                  {x - 0.9, deck + 0.08, z + length * 0.8},
                                  {x - 0.9, deck, z + length * 0.8}));
    // Cabin, mast and furled sail.
    painter.setBrush(QColor(170, 150, 120));
    painter.drawPolygon(View.quad({x - 0.8, deck, z + 0.5}, {x - 0.8, deck + 0.7, z + 0.5},
                                  {x - 0.8, deck + 0.7, z + 1.6}, {x - 0.8, deck, z + 1.6}));
    const QPointF foot = View.project({x - 0.5, deck, z + length * 0.55});
    const QPointF head = View.project({x - 0.5, deck + length * 1.1, z + length * 0.55});
    painter.setPen(QPen(QColor(60, 44, 36), std::max(1.0, 40.0 / z)));
    painter.drawLine(foot, head);
    painter.drawLine(View.project({x - 0.5, deck + 1.2, z + length * 0.55}),
                     View.project({x - 0.5, deck + 1.0, z + 0.3}));
    painter.setPen(QPen(QColor(60, 44, 36, 160), 1));
    painter.drawLine(head, View.project({x, deck + 0.2, z + length}));
    painter.drawLine(head, View.project({x - 0.9, deck, z}));
    painter.setPen(Qt::NoPen);
}

void paintLamp(QPainter& painter, double z) {
    const double x = QuayX - 0.2;
    const QPointF foot = View.project({x, 0, z});
    const QPointF top = View.project({x, 3.6, z});
    const double scale = 300.0 / z;
    painter.setPen(QPen(QColor(30, 28, 32), std::max(1.0, 0.12 * scale)));
    painter.drawLine(foot, top);
    painter.setPen(Qt::NoPen);
    QRadialGradient glow(top, 1.8 * scale);
    glow.setColorAt(0, QColor(255, 220, 150, 170));
    glow.setColorAt(1, QColor(255, 190, 120, 0));
    painter.setBrush(glow);
    painter.drawEllipse(top, 1.8 * scale, 1.8 * scale);
    painter.setBrush(QColor(255, 236, 180));
    painter.drawRect(
        QRectF(top.x() - 0.12 * scale, top.y() - 0.3 * scale, 0.24 * scale, 0.35 * scale));
    painter.setBrush(QColor(30, 28, 32));
    painter.drawRect(
        QRectF(top.x() - 0.18 * scale, top.y() - 0.38 * scale, 0.36 * scale, 0.08 * scale));
}

// Mooring posts along the quay edge.
void paintBollards(QPainter& painter) {
    for (double z = 43; z >= 7; z -= 4.5) {
        const double x = QuayX - 0.3;
        const QPointF top = View.project({x, 0.55, z});
        const QPointF foot = View.project({x, 0, z});
        const double w = View.focal * 0.16 / z;
        QLinearGradient iron(top.x() - w, 0, top.x() + w, 0);
        iron.setColorAt(0, QColor(70, 66, 70));
        iron.setColorAt(0.35, QColor(120, 114, 112));
        iron.setColorAt(1, QColor(24, 22, 26));
        painter.setBrush(iron);
        painter.drawRoundedRect(QRectF(top.x() - w, top.y(), 2 * w, foot.y() - top.y()), w * 0.5,
                                w * 0.5);
        painter.drawEllipse(QRectF(top.x() - w * 1.3, top.y() - w * 0.3, 2.6 * w, w * 0.8));
    }
}

void paintBarrel(QPainter& painter, Point3 foot) {
    const QPointF bottom = View.project(foot);
    const QPointF top = View.project({foot.x, foot.y + 0.9, foot.z});
    const double w = View.focal * 0.32 / foot.z;
    QLinearGradient staves(bottom.x() - w, 0, bottom.x() + w, 0);
    staves.setColorAt(0, QColor(84, 56, 36));
    staves.setColorAt(0.6, QColor(150, 104, 64));
    staves.setColorAt(1, QColor(60, 40, 28));
    painter.setBrush(staves);
    painter.drawRoundedRect(QRectF(top.x() - w, top.y(), 2 * w, bottom.y() - top.y()), w * 0.35,
                            w * 0.2);
    painter.setBrush(QColor(50, 46, 48));
    for (double band : {0.18, 0.82}) {
        const double y = top.y() + (bottom.y() - top.y()) * band;
        painter.drawRect(QRectF(top.x() - w, y - w * 0.06, 2 * w, w * 0.12));
    }
    painter.setBrush(QColor(110, 78, 50));
    painter.drawEllipse(QRectF(top.x() - w * 0.95, top.y() - w * 0.2, 1.9 * w, w * 0.4));
}

void paintStreetClutter(QPainter& painter) {
    paintBox(painter, View, {{FacadeX + 0.1, 0, 12.0}, {FacadeX + 1.1, 0.9, 13.0}},
             QColor(140, 108, 70));
    paintBox(painter, View, {{FacadeX + 0.15, 0.9, 12.2}, {FacadeX + 0.95, 1.6, 12.9}},
             QColor(150, 118, 76));
    paintBox(painter, View, {{FacadeX + 0.1, 0, 13.2}, {FacadeX + 0.9, 0.7, 14.0}},
             QColor(128, 98, 64));
    paintBarrel(painter, {FacadeX + 1.6, 0, 8.0});
    paintBarrel(painter, {FacadeX + 1.0, 0, 7.2});
}

// A sign hanging from an iron bracket on the nearest house.
void paintSign(QPainter& painter) {
    const double z = 5.4;
    const QPointF wall = View.project({FacadeX, 4.1, z});
    const QPointF end = View.project({FacadeX + 1.3, 4.1, z});
    painter.setPen(QPen(QColor(28, 26, 30), 3));
    painter.drawLine(wall, end);
    painter.drawLine(View.project({FacadeX, 3.6, z}), View.project({FacadeX + 0.6, 4.1, z}));
    painter.setPen(QPen(QColor(28, 26, 30), 1.5));
    const QPointF hookA = View.project({FacadeX + 0.35, 4.1, z});
    const QPointF hookB = View.project({FacadeX + 1.15, 4.1, z});
    const QPointF boardA = View.project({FacadeX + 0.35, 3.85, z});
    const QPointF boardB = View.project({FacadeX + 1.15, 3.85, z});
    painter.drawLine(hookA, boardA);
    painter.drawLine(hookB, boardB);
    painter.setPen(QPen(QColor(40, 28, 20), 2));
    painter.setBrush(QColor(120, 40, 36));
    const QPointF boardBottom = View.project({FacadeX + 1.15, 3.05, z});
    const QRectF board(boardA, boardBottom);
    painter.drawRect(board);
    // A painted fish: the sign of a tavern by the water.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(226, 196, 120));
    const QPointF c = board.center();
    const double r = board.width() * 0.28;
    painter.drawEllipse(c, r, r * 0.5);
    painter.drawPolygon(QPolygonF{c + QPointF(r * 0.8, 0), c + QPointF(r * 1.5, -r * 0.45),
                                  c + QPointF(r * 1.5, r * 0.45)});
}

void paintLighthouse(QPainter& painter) {
    const Point3 base{58, WaterY, 150};
    const QPointF foot = View.project(base);
    const QPointF top = View.project({base.x, base.y + 18, base.z});
    const double w = 300.0 / base.z * 1.6;
    painter.setBrush(QColor(150, 140, 150));
    QPolygonF tower{QPointF(foot.x() - w, foot.y()), QPointF(top.x() - w * 0.6, top.y()),
                    QPointF(top.x() + w * 0.6, top.y()), QPointF(foot.x() + w, foot.y())};
    painter.drawPolygon(tower);
    painter.setBrush(QColor(150, 60, 60));
    painter.drawRect(QRectF(top.x() - w * 0.75, (foot.y() + top.y()) / 2 - 3, w * 1.5, 6));
    QRadialGradient glow(top, 14);
    glow.setColorAt(0, QColor(255, 240, 190, 230));
    glow.setColorAt(1, QColor(255, 220, 150, 0));
    painter.setBrush(glow);
    painter.drawEllipse(top, 14, 14);
}

} // namespace

QImage drawHarbourScene(std::uint64_t seed) {
    QImage picture = newScreen();
    const Noise noise(seed);
    Random random(seed + 1);
    const std::vector<House> list = houses(random);
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ScreenWidth; ++x)
            line[x] = sceneAt(noise, list, x, y).rgb();
    }
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        paintLighthouse(painter);
        paintHouseDetails(painter, list, random);
        const QColor hulls[] = {QColor(60, 80, 110), QColor(130, 50, 40), QColor(200, 190, 170),
                                QColor(50, 90, 70)};
        for (int i = 3; i >= 0; --i)
            paintBoat(painter, 9 + i * 8, 5.5 - i * 0.3, hulls[i]);
        paintBollards(painter);
        paintStreetClutter(painter);
        paintSign(painter);
        for (double z = 40; z >= 4; z -= 9)
            paintLamp(painter, z);
    }
    addGrain(picture, seed + 2, 2.5);
    vignette(picture, 0.2);
    drawScreenFrame(picture);
    return picture;
}

} // namespace zyn::art
