#include "comparison.h"

#include <algorithm>
#include <cstdlib>

namespace zyn::art {

PictureDifference comparePictures(const QImage& drawn, const QImage& committed) {
    PictureDifference result;
    if (drawn.size() != committed.size()) {
        result.sameSize = false;
        result.within = false;
        return result;
    }
    // Indexed pictures are compared by the colours they show, not by their palette indices.
    const QImage a = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage b = committed.convertToFormat(QImage::Format_ARGB32);
    long long total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = rowA[x], q = rowB[x];
            const int channels[] = {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))};
            const int worst = *std::max_element(std::begin(channels), std::end(channels));
            total += channels[0] + channels[1] + channels[2] + channels[3];
            result.largest = std::max(result.largest, worst);
            if (worst > SlightDifference)
                ++result.changed;
        }
    }
    result.pixels = a.width() * a.height();
    if (result.pixels > 0)
        result.mean = static_cast<double>(total) / (4.0 * result.pixels);
    result.within = result.changed <= ChangedShareAllowed * result.pixels &&
                    result.mean <= MeanDifferenceAllowed;
    return result;
}

QString describe(const PictureDifference& difference) {
    if (!difference.sameSize)
        return QStringLiteral("differs: not the same size");
    if (difference.largest == 0)
        return QStringLiteral("same");
    return QStringLiteral("%1: %2 of %3 pixels changed (%4%), mean difference %5, largest %6")
        .arg(difference.within ? QStringLiteral("same within tolerance")
                               : QStringLiteral("differs"))
        .arg(difference.changed)
        .arg(difference.pixels)
        .arg(100.0 * difference.changed / std::max(1, difference.pixels), 0, 'f', 2)
        .arg(difference.mean, 0, 'f', 2)
        .arg(difference.largest);
}

} // namespace zyn::art
