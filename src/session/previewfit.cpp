#include "session/previewfit.h"

#include <QFontMetrics>
#include <QRect>
#include <algorithm>

namespace zyn {

namespace {

constexpr int Unbounded = 1 << 24;

} // namespace

PreviewFit::PreviewFit(const QFont& font, QSize area) : font_(font), area_(area) {
    const QFontMetrics metrics(font_);
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    const QRect room(0, 0, Unbounded, Unbounded);
    const int one = metrics.boundingRect(room, flags, QStringLiteral("X")).height();
    const int two = metrics.boundingRect(room, flags, QStringLiteral("X\nX")).height();
    first_ = std::max(1, one);
    next_ = std::max(1, two - one);
    const int height = area_.height() + 1;
    shown_ = height < first_ ? 0 : 1 + (height - first_) / next_;
}

int PreviewFit::linesOf(const QString& text) const {
    if (text.isEmpty())
        return 0;
    const QRect needed =
        QFontMetrics(font_).boundingRect(QRect(0, 0, area_.width(), Unbounded),
                                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return 1 + (std::max(0, needed.height() - first_) + next_ / 2) / next_;
}

int PreviewFit::linesCut(const QString& text) const {
    return std::max(0, linesOf(text) - shown_);
}

int PreviewFit::cutPosition() const {
    return shown_ == 0 ? 0 : first_ + (shown_ - 1) * next_;
}

} // namespace zyn
