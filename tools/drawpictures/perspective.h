#pragma once

#include <QColor>
#include <QPointF>
#include <QPolygonF>

class QPainter;

namespace zyn::art {

struct Point3 {
    double x, y, z; // x across, y up, z away from the viewer
};

// A camera that looks straight along z: vertical lines stay vertical, the lines along z meet at
// the vanishing point `centre`, as in hand-drawn street and room scenes.
struct Perspective {
    Point3 eye;
    double focal;
    QPointF centre;

    QPointF project(Point3 p) const {
        return {centre.x() + focal * (p.x - eye.x) / (p.z - eye.z),
                centre.y() - focal * (p.y - eye.y) / (p.z - eye.z)};
    }
    QPolygonF quad(Point3 a, Point3 b, Point3 c, Point3 d) const {
        return QPolygonF{project(a), project(b), project(c), project(d)};
    }
    // Direction of the ray through a pixel, scaled so that its z step is 1.
    Point3 ray(double px, double py) const {
        return {(px - centre.x()) / focal, -(py - centre.y()) / focal, 1};
    }
};

struct Box3 {
    Point3 low, high;
};

// Paints the faces of an axis-aligned box that the eye can see, each with its own brightness
// (light from the back left and above), as flat-shaded game furniture is drawn.
void paintBox(QPainter& painter, const Perspective& view, const Box3& box, const QColor& colour);

} // namespace zyn::art
