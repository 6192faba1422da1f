#include "windows/windowplacement.h"

#include <algorithm>
#include <array>

namespace zyn {

namespace {

// Left and right swapped with top and bottom: the sides above and below are worked out as the
// sides left and right of the flipped rectangles.
QRect flipped(const QRect& r) {
    return QRect(r.y(), r.x(), r.height(), r.width());
}

long long areaCovered(const QRect& window, const QRect& other) {
    const QRect both = window.intersected(other);
    return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

QRect besideOnRight(const QRect& room, const QRect& main, QSize wanted, QSize least, bool right) {
    const int height = wanted.height();
    const int y = std::clamp(main.top(), room.top(), room.bottom() + 1 - height);
    const int rowsOverMain =
        std::max(0, std::min(y + height, main.bottom() + 1) - std::max(y, main.top()));
    const int free = right ? room.right() - main.right() : main.left() - room.left();
    // Narrowed to the room beside main rather than cover it, down to its least width.
    const int width =
        rowsOverMain > 0 ? std::clamp(free, least.width(), wanted.width()) : wanted.width();
    const int x = right ? std::min(main.right() + 1, room.right() + 1 - width)
                        : std::max(main.left() - width, room.left());
    return QRect(x, y, width, height);
}

} // namespace

QRect PlaceBeside(const QRect& room, const QRect& main, QSize wanted, QSize least,
                  const std::vector<QRect>& others) {
    wanted = wanted.boundedTo(room.size());
    least = least.boundedTo(wanted);
    const std::array<QRect, 4> sides = {
        besideOnRight(room, main, wanted, least, true),
        besideOnRight(room, main, wanted, least, false),
        flipped(besideOnRight(flipped(room), flipped(main), wanted.transposed(), least.transposed(),
                              true)),
        flipped(besideOnRight(flipped(room), flipped(main), wanted.transposed(), least.transposed(),
                              false)),
    };
    const auto coveredOfOthers = [&](const QRect& side) {
        long long area = 0;
        for (const QRect& other : others)
            area += areaCovered(side, other);
        return area;
    };
    // Of the sides that leave main uncovered, the first of those that cover least of the
    // others, in the order right, left, below, above: the editor comes back to the same side
    // whatever its height. Where none does, the side that covers least of main.
    return *std::min_element(sides.begin(), sides.end(), [&](const QRect& a, const QRect& b) {
        const long long overA = areaCovered(a, main), overB = areaCovered(b, main);
        if ((overA == 0) != (overB == 0))
            return overA == 0;
        return overA == 0 ? coveredOfOthers(a) < coveredOfOthers(b) : overA < overB;
    });
}

} // namespace zyn
