#pragma once

// Where a window goes beside the main window, so that both stay in view.

#include <QRect>
#include <QSize>
#include <vector>

namespace zyn {

// The frame of a window of size wanted (at least least) beside the frame main on the screen's
// room: beside it where the room allows; else narrowed to the room, never covering main; of the
// sides where it can, right, left, below or above, the first that covers least of the other
// windows; where no side can, on the side that covers least of main.
QRect PlaceBeside(const QRect& room, const QRect& main, QSize wanted, QSize least,
                  const std::vector<QRect>& others = {});

} // namespace zyn
