#include "perspective.h"

#include "painting.h"

#include <QPainter>

namespace zyn::art {

void paintBox(QPainter& painter, const Perspective& view, const Box3& box, const QColor& colour) {
    const auto [x0, y0, z0] = box.low;
    const auto [x1, y1, z1] = box.high;
    const Point3 eye = view.eye;
    painter.setPen(Qt::NoPen);
    if (eye.x < x0) {
        painter.setBrush(scaled(colour, 0.78));
        painter.drawPolygon(view.quad({x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1}, {x0, y0, z1}));
    }
    if (eye.x > x1) {
        painter.setBrush(scaled(colour, 0.62));
        painter.drawPolygon(view.quad({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}));
    }
    if (eye.y > y1) {
        painter.setBrush(scaled(colour, 1.12));
        painter.drawPolygon(view.quad({x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}));
    }
    if (eye.y < y0) {
        painter.setBrush(scaled(colour, 0.5));
        painter.drawPolygon(view.quad({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}));
    }
    if (eye.z < z0) {
        painter.setBrush(scaled(colour, 0.7));
        painter.drawPolygon(view.quad({x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0}));
    }
}

} // namespace zyn::art
