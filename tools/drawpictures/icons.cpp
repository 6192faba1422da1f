#include "icons.h"

#include "lettering.h"
#include "painting.h"
#include "pixelart.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace zyn::art {

namespace {

const QColor Outline(30, 30, 40);
const QColor Green(64, 168, 72);
const QColor Blue(52, 104, 204);
const QColor Sky(64, 136, 224);
const QColor Gold(244, 190, 60);

QPolygonF rect(double left, double top, double right, double bottom) {
    return QPolygonF{QPointF(left, top), QPointF(right, top), QPointF(right, bottom),
                     QPointF(left, bottom)};
}

QImage openIcon() {
    PixelIcon icon(16);
    icon.fill(QPolygonF{{1, 2}, {6, 2}, {7, 3}, {15, 3}, {15, 12}, {1, 12}}, QColor(214, 160, 52));
    icon.fill(rect(3, 4, 12, 8), QColor(246, 246, 240));
    icon.fill(QPolygonF{{4, 7}, {15, 7}, {13, 14}, {1, 14}}, QColor(250, 206, 96));
    icon.bevel();
    icon.outline(Outline);
    return icon.image();
}

void drawDisk(PixelIcon& icon) {
    icon.fill(QPolygonF{{1, 1}, {13, 1}, {15, 3}, {15, 15}, {1, 15}}, Blue);
    icon.fill(rect(4, 1, 12, 6), QColor(196, 202, 214));
    icon.fill(rect(9, 2, 11, 5), QColor(40, 56, 96));
    icon.fill(rect(3, 8, 13, 15), QColor(244, 244, 236));
    icon.bevel();
    icon.fill(rect(4, 10, 12, 11), QColor(150, 156, 176));
    icon.fill(rect(4, 12, 10, 13), QColor(150, 156, 176));
    icon.outline(Outline);
}

// A pencil lying from `tip` up and to the right, `length` pixels long.
void drawPencil(PixelIcon& icon, QPointF tip, double length, double halfWidth) {
    const QPointF along(std::sqrt(0.5), -std::sqrt(0.5));
    const QPointF across(std::sqrt(0.5), std::sqrt(0.5));
    auto at = [&](double u, double v) {
        return tip + along * u + across * v;
    };
    auto band = [&](double u0, double u1, double v0, double v1) {
        return QPolygonF{at(u0, v0), at(u1, v0), at(u1, v1), at(u0, v1)};
    };
    const double w = halfWidth;
    const double wood = length * 0.24;
    icon.fill(QPolygonF{at(-0.5, 0), at(wood, -w), at(wood, w)}, QColor(236, 200, 150));
    icon.fill(QPolygonF{at(-0.5, 0), at(wood * 0.4, -w * 0.45), at(wood * 0.4, w * 0.45)},
              QColor(60, 60, 72));
    icon.fill(band(wood, length * 0.74, -w, 0), QColor(252, 208, 70));
    icon.fill(band(wood, length * 0.74, 0, w), QColor(220, 156, 40));
    icon.fill(band(length * 0.74, length * 0.86, -w, w), QColor(190, 192, 204));
    icon.fill(band(length * 0.86, length, -w, w), QColor(240, 136, 156));
}

QImage saveIcon() {
    PixelIcon icon(16);
    drawDisk(icon);
    return icon.image();
}

QImage saveAsIcon() {
    PixelIcon icon(16);
    drawDisk(icon);
    PixelIcon pencil(16);
    drawPencil(pencil, QPointF(7.2, 15.2), 11.5, 1.9);
    pencil.outline(Outline);
    QImage image = icon.image();
    QPainter painter(&image);
    painter.drawImage(0, 0, pencil.image());
    return image;
}

QImage arrowIcon(bool forward) {
    PixelIcon icon(16);
    icon.fill(
        QPolygonF{{1.4, 8}, {8, 1.4}, {8, 5.2}, {14.6, 5.2}, {14.6, 10.8}, {8, 10.8}, {8, 14.6}},
        Green);
    icon.bevel();
    icon.outline(Outline);
    if (forward)
        icon.mirror();
    return icon.image();
}

QImage endIcon(bool toEnd) {
    PixelIcon icon(16);
    icon.fill(rect(1, 2, 4, 14), Green);
    icon.fill(QPolygonF{{4.6, 8}, {9.6, 2.4}, {9.6, 13.6}}, Green);
    icon.fill(QPolygonF{{9.6, 8}, {14.8, 2.4}, {14.8, 13.6}}, Green);
    icon.bevel();
    icon.outline(Outline);
    if (toEnd)
        icon.mirror();
    return icon.image();
}

QImage editIcon() {
    PixelIcon icon(16);
    drawPencil(icon, QPointF(1.6, 14.4), 17.2, 2.4);
    icon.outline(Outline);
    return icon.image();
}

QImage aboutIcon() {
    PixelIcon icon(16);
    icon.fillEllipse(QPointF(8, 8), 6.9, 6.9, Blue);
    icon.fillEllipse(QPointF(7.2, 7.2), 5.6, 5.6, Sky);
    icon.bevel(1.3, 0.8);
    icon.stamp(6, 3, {".ww.", ".ww.", "....", "www.", ".ww.", ".ww.", ".ww.", ".ww.", "wwww"},
               {{'w', QColor(255, 255, 255)}});
    icon.outline(Outline);
    return icon.image();
}

QImage exitIcon() {
    PixelIcon icon(16);
    icon.fill(rect(1, 1, 9, 15), QColor(72, 52, 44));
    icon.fill(rect(2, 2, 8, 15), QColor(156, 100, 52));
    icon.bevel();
    icon.set(6, 8, Gold);
    icon.fill(
        QPolygonF{{6, 6.6}, {10.5, 6.6}, {10.5, 3.4}, {15, 8}, {10.5, 12.6}, {10.5, 9.4}, {6, 9.4}},
        QColor(220, 48, 40));
    icon.outline(Outline);
    return icon.image();
}

// The program's icon: a speech bubble holding the letter of the games, drawn smoothly for the
// large sizes.
QImage smoothAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(14, 22, 228, 172), 44, 44);
    QPainterPath tail;
    tail.moveTo(52, 180);
    tail.lineTo(40, 244);
    tail.lineTo(116, 186);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(bubble.translated(6, 8));
    QLinearGradient body(0, 22, 0, 244);
    body.setColorAt(0, QColor(110, 180, 250));
    body.setColorAt(0.6, QColor(40, 100, 200));
    body.setColorAt(1, QColor(24, 60, 150));
    painter.setPen(QPen(Outline, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(body);
    painter.drawPath(bubble);
    painter.setPen(Qt::NoPen);
    QLinearGradient gloss(0, 30, 0, 110);
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(gloss);
    painter.drawRoundedRect(QRectF(34, 32, 188, 74), 34, 34);

    LetteringStyle style;
    style.capHeight = 118;
    style.weight = 0.26;
    QPainterPath letter = letteringPath("Z", style);
    letter.translate(QPointF(128, 108) - letter.boundingRect().center());
    painter.setPen(QPen(QColor(40, 16, 8), 10, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(letter);
    QLinearGradient face(0, letter.boundingRect().top(), 0, letter.boundingRect().bottom());
    face.setColorAt(0, QColor(255, 240, 170));
    face.setColorAt(0.5, QColor(248, 178, 52));
    face.setColorAt(1, QColor(220, 120, 30));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawPath(letter);
    return image;
}

QImage pixelAppIcon(int size) {
    PixelIcon icon(size);
    const double s = size / 16.0;
    QPolygonF bubble;
    // A rounded box with a tail at the lower left.
    bubble << QPointF(2 * s, 1 * s) << QPointF(14 * s, 1 * s) << QPointF(15 * s, 2 * s)
           << QPointF(15 * s, 10 * s) << QPointF(14 * s, 11 * s) << QPointF(7 * s, 11 * s)
           << QPointF(3 * s, 15 * s) << QPointF(4 * s, 11 * s) << QPointF(2 * s, 11 * s)
           << QPointF(1 * s, 10 * s) << QPointF(1 * s, 2 * s);
    icon.fill(bubble, Blue);
    icon.fill(rect(2 * s, 2 * s, 14 * s, 6 * s), Sky);
    icon.bevel(1.3, 0.75);
    if (size == 16) {
        icon.stamp(5, 3, {"oooooo", "....ow", "...ow.", "..ow..", ".ow...", "oooooo"},
                   {{'o', Gold}, {'w', QColor(140, 80, 20)}});
    } else {
        LetteringStyle style;
        style.capHeight = 6.2 * s;
        style.weight = 0.24;
        QPainterPath letter = letteringPath("Z", style);
        letter.translate(QPointF(8 * s, 6 * s) - letter.boundingRect().center());
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (letter.contains(QPointF(x + 0.5, y + 0.5)))
                    icon.set(x, y, y < 6 * s ? QColor(255, 224, 120) : Gold);
            }
        }
    }
    icon.outline(Outline);
    return icon.image();
}

} // namespace

std::vector<NamedIcon> drawIcons() {
    return {
        {"open", openIcon()},         {"save", saveIcon()},         {"saveas", saveAsIcon()},
        {"back", arrowIcon(false)},   {"forward", arrowIcon(true)}, {"first", endIcon(false)},
        {"last", endIcon(true)},      {"edit", editIcon()},         {"about", aboutIcon()},
        {"exit", exitIcon()},         {"app", smoothAppIcon(256)},  {"app-48", smoothAppIcon(48)},
        {"app-32", pixelAppIcon(32)}, {"app-16", pixelAppIcon(16)},
    };
}

} // namespace zyn::art
