#include "pixelart.h"

#include "painting.h"

#include <cstdio>

namespace zyn::art {

PixelIcon::PixelIcon(int size) : image_(size, size, QImage::Format_ARGB32) {
    image_.fill(Qt::transparent);
}

void PixelIcon::set(int x, int y, const QColor& colour) {
    if (image_.rect().contains(x, y))
        image_.setPixelColor(x, y, colour);
}

QColor PixelIcon::at(int x, int y) const {
    return image_.rect().contains(x, y) ? image_.pixelColor(x, y) : QColor(Qt::transparent);
}

bool PixelIcon::filled(int x, int y) const {
    return at(x, y).alpha() != 0;
}

void PixelIcon::fill(const QPolygonF& shape, const QColor& colour) {
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            if (shape.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill))
                set(x, y, colour);
        }
    }
}

void PixelIcon::fillEllipse(QPointF centre, double rx, double ry, const QColor& colour) {
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            const double dx = (x + 0.5 - centre.x()) / rx;
            const double dy = (y + 0.5 - centre.y()) / ry;
            if (dx * dx + dy * dy <= 1.0)
                set(x, y, colour);
        }
    }
}

void PixelIcon::stamp(int left, int top, std::initializer_list<const char*> rows,
                      const std::map<char, QColor>& palette) {
    int y = top;
    for (const char* row : rows) {
        for (int x = left; *row != '\0'; ++row, ++x) {
            const auto colour = palette.find(*row);
            if (colour != palette.end())
                set(x, y, colour->second);
            else if (*row != '.')
                std::fprintf(stderr, "drawpictures: no colour for '%c' in an icon\n", *row);
        }
        ++y;
    }
}

void PixelIcon::bevel(double light, double dark) {
    const QImage before = image_;
    auto same = [&before](int x, int y, QRgb colour) {
        return before.rect().contains(x, y) && before.pixel(x, y) == colour;
    };
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const QRgb colour = before.pixel(x, y);
            if (qAlpha(colour) == 0)
                continue;
            const QColor c = QColor::fromRgba(colour);
            if (!same(x, y - 1, colour) || !same(x - 1, y, colour))
                image_.setPixelColor(x, y, scaled(c, light));
            else if (!same(x, y + 1, colour) || !same(x + 1, y, colour))
                image_.setPixelColor(x, y, scaled(c, dark));
        }
    }
}

void PixelIcon::outline(const QColor& colour) {
    const PixelIcon before = *this;
    for (int y = 0; y < image_.height(); ++y) {
        for (int x = 0; x < image_.width(); ++x) {
            if (before.filled(x, y))
                continue;
            if (before.filled(x - 1, y) || before.filled(x + 1, y) || before.filled(x, y - 1) ||
                before.filled(x, y + 1))
                set(x, y, colour);
        }
    }
}

void PixelIcon::mirror() {
    image_ = image_.mirrored(true, false);
}

} // namespace zyn::art
