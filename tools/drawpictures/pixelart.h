#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <initializer_list>
#include <map>

namespace zyn::art {

// A small canvas for hard-edged icons: shapes cover whole pixels (a pixel belongs to a shape when
// its centre does), never blurred partial ones.
class PixelIcon {
public:
    explicit PixelIcon(int size);

    void set(int x, int y, const QColor& colour);
    QColor at(int x, int y) const;
    bool filled(int x, int y) const;

    void fill(const QPolygonF& shape, const QColor& colour);
    void fillEllipse(QPointF centre, double rx, double ry, const QColor& colour);
    // Copies a hand-drawn map whose characters index `palette`; '.' leaves a pixel alone.
    void stamp(int left, int top, std::initializer_list<const char*> rows,
               const std::map<char, QColor>& palette);

    // Lightens each region's top and left edges and darkens its bottom and right ones.
    void bevel(double light = 1.25, double dark = 0.72);
    // Rings everything drawn so far with a one-pixel line (sides only, so corners stay round).
    void outline(const QColor& colour);
    // Mirrors left and right, for icons that come in pairs.
    void mirror();

    const QImage& image() const { return image_; }

private:
    QImage image_;
};

} // namespace zyn::art
