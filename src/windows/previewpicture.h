#pragma once

// The picture behind the preview. A label draws its picture grey while it is disabled, as the
// main window is under the string editor; the preview is to look the same all the time.

#include <QLabel>
#include <QPainter>

namespace zyn {

class PreviewPicture final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, pixmap());
    }
};

} // namespace zyn
