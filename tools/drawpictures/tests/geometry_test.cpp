// Projection and the seeded randomness every picture rests on.

#include "noise.h"
#include "perspective.h"

#include <gtest/gtest.h>

namespace zyn::art {
namespace {

// A pixel's ray, followed to the depth of the point it came from, finds that point again.
TEST(Perspective, RayThroughProjectedPointLeadsBackToIt) {
    const Perspective view{{0.5, 1.7, 0}, 300, {400, 226}};
    const Point3 points[] = {
        {0.5, 1.7, 10}, {-4, 0, 3}, {2.6, -0.9, 40}, {-4, 9, 1.5}, {30, 12, 150}};
    for (const Point3& p : points) {
        const QPointF pixel = view.project(p);
        const Point3 d = view.ray(pixel.x(), pixel.y());
        const double t = p.z - view.eye.z;
        EXPECT_NEAR(view.eye.x + d.x * t, p.x, 1e-9);
        EXPECT_NEAR(view.eye.y + d.y * t, p.y, 1e-9);
    }
    // Straight ahead is the vanishing point; higher is further up the screen.
    EXPECT_EQ(view.project({0.5, 1.7, 7}), QPointF(400, 226));
    EXPECT_LT(view.project({0.5, 3, 7}).y(), 226);
}

TEST(Noise, StaysWithinItsRangeAndRepeats) {
    const Noise noise(7);
    const Noise same(7);
    const Noise other(8);
    bool differs = false;
    for (int i = 0; i < 400; ++i) {
        const double x = i * 0.37 - 50;
        const double y = i * 0.61 - 80;
        for (double v : {noise.at(x, y), noise.fbm(x, y, 6), noise.ridged(x, y, 5)}) {
            EXPECT_GE(v, 0.0);
            EXPECT_LE(v, 1.0);
        }
        EXPECT_EQ(noise.fbm(x, y, 5), same.fbm(x, y, 5));
        differs = differs || noise.fbm(x, y, 5) != other.fbm(x, y, 5);
    }
    EXPECT_TRUE(differs);
}

TEST(Random, BelowStaysInRangeAndCoversIt) {
    Random random(3);
    int seen[5] = {};
    for (int i = 0; i < 1000; ++i) {
        const int n = random.below(5);
        ASSERT_GE(n, 0);
        ASSERT_LT(n, 5);
        ++seen[n];
    }
    for (int count : seen)
        EXPECT_GT(count, 120);
    EXPECT_EQ(random.below(0), 0);
    EXPECT_EQ(random.below(1), 0);
}

} // namespace
} // namespace zyn::art
