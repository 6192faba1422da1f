#pragma once

#include <QPainterPath>
#include <QString>

namespace zyn::art {

// Our own lettering: angular capitals built from strokes on a 4 x 6 grid, so the pictures need
// no font. Letters without a shape (and spaces) leave a gap.
struct LetteringStyle {
    double capHeight = 60; // height of a capital, in pixels
    double weight = 0.22;  // stroke width as a part of the cap height
    double spacing = 0.25; // gap between letters as a part of the cap height
};

// The outline of `text` with its top left corner at the origin, ready to be filled or stroked.
QPainterPath letteringPath(const QString& text, const LetteringStyle& style);

} // namespace zyn::art
