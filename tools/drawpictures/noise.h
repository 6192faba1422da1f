#pragma once

#include <cstdint>

namespace zyn::art {

// A small seeded generator of our own, so that the same seed draws the same pictures with every
// compiler and standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    double uniform();                      // [0, 1)
    double range(double low, double high); // [low, high)
    int below(int count);                  // 0 .. count - 1

private:
    std::uint64_t state_;
};

// Gradient noise on a unit lattice and its fractal sums; results lie roughly in [0, 1].
class Noise {
public:
    explicit Noise(std::uint64_t seed) : seed_(seed) {}

    double at(double x, double y) const;
    double fbm(double x, double y, int octaves, double gain = 0.5) const;
    // Sharp crests where plain noise crosses its middle: mountain ridges, cracks, veins.
    double ridged(double x, double y, int octaves) const;

private:
    double gradientDot(int ix, int iy, double dx, double dy) const;

    std::uint64_t seed_;
};

double smoothStep(double edge0, double edge1, double x);
double clamp01(double x);
double mixValue(double a, double b, double t);

} // namespace zyn::art
