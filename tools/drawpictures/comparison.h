#pragma once

// Compares a freshly drawn picture with the committed one. A build with another compiler may
// round a few values differently, and error diffusion carries such a change along the row, so
// the comparison allows a little: a pixel may differ slightly, and a small share may differ more.

#include <QImage>
#include <QString>

namespace zyn::art {

struct PictureDifference {
    bool sameSize = true;
    int pixels = 0;     // pixels compared
    int changed = 0;    // pixels whose largest channel difference is above the slight one
    int largest = 0;    // the largest channel difference of any pixel (0 to 255)
    double mean = 0;    // mean channel difference over all pixels and channels
    bool within = true; // the two count as the same picture
};

// Largest difference of a channel (red, green, blue or alpha) still counted as the same colour.
constexpr int SlightDifference = 8;
// Share of pixels that may differ by more than that.
constexpr double ChangedShareAllowed = 0.03;
// Mean channel difference allowed over the whole picture.
constexpr double MeanDifferenceAllowed = 1.5;

PictureDifference comparePictures(const QImage& drawn, const QImage& committed);

// One line for a person: "same", or what differs.
QString describe(const PictureDifference& difference);

} // namespace zyn::art
