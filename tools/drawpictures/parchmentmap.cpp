#include "lettering.h"
#include "noise.h"
#include "painting.h"
#include "scenes.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace zyn::art {

namespace {

constexpr double Shore = 0.56;
const QColor Ink(62, 40, 26);

// Land rises towards the lower right, so the upper left (where text goes) stays open sea.
double landHeight(const Noise& noise, double x, double y) {
    return noise.fbm(x / 150.0, y / 150.0, 6) + (x - 330) / 1100.0 + (y - 250) / 1300.0;
}

QColor paper(const Noise& noise, int x, int y) {
    const double blotch = noise.fbm(x / 90.0 + 50, y / 90.0, 5);
    const double fibre = noise.fbm(x / 3.0, y / 30.0, 2);
    QColor c = mixColour(QColor(214, 190, 142), QColor(182, 150, 102), blotch);
    c = scaled(c, 0.95 + fibre * 0.08);
    // Tea-coloured stains with darker rims.
    const double stain = noise.fbm(x / 60.0 + 9, y / 60.0 - 4, 4);
    c = mixColour(c, QColor(160, 118, 70),
                  smoothStep(0.62, 0.66, stain) * 0.35 - smoothStep(0.66, 0.75, stain) * 0.15);
    // Age darkens and burns the edges.
    const double edge = std::min({x, y, ScreenWidth - 1 - x, ScreenHeight - 1 - y}) +
                        (noise.fbm(x / 20.0, y / 20.0, 3) - 0.5) * 24;
    c = mixColour(c, QColor(110, 70, 36), (1 - smoothStep(0, 60, edge)) * 0.75);
    c = mixColour(c, QColor(48, 26, 14), 1 - smoothStep(0, 8, edge));
    // Where the sheet was folded in three one way and in two the other.
    for (int fold : {213, 427}) {
        if (x == fold)
            c = scaled(c, 0.86);
        else if (x == fold + 1)
            c = scaled(c, 1.07);
    }
    if (y == 240)
        c = scaled(c, 0.86);
    else if (y == 241)
        c = scaled(c, 1.07);
    return c;
}

void paintCoasts(QImage& picture, const Noise& noise) {
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ScreenWidth; ++x) {
            const double h = landHeight(noise, x, y);
            const double gx = landHeight(noise, x + 1, y) - landHeight(noise, x - 1, y);
            const double gy = landHeight(noise, x, y + 1) - landHeight(noise, x, y - 1);
            const double slope = std::max(1e-4, std::hypot(gx, gy) / 2);
            const double distance = (h - Shore) / slope; // pixels to the shore, positive on land
            double ink = 1 - smoothStep(0.5, 1.5, std::abs(distance));
            if (distance < 0) {
                // Rings of ripples offshore, fainter further out.
                for (int ring = 1; ring <= 3; ++ring)
                    ink = std::max(ink,
                                   (0.5 - ring * 0.1) *
                                       (1 - smoothStep(0.2, 0.9, std::abs(distance + ring * 6.0))));
            } else if (distance < 9 && (x + y) % 4 == 0) {
                ink = std::max(ink, 0.35 * (1 - distance / 9)); // hatching inside the coast
            }
            QColor c = QColor::fromRgb(line[x]);
            if (distance > 0)
                c = mixColour(c, QColor(170, 150, 90), 0.18); // a faint wash over the land
            line[x] = mixColour(c, Ink, ink).rgb();
        }
    }
}

void paintMountain(QPainter& painter, QPointF foot, double size) {
    QPainterPath shade;
    shade.moveTo(foot + QPointF(0, -size));
    shade.lineTo(foot + QPointF(size * 0.9, 0));
    shade.lineTo(foot + QPointF(size * 0.1, 0));
    shade.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Ink.red(), Ink.green(), Ink.blue(), 70));
    painter.drawPath(shade);
    painter.setPen(QPen(Ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath outline;
    outline.moveTo(foot + QPointF(-size * 0.9, 0));
    outline.lineTo(foot + QPointF(0, -size));
    outline.lineTo(foot + QPointF(size * 0.9, 0));
    painter.drawPath(outline);
}

void paintTree(QPainter& painter, QPointF foot) {
    painter.setPen(QPen(Ink, 1.1));
    painter.setBrush(QColor(120, 120, 60, 90));
    painter.drawEllipse(foot + QPointF(0, -5), 3.2, 4);
    painter.drawLine(foot + QPointF(0, -1), foot + QPointF(0, 2));
}

void paintCompass(QPainter& painter, QPointF centre, double radius) {
    // Faint bearing lines across the sea.
    painter.setPen(QPen(QColor(Ink.red(), Ink.green(), Ink.blue(), 60), 0.8));
    for (int i = 0; i < 16; ++i) {
        const double a = i * 3.14159265 / 8;
        painter.drawLine(centre, centre + QPointF(std::cos(a), std::sin(a)) * 900);
    }
    painter.setPen(QPen(Ink, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 0.72, radius * 0.72);
    painter.drawEllipse(centre, radius * 0.66, radius * 0.66);
    // Eight points: the long four half dark, half light, as if lit from one side.
    for (int i = 7; i >= 0; --i) {
        const double a = i * 3.14159265 / 4 - 3.14159265 / 2;
        const double reach = i % 2 == 0 ? radius : radius * 0.55;
        const double width = i % 2 == 0 ? radius * 0.16 : radius * 0.12;
        const QPointF tip = centre + QPointF(std::cos(a), std::sin(a)) * reach;
        const QPointF side(-std::sin(a) * width, std::cos(a) * width);
        const QPointF base = centre + QPointF(std::cos(a), std::sin(a)) * width;
        painter.setPen(QPen(Ink, 1));
        painter.setBrush(Ink);
        painter.drawPolygon(QPolygonF{centre, tip, base + side});
        painter.setBrush(QColor(226, 206, 160));
        painter.drawPolygon(QPolygonF{centre, tip, base - side});
    }
    painter.setBrush(QColor(150, 40, 30));
    painter.drawEllipse(centre, 3, 3);
    LetteringStyle style;
    style.capHeight = radius * 0.26;
    style.weight = 0.18;
    const struct {
        const char* letter;
        QPointF direction;
    } quarters[] = {{"N", {0, -1}}, {"E", {1, 0}}, {"S", {0, 1}}, {"W", {-1, 0}}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    for (const auto& quarter : quarters) {
        QPainterPath letter = letteringPath(quarter.letter, style);
        const QRectF box = letter.boundingRect();
        const QPointF at = centre + quarter.direction * (radius + style.capHeight * 0.9);
        letter.translate(at - box.center());
        painter.drawPath(letter);
    }
}

} // namespace

QImage drawParchmentMap(std::uint64_t seed) {
    QImage picture = newScreen();
    const Noise noise(seed);
    for (int y = 0; y < ScreenHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < ScreenWidth; ++x)
            line[x] = paper(noise, x, y).rgb();
    }
    paintCoasts(picture, noise);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    Random random(seed + 3);
    // Mountains on the high ground and woods on the lower slopes, set on a jittered grid so they
    // neither overlap nor line up.
    std::vector<QPointF> woods;
    for (int gy = 20; gy < ScreenHeight - 20; gy += 22) {
        for (int gx = 20; gx < ScreenWidth - 20; gx += 26) {
            // One statement each: the order in which a call's arguments are evaluated differs
            // between compilers, and the drawn order (y first) is the committed pictures'.
            const double dy = random.range(-6, 6);
            const QPointF p(gx + random.range(-8, 8), gy + dy);
            const double h = landHeight(noise, p.x(), p.y());
            if (h > Shore + 0.12 && random.below(4) != 0)
                paintMountain(painter, p, 7 + (h - Shore) * 40 + random.range(-2, 2));
            else if (h > Shore + 0.03 && noise.fbm(p.x() / 60.0, p.y() / 60.0 + 20, 3) > 0.55)
                woods.push_back(p);
        }
    }
    for (const QPointF& p : woods) {
        for (int i = 0; i < 3; ++i) {
            const double dy = random.range(-5, 5);
            paintTree(painter, p + QPointF(random.range(-8, 8), dy));
        }
    }
    // A dashed trail from the shore to a place inland marked with a cross.
    QPointF start(380, 470), goal(520, 300);
    double bestStart = 1e9, bestGoal = 1e9;
    for (int y = 200; y < 460; y += 4) {
        for (int x = 300; x < 600; x += 4) {
            const double h = landHeight(noise, x, y);
            const double shore =
                std::abs(h - Shore - 0.015) * 400 + std::hypot(x - 360, y - 400) * 0.1;
            if (shore < bestStart) {
                bestStart = shore;
                start = QPointF(x, y);
            }
            const double inland =
                std::abs(h - Shore - 0.08) * 400 + std::hypot(x - 540, y - 290) * 0.1;
            if (inland < bestGoal) {
                bestGoal = inland;
                goal = QPointF(x, y);
            }
        }
    }
    QPainterPath trail;
    trail.moveTo(start);
    const QPointF across = goal - start;
    trail.cubicTo(start + QPointF(across.x() * 0.1 + 30, across.y() * 0.5),
                  goal - QPointF(across.x() * 0.6, across.y() * 0.1 - 30), goal);
    painter.setPen(QPen(QColor(130, 30, 24), 2, Qt::DashLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(trail);
    painter.setPen(QPen(QColor(150, 30, 24), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(goal + QPointF(-8, -8), goal + QPointF(8, 8));
    painter.drawLine(goal + QPointF(8, -8), goal + QPointF(-8, 8));
    paintCompass(painter, QPointF(120, 370), 58);
    return picture;
}

} // namespace zyn::art
