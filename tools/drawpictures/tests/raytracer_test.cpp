// The small ray tracer behind the rendered scene: what a ray hits, and light and shadow.

#include "raytracer.h"

#include <QImage>
#include <cctype>
#include <gtest/gtest.h>
#include <string>

namespace zyn::art {
namespace {

constexpr int Size = 41; // odd, so that one pixel looks straight down the view axis

Vec3 darkBlueSky(Vec3) {
    return {0.05, 0.05, 0.6};
}

Material flat(Vec3 colour) {
    Material m;
    m.colour = colour;
    m.diffuse = 0;
    m.specular = 0;
    return m;
}

RayScene sceneWith(const Shape& shape) {
    RayScene scene;
    scene.sky = darkBlueSky;
    scene.ambient = {1, 1, 1};
    scene.fogDistance = 1e9;
    scene.shapes.push_back(shape);
    return scene;
}

// Looking along +z from the origin; everything interesting sits 5 units ahead.
QImage look(const RayScene& scene) {
    return renderScene(scene, Camera{{0, 0, 0}, {0, 0, 1}, 40}, Size, Size, 1);
}

bool isRed(QRgb pixel) {
    return qRed(pixel) > 100 && qBlue(pixel) < 40;
}

struct HitCase {
    const char* name;
    Shape shape;
    int x, y; // pixel to look at
    bool hit; // whether the shape covers it
};

class RayHitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(RayHitTest, ShapeCoversExactlyWhereItStands) {
    const HitCase& c = GetParam();
    const QImage picture = look(sceneWith(c.shape));
    EXPECT_EQ(isRed(picture.pixel(c.x, c.y)), c.hit) << c.name;
}

const Material Red = flat({1, 0, 0});

INSTANTIATE_TEST_SUITE_P(
    Shapes, RayHitTest,
    ::testing::Values(
        HitCase{"sphere centre", {ShapeKind::Ellipsoid, {0, 0, 5}, {1, 1, 1}, Red}, 20, 20, true},
        HitCase{"beside sphere", {ShapeKind::Ellipsoid, {0, 0, 5}, {1, 1, 1}, Red}, 2, 20, false},
        HitCase{"sphere behind the eye",
                {ShapeKind::Ellipsoid, {0, 0, -5}, {1, 1, 1}, Red},
                20,
                20,
                false},
        HitCase{"wide ellipsoid, to the side",
                {ShapeKind::Ellipsoid, {0, 0, 5}, {1.6, 0.2, 0.2}, Red},
                6,
                20,
                true},
        HitCase{"wide ellipsoid, above",
                {ShapeKind::Ellipsoid, {0, 0, 5}, {1.6, 0.2, 0.2}, Red},
                20,
                12,
                false},
        HitCase{"box front", {ShapeKind::Box, {-1, -1, 4}, {1, 1, 6}, Red}, 20, 20, true},
        HitCase{
            "box off to the right", {ShapeKind::Box, {2, -1, 4}, {3, 1, 6}, Red}, 20, 20, false},
        HitCase{"cylinder side", {ShapeKind::Cylinder, {0, -1, 5}, {0.5, 2, 0}, Red}, 20, 20, true},
        HitCase{"above the cylinder",
                {ShapeKind::Cylinder, {0, -1, 5}, {0.5, 1.5, 0}, Red},
                20,
                6,
                false},
        HitCase{"floor below the eye", {ShapeKind::Floor, {}, {}, Red}, 20, 20, false}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

// A light straight above a ball: the floor under the ball is in shadow, the floor beside it lit.
TEST(RayTracer, BallShadowsTheFloorUnderIt) {
    RayScene scene;
    scene.sky = darkBlueSky;
    scene.ambient = {0.1, 0.1, 0.1};
    scene.fogDistance = 1e9;
    Material floor = flat({0.8, 0.8, 0.8});
    floor.diffuse = 1;
    scene.shapes.push_back({ShapeKind::Floor, {}, {}, floor});
    scene.lights.push_back({{0, 20, 0}, {1, 1, 1}});
    const Camera camera{{0, 6, -6}, {0, 0, 0}, 40};
    const QImage open = renderScene(scene, camera, Size, Size, 1);
    scene.shapes.push_back({ShapeKind::Ellipsoid, {0, 1, 0}, {0.5, 0.5, 0.5}, flat({0, 1, 0})});
    const QImage shaded = renderScene(scene, camera, Size, Size, 1);
    // The view axis meets the floor at the foot of the ball, past the ball's silhouette.
    EXPECT_LT(qGray(shaded.pixel(20, 20)), qGray(open.pixel(20, 20)) / 2);
    EXPECT_EQ(shaded.pixel(20, Size - 1), open.pixel(20, Size - 1));
}

// A mirror-like floor shows the ball again below it.
TEST(RayTracer, ReflectiveFloorMirrorsWhatStandsOnIt) {
    Material mirror = flat({0, 0, 0});
    mirror.reflect = 0.9;
    RayScene scene;
    scene.sky = darkBlueSky;
    scene.ambient = {1, 1, 1};
    scene.fogDistance = 1e9;
    scene.shapes.push_back({ShapeKind::Floor, {}, {}, mirror});
    scene.shapes.push_back({ShapeKind::Ellipsoid, {0, 1.2, 5}, {1, 1, 1}, Red});
    const QImage picture = renderScene(scene, Camera{{0, 1.2, 0}, {0, 1.2, 1}, 60}, Size, Size, 1);
    bool reflected = false;
    for (int y = Size / 2 + 4; y < Size; ++y)
        reflected = reflected || qRed(picture.pixel(20, y)) > 2 * qBlue(picture.pixel(20, y));
    EXPECT_TRUE(reflected);
}

} // namespace
} // namespace zyn::art
