#pragma once

#include <QImage>
#include <cstdint>

namespace zyn::art {

// Each returns a 640 x 480 true-colour picture; the same seed always gives the same picture.
QImage drawTitleScreen(std::uint64_t seed);
QImage drawRoomScene(std::uint64_t seed);     // 1000: indoors, framed
QImage drawHarbourScene(std::uint64_t seed);  // 2000: a street by the harbour, framed
QImage drawIslandMap(std::uint64_t seed);     // 3000: overview map of the island
QImage drawRenderedScene(std::uint64_t seed); // 4000: glossy rendered scene
QImage drawLandscape(std::uint64_t seed);     // 5000: outdoors, no frame
QImage drawParchmentMap(std::uint64_t seed);  // 6000: map on old paper

} // namespace zyn::art
