#include "noise.h"

#include <algorithm>
#include <cmath>

namespace zyn::art {

namespace {

std::uint64_t mixBits(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

} // namespace

std::uint64_t Random::next() {
    state_ += 0x9e3779b97f4a7c15ULL;
    return mixBits(state_);
}

double Random::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double Random::range(double low, double high) {
    return low + (high - low) * uniform();
}

int Random::below(int count) {
    return count <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(count));
}

double Noise::gradientDot(int ix, int iy, double dx, double dy) const {
    const std::uint64_t key = seed_ ^
                              (static_cast<std::uint64_t>(static_cast<std::uint32_t>(ix)) << 32) ^
                              static_cast<std::uint32_t>(iy);
    const double angle = static_cast<double>(mixBits(key) >> 11) * 0x1.0p-53 * 6.283185307179586;
    return std::cos(angle) * dx + std::sin(angle) * dy;
}

double Noise::at(double x, double y) const {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    const double u = fade(dx);
    const double v = fade(dy);
    const double top =
        mixValue(gradientDot(ix, iy, dx, dy), gradientDot(ix + 1, iy, dx - 1, dy), u);
    const double bottom = mixValue(gradientDot(ix, iy + 1, dx, dy - 1),
                                   gradientDot(ix + 1, iy + 1, dx - 1, dy - 1), u);
    // Gradient noise stays within about +-0.7; spread it over [0, 1].
    return clamp01(0.5 + mixValue(top, bottom, v) * 0.72);
}

double Noise::fbm(double x, double y, int octaves, double gain) const {
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        // Each octave is shifted so that lattice points do not line up into a visible grid.
        sum += weight * at(x + octave * 17.31, y - octave * 9.17);
        total += weight;
        weight *= gain;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / total;
}

double Noise::ridged(double x, double y, int octaves) const {
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        const double crest = 1.0 - std::abs(at(x + octave * 5.7, y + octave * 3.1) * 2 - 1);
        sum += weight * crest * crest;
        total += weight;
        weight *= 0.5;
        x *= 2.07;
        y *= 2.07;
    }
    return sum / total;
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double clamp01(double x) {
    return std::clamp(x, 0.0, 1.0);
}

double mixValue(double a, double b, double t) {
    return a + (b - a) * t;
}

} // namespace zyn::art
