#pragma once

#include <QImage>
#include <QList>

namespace zyn::art {

// Chooses at most `size` colours that suit this picture: median cut over its colours, refined by
// a few rounds of k-means. A picture with few colours keeps exactly the colours it has.
QList<QRgb> choosePalette(const QImage& picture, int size);

// Maps every pixel to the palette with serpentine error diffusion, so that gradients stay smooth.
QImage ditherToPalette(const QImage& picture, const QList<QRgb>& palette);

// The form in which the pictures ship: 8-bit indexed, at most 256 colours.
QImage toIndexed256(const QImage& picture);

} // namespace zyn::art
