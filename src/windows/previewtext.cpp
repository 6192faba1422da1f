#include "windows/previewtext.h"

#include "session/previewfit.h"

#include <QPainter>
#include <string>

namespace zyn {

PreviewText::PreviewText(const PreviewFit& fit, QWidget* parent) : QLabel(parent), fit_(fit) {}

void PreviewText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const TextFit& rule = fit_.rule();
    const std::u32string letters = text().toStdU32String();
    const QRect area = contentsRect();
    qreal top = area.top();
    for (const WrappedLine& line : rule.wrap(letters)) {
        if (top > area.bottom())
            break;
        const qreal baseline = top + rule.fontLines().ascent / 64.0;
        std::int64_t x = 0;
        for (std::size_t i = line.begin; i < line.end;) {
            std::size_t next = i + 1;
            while (next < line.end && IsNonSpacingMark(letters[next]))
                ++next;
            const QString cluster = QString::fromUcs4(letters.data() + i, qsizetype(next - i));
            painter.drawText(QPointF(area.left() + x / 64.0, baseline), cluster);
            for (; i < next; ++i)
                x += rule.advance(letters[i]);
        }
        top += rule.linePitch() / 64.0;
    }
}

} // namespace zyn
