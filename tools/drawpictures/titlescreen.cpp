#include "lettering.h"
#include "noise.h"
#include "painting.h"
#include "scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace zyn::art {

namespace {

constexpr int Horizon = 318;
constexpr double SunX = 452;
constexpr double SunY = 306;

QColor skyAt(double y) {
    return gradientAt({QColor(12, 10, 40), QColor(40, 22, 78), QColor(104, 42, 104),
                       QColor(196, 84, 92), QColor(246, 146, 74), QColor(255, 206, 128)},
                      y / Horizon);
}

void paintSky(QImage& picture, const Noise& noise, Random& random) {
    for (int y = 0; y < Horizon; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const QColor base = skyAt(y);
        for (int x = 0; x < picture.width(); ++x) {
            const double dx = (x - SunX) / 260.0;
            const double dy = (y - SunY) / 150.0;
            const double glow = std::exp(-(dx * dx + dy * dy) * 2.2);
            QColor c = mixColour(base, QColor(255, 214, 150), glow * 0.55);
            // Long, flat clouds: lit from below near the horizon, dark violet above.
            const double band = noise.fbm(x / 210.0, y / 26.0, 5);
            const double cover = smoothStep(0.52, 0.68, band) * smoothStep(40, 170, y) *
                                 (1 - smoothStep(270, 312, y));
            if (cover > 0) {
                const double lit = smoothStep(120, 300, y) * (0.6 + 0.4 * glow);
                const QColor cloud = mixColour(QColor(58, 30, 76), QColor(255, 150, 110), lit);
                const double rim =
                    smoothStep(0.6, 0.75, noise.fbm(x / 90.0, (y + 3) / 12.0, 3)) * lit;
                c = mixColour(c, mixColour(cloud, QColor(255, 220, 170), rim * 0.5), cover * 0.85);
            }
            line[x] = c.rgb();
        }
    }
    // A few stars where the sky is still dark.
    for (int i = 0; i < 140; ++i) {
        const int x = random.below(picture.width());
        const int y = random.below(120);
        const double strength = random.range(0.2, 0.9) * (1 - y / 130.0);
        const QColor c =
            mixColour(QColor::fromRgb(picture.pixel(x, y)), QColor(240, 236, 255), strength);
        picture.setPixel(x, y, c.rgb());
    }
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sun(SunX, SunY, 30);
    sun.setColorAt(0, QColor(255, 250, 214));
    sun.setColorAt(0.85, QColor(255, 226, 150));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    painter.setBrush(sun);
    painter.setPen(Qt::NoPen);
    painter.setClipRect(0, 0, picture.width(), Horizon);
    painter.drawEllipse(QPointF(SunX, SunY), 30, 30);
}

void paintSea(QImage& picture, const Noise& noise) {
    for (int y = Horizon; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const double depth = (y - Horizon) / double(picture.height() - Horizon);
        const QColor base = gradientAt(
            {QColor(200, 112, 96), QColor(92, 44, 90), QColor(30, 20, 56), QColor(12, 10, 30)},
            std::pow(depth, 0.6));
        for (int x = 0; x < picture.width(); ++x) {
            // Waves get longer and taller towards the viewer.
            const double scale = 0.15 + depth * 1.6;
            const double wave = noise.fbm(x / (40.0 * scale), y / (2.2 * scale), 3);
            QColor c = scaled(base, 0.8 + 0.45 * wave);
            // The sun's path: glints that spread with distance from the horizon.
            const double spread = 18 + depth * 120;
            const double across = std::abs(x - SunX) / spread;
            const double glint = std::exp(-across * across * 2) * smoothStep(0.55, 0.8, wave);
            c = mixColour(c, QColor(255, 224, 160), glint * (1 - depth * 0.6));
            line[x] = c.rgb();
        }
    }
}

QPainterPath ridge(const Noise& noise, double left, double right, double base, double peak,
                   double peakX, double roughness) {
    QPainterPath path;
    path.moveTo(left, base);
    for (double x = left; x <= right; x += 2) {
        const double t = (x - peakX) / (x < peakX ? peakX - left : right - peakX);
        const double shape = std::exp(-t * t * 2.6) * smoothStep(left, left + 50, x) *
                             smoothStep(right, right - 50, x);
        const double detail = (noise.fbm(x / 60.0, peak / 10.0, 5) - 0.5) * roughness;
        path.lineTo(x, base - (base - peak) * shape - detail * shape * 2);
    }
    path.lineTo(right, base);
    path.closeSubpath();
    return path;
}

void paintLand(QImage& picture, const Noise& noise) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Far island: hazy; nearer headland: darker.
    painter.setBrush(QColor(118, 58, 102));
    painter.drawPath(ridge(noise, -40, 330, Horizon + 1, 214, 120, 60));
    painter.setBrush(QColor(76, 34, 80));
    painter.drawPath(ridge(noise, 150, 300, Horizon + 1, 262, 232, 30));
    painter.setBrush(QColor(44, 22, 56));
    painter.drawPath(ridge(noise, 520, 700, Horizon + 1, 250, 640, 40));

    // A rocky point in the foreground with a lighthouse on it.
    QPainterPath rock;
    rock.moveTo(0, 480);
    rock.lineTo(0, 380);
    for (double x = 0; x <= 200; x += 3) {
        const double top =
            380 + std::pow(x / 200.0, 2.2) * 100 + (noise.fbm(x / 20.0, 3.3, 3) - 0.5) * 26;
        rock.lineTo(x, top);
    }
    rock.lineTo(200, 480);
    rock.closeSubpath();
    QLinearGradient rockShade(0, 370, 0, 480);
    rockShade.setColorAt(0, QColor(40, 20, 40));
    rockShade.setColorAt(1, QColor(10, 6, 16));
    painter.setBrush(rockShade);
    painter.drawPath(rock);

    const double towerX = 70;
    const double towerBase = 386;
    QPainterPath tower;
    tower.moveTo(towerX - 11, towerBase);
    tower.lineTo(towerX - 7, towerBase - 78);
    tower.lineTo(towerX + 7, towerBase - 78);
    tower.lineTo(towerX + 11, towerBase);
    tower.closeSubpath();
    painter.setBrush(QColor(26, 14, 30));
    painter.drawPath(tower);
    painter.drawRect(QRectF(towerX - 10, towerBase - 84, 20, 6));
    painter.drawRect(QRectF(towerX - 6, towerBase - 98, 12, 14));
    QPainterPath roof;
    roof.moveTo(towerX - 8, towerBase - 98);
    roof.lineTo(towerX, towerBase - 108);
    roof.lineTo(towerX + 8, towerBase - 98);
    painter.drawPath(roof);
    painter.setBrush(QColor(255, 228, 150));
    painter.drawRect(QRectF(towerX - 4, towerBase - 95, 8, 8));
    // Its beam, faint against the dusk.
    QLinearGradient beam(towerX, 0, towerX + 260, 0);
    beam.setColorAt(0, QColor(255, 230, 170, 90));
    beam.setColorAt(1, QColor(255, 230, 170, 0));
    painter.setBrush(beam);
    QPainterPath beamPath;
    beamPath.moveTo(towerX + 4, towerBase - 93);
    beamPath.lineTo(towerX + 260, towerBase - 118);
    beamPath.lineTo(towerX + 260, towerBase - 78);
    beamPath.closeSubpath();
    painter.drawPath(beamPath);
}

void paintPalm(QPainter& painter, QPointF foot, double height, double lean, const Noise& noise) {
    QPainterPath trunk;
    const QPointF top(foot.x() + lean, foot.y() - height);
    const QPointF bend(foot.x() + lean * 0.1, foot.y() - height * 0.6);
    trunk.moveTo(foot + QPointF(-7, 0));
    trunk.quadTo(bend + QPointF(-5, 0), top + QPointF(-3, 0));
    trunk.lineTo(top + QPointF(3, 0));
    trunk.quadTo(bend + QPointF(5, 0), foot + QPointF(7, 0));
    trunk.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.drawPath(trunk);
    const QColor colour = painter.brush().color();
    for (int i = 0; i < 9; ++i) {
        // Fronds fan out and droop: the midrib rises a little, then hangs.
        const double angle = 3.4 + i * 0.36 + (noise.at(i * 1.7, height) - 0.5) * 0.3;
        const double length = height * (0.36 + 0.14 * noise.at(i * 3.1, 2.2));
        const double dx = std::cos(angle);
        const double droop = 0.35 + 0.5 * std::abs(dx);
        const QPointF control =
            top + QPointF(dx * length * 0.6, -length * 0.25 * (1 - std::abs(dx)) - 6);
        const QPointF tip = top + QPointF(dx * length, length * droop);
        for (int step = 0; step <= 24; ++step) {
            const double t = step / 24.0;
            const QPointF point = (1 - t) * (1 - t) * top + 2 * (1 - t) * t * control + t * t * tip;
            const QPointF ahead = 2 * (1 - t) * (control - top) + 2 * t * (tip - control);
            const double norm = std::hypot(ahead.x(), ahead.y());
            const QPointF along = ahead / norm;
            const double leaflet = (1 - t) * 0.9 * 24 * (0.3 + std::sin(t * 3.14159) * 0.9);
            painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
            for (int side = -1; side <= 1; side += 2) {
                const QPointF across(-along.y() * side, along.x() * side);
                const QPointF hang = across * 0.6 + along * 0.5 + QPointF(0, 0.6);
                painter.drawLine(point, point + hang * leaflet * 0.55);
            }
            if (step < 24)
                painter.drawLine(point, point + along * (length / 24.0 + 1));
        }
    }
    painter.setPen(Qt::NoPen);
}

void paintLogo(QImage& picture) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    LetteringStyle big;
    big.capHeight = 112;
    big.weight = 0.24;
    big.spacing = 0.16;
    QPainterPath logo = letteringPath("ZYN", big);
    logo.translate(320 - logo.boundingRect().width() / 2, 40);
    const QRectF box = logo.boundingRect();

    // Soft shadow: several widening strokes of low opacity.
    painter.setPen(Qt::NoPen);
    for (int i = 8; i >= 1; --i) {
        painter.setPen(
            QPen(QColor(6, 2, 14, 26), i * 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(logo.translated(5, 8));
    }
    painter.setPen(QPen(QColor(30, 10, 8), 7, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(logo);
    painter.setPen(Qt::NoPen);
    // Bevel: a light edge on the top left, a dark one on the bottom right, the face in between.
    painter.setBrush(QColor(255, 248, 210));
    painter.drawPath(logo);
    painter.setClipPath(logo);
    painter.setBrush(QColor(120, 44, 14));
    painter.drawPath(logo.translated(3, 4));
    QLinearGradient face(0, box.top(), 0, box.bottom());
    face.setColorAt(0.0, QColor(255, 238, 160));
    face.setColorAt(0.45, QColor(250, 184, 60));
    face.setColorAt(0.5, QColor(214, 112, 28));
    face.setColorAt(1.0, QColor(246, 170, 60));
    painter.setBrush(face);
    painter.drawPath(logo.translated(1.5, 2).intersected(logo.translated(-1.5, -2)));
    // A gleam across the upper half.
    QLinearGradient gleam(box.left(), box.top(), box.left() + 140, box.top() + 120);
    gleam.setColorAt(0, QColor(255, 255, 255, 0));
    gleam.setColorAt(0.5, QColor(255, 255, 240, 110));
    gleam.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(gleam);
    painter.drawRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.45));
    painter.setClipping(false);

    LetteringStyle small;
    small.capHeight = 24;
    small.weight = 0.2;
    small.spacing = 0.3;
    QPainterPath subtitle = letteringPath("TEXT FILE EDITOR", small);
    const double subtitleTop = box.bottom() + 24;
    subtitle.translate(320 - subtitle.boundingRect().width() / 2, subtitleTop);
    const QRectF under = subtitle.boundingRect();
    painter.setPen(QPen(QColor(10, 4, 20, 150), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(subtitle.translated(2, 3));
    painter.setPen(QPen(QColor(26, 10, 30), 3.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(subtitle);
    QLinearGradient silver(0, under.top(), 0, under.bottom());
    silver.setColorAt(0, QColor(255, 255, 255));
    silver.setColorAt(0.5, QColor(214, 216, 236));
    silver.setColorAt(1, QColor(250, 226, 190));
    painter.setPen(Qt::NoPen);
    painter.setBrush(silver);
    painter.drawPath(subtitle);
    // Rules on both sides of the subtitle.
    const double ruleY = under.center().y();
    for (int side = -1; side <= 1; side += 2) {
        const double inner = side < 0 ? under.left() - 16 : under.right() + 16;
        const double outer = inner + side * 70;
        QLinearGradient rule(inner, 0, outer, 0);
        rule.setColorAt(0, QColor(255, 226, 170, 230));
        rule.setColorAt(1, QColor(255, 226, 170, 0));
        painter.setBrush(rule);
        painter.drawRect(QRectF(std::min(inner, outer), ruleY - 1.5, 70, 3));
    }
}

} // namespace

QImage drawTitleScreen(std::uint64_t seed) {
    QImage picture = newScreen();
    Random random(seed);
    const Noise noise(seed ^ 0x5eed);
    paintSky(picture, noise, random);
    paintSea(picture, noise);
    paintLand(picture, noise);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(8, 4, 14));
        paintPalm(painter, QPointF(590, 486), 230, -46, noise);
        paintPalm(painter, QPointF(628, 490), 170, -10, noise);
        QPainterPath shore;
        shore.moveTo(470, 480);
        shore.quadTo(560, 440, 640, 436);
        shore.lineTo(640, 480);
        shore.closeSubpath();
        painter.drawPath(shore);
    }
    paintLogo(picture);
    addGrain(picture, seed + 1, 3);
    return picture;
}

} // namespace zyn::art
