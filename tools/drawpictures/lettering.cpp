#include "lettering.h"

#include <QPainterPathStroker>
#include <QPointF>
#include <QRectF>
#include <vector>

namespace zyn::art {

namespace {

struct Glyph {
    QChar letter;
    double width; // in grid units
    // Each stroke is a polyline on the grid; a stroke whose last point repeats the first is closed.
    std::vector<std::vector<QPointF>> strokes;
};

const std::vector<Glyph>& glyphs() {
    static const std::vector<Glyph> table = {
        {'A', 4, {{{0, 6}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 6}}, {{0, 3.5}, {4, 3.5}}}},
        {'D', 4, {{{0, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {0, 6}, {0, 0}}}},
        {'E', 4, {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'F', 4, {{{4, 0}, {0, 0}, {0, 6}}, {{0, 3}, {3, 3}}}},
        {'I', 0, {{{0, 0}, {0, 6}}}},
        {'L', 4, {{{0, 0}, {0, 6}, {4, 6}}}},
        {'N', 4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        {'O', 4, {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'R', 4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        {'S',
         4,
         {{{4, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6}}}},
        {'T', 4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}},
        {'W', 5, {{{0, 0}, {0.9, 6}, {1.3, 6}, {2.5, 2.5}, {3.7, 6}, {4.1, 6}, {5, 0}}}},
        {'X', 4, {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}}},
        {'Y', 4, {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}},
        {'Z', 4, {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}},
    };
    return table;
}

const Glyph* findGlyph(QChar letter) {
    for (const Glyph& glyph : glyphs()) {
        if (glyph.letter == letter.toUpper())
            return &glyph;
    }
    return nullptr;
}

} // namespace

QPainterPath letteringPath(const QString& text, const LetteringStyle& style) {
    const double unit = style.capHeight / 6.0;
    const double stroke = style.capHeight * style.weight;
    const double gap = style.capHeight * style.spacing;
    QPainterPath centreLines;
    double penX = stroke / 2;
    for (QChar letter : text) {
        const Glyph* glyph = findGlyph(letter);
        if (glyph == nullptr) {
            penX += 2.5 * unit + gap;
            continue;
        }
        for (const auto& points : glyph->strokes) {
            QPainterPath line;
            line.moveTo(penX + points.front().x() * unit, stroke / 2 + points.front().y() * unit);
            for (std::size_t i = 1; i < points.size(); ++i)
                line.lineTo(penX + points[i].x() * unit, stroke / 2 + points[i].y() * unit);
            if (points.size() > 2 && points.front() == points.back())
                line.closeSubpath();
            centreLines.addPath(line);
        }
        penX += glyph->width * unit + stroke + gap;
    }

    QPainterPathStroker stroker;
    stroker.setWidth(stroke);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::SvgMiterJoin);
    stroker.setMiterLimit(2.0);
    // Cut the ends of slanted strokes flat, so that every letter stands on the baseline and reaches
    // the cap line, no higher and no lower.
    QPainterPath band;
    band.addRect(QRectF(-stroke, 0, penX + 2 * stroke, style.capHeight + stroke));
    return stroker.createStroke(centreLines).intersected(band).simplified();
}

} // namespace zyn::art
