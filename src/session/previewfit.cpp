#include "session/previewfit.h"

#include <QFontMetricsF>
#include <cmath>
#include <memory>
#include <unordered_map>

namespace zyn {

namespace {

// Qt's widths are whole 64ths of a pixel already; the rounding only makes them integers.
std::int32_t in64ths(qreal pixels) {
    return static_cast<std::int32_t>(std::lround(pixels * 64));
}

// Each character measured once, for every copy of the rule.
struct QtAdvances {
    explicit QtAdvances(const QFont& font) : metrics(font) {}
    std::int32_t operator()(char32_t c) {
        if (const auto found = known.find(c); found != known.end())
            return found->second;
        const qreal width = c <= 0xFFFF ? metrics.horizontalAdvance(QChar(char16_t(c)))
                                        : metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        return known.emplace(c, in64ths(width)).first->second;
    }

    QFontMetricsF metrics;
    std::unordered_map<char32_t, std::int32_t> known;
};

} // namespace

FontLines QtFontLines(const QFont& font) {
    const QFontMetricsF metrics(font);
    return {in64ths(metrics.ascent()), in64ths(metrics.descent()), in64ths(metrics.leading())};
}

PreviewFit::PreviewFit(const QFont& font, QSize area)
    : fit_(QtFontLines(font),
           [advances = std::make_shared<QtAdvances>(font)](char32_t c) { return (*advances)(c); },
           {area.width(), area.height()}) {}

int PreviewFit::linesOf(const QString& text) const {
    return fit_.linesOf(text.toStdU32String());
}

int PreviewFit::linesCut(const QString& text) const {
    return fit_.linesCut(text.toStdU32String());
}

std::vector<WrappedLine> PreviewFit::wrap(const QString& text) const {
    return fit_.wrap(text.toStdU32String());
}

} // namespace zyn
