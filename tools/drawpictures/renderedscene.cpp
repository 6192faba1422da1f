#include "noise.h"
#include "painting.h"
#include "raytracer.h"
#include "scenes.h"

#include <cmath>

namespace zyn::art {

namespace {

Vec3 twilightSky(Vec3 d) {
    const double up = std::max(0.0, d.y);
    const Vec3 horizon{1.0, 0.5, 0.26};
    const Vec3 middle{0.34, 0.12, 0.34};
    const Vec3 zenith{0.01, 0.02, 0.1};
    const double t = std::min(1.0, std::pow(up / 0.4, 0.7));
    Vec3 colour = t < 0.35 ? horizon * (1 - t / 0.35) + middle * (t / 0.35)
                           : middle * (1 - (t - 0.35) / 0.65) + zenith * ((t - 0.35) / 0.65);
    // A low glow where the sun has just set, a little to the right.
    const Vec3 glowDirection = normalised({0.45, 0.03, 1});
    const double glow = std::pow(std::max(0.0, dot(d, glowDirection)), 24);
    colour = colour + Vec3{1.0, 0.6, 0.3} * (glow * 0.8);
    if (d.y < 0)
        colour = horizon * 0.6;
    return colour;
}

Material glossy(Vec3 colour, double reflect, double shininess = 60) {
    Material m;
    m.colour = colour;
    m.diffuse = 0.75;
    m.specular = 0.8;
    m.shininess = shininess;
    m.reflect = reflect;
    return m;
}

Material stone() {
    Material m;
    m.colour = {0.3, 0.27, 0.3};
    m.diffuse = 0.85;
    m.specular = 0.25;
    m.shininess = 20;
    m.reflect = 0.08;
    return m;
}

} // namespace

QImage drawRenderedScene(std::uint64_t seed) {
    const Noise noise(seed);
    RayScene scene;
    scene.sky = twilightSky;
    scene.ambient = {0.1, 0.09, 0.16};
    scene.fogDistance = 80;

    Material floor;
    floor.diffuse = 0.8;
    floor.specular = 0.6;
    floor.shininess = 80;
    floor.reflect = 0.32;
    floor.pattern = [&noise](Vec3 p) {
        const bool dark =
            (static_cast<int>(std::floor(p.x * 0.5)) + static_cast<int>(std::floor(p.z * 0.5))) %
                2 !=
            0;
        const double vein = noise.ridged(p.x * 0.7, p.z * 0.7, 4);
        const Vec3 light{0.2, 0.21, 0.29};
        const Vec3 deep{0.03, 0.035, 0.08};
        const Vec3 base = dark ? deep : light;
        return base * (0.85 + 0.3 * vein);
    };
    scene.shapes.push_back({ShapeKind::Floor, {}, {}, floor});

    Material chrome = glossy({0.85, 0.86, 0.92}, 0.78, 160);
    chrome.diffuse = 0.2;
    chrome.specular = 1.2;
    scene.shapes.push_back({ShapeKind::Ellipsoid, {1.9, 1.35, 2.6}, {1.35, 1.35, 1.35}, chrome});
    scene.shapes.push_back({ShapeKind::Ellipsoid,
                            {-0.9, 0.75, 0.9},
                            {0.75, 0.75, 0.75},
                            glossy({0.8, 0.08, 0.06}, 0.22)});
    scene.shapes.push_back({ShapeKind::Ellipsoid,
                            {-2.9, 0.55, 3.4},
                            {0.55, 0.55, 0.55},
                            glossy({0.95, 0.66, 0.2}, 0.45, 90)});
    scene.shapes.push_back({ShapeKind::Ellipsoid,
                            {0.35, 0.38, -1.1},
                            {0.38, 0.38, 0.38},
                            glossy({0.12, 0.32, 0.9}, 0.3)});
    scene.shapes.push_back(
        {ShapeKind::Ellipsoid, {-1.9, 0.3, -0.6}, {0.3, 0.3, 0.3}, glossy({0.15, 0.75, 0.4}, 0.3)});

    // A small craft hovering over the floor: a flattened hull with a dark canopy and two pods.
    const Vec3 craft{-0.6, 2.25, 4.4};
    scene.shapes.push_back(
        {ShapeKind::Ellipsoid, craft, {1.3, 0.28, 0.62}, glossy({0.9, 0.9, 0.86}, 0.35, 90)});
    scene.shapes.push_back({ShapeKind::Ellipsoid,
                            craft + Vec3{0.15, 0.2, 0},
                            {0.5, 0.28, 0.34},
                            glossy({0.05, 0.08, 0.14}, 0.6, 120)});
    for (double side : {-1.0, 1.0})
        scene.shapes.push_back({ShapeKind::Ellipsoid,
                                craft + Vec3{-0.5, -0.12, side * 0.72},
                                {0.62, 0.14, 0.16},
                                glossy({0.85, 0.3, 0.1}, 0.3)});

    // A colonnade on the right that leads the eye into the distance.
    for (int i = 0; i < 9; ++i) {
        const double z = -1.0 + i * 3.2;
        scene.shapes.push_back({ShapeKind::Box, {5.0, 0, z - 0.55}, {6.1, 0.3, z + 0.55}, stone()});
        scene.shapes.push_back({ShapeKind::Cylinder, {5.55, 0.3, z}, {0.34, 3.9, 0}, stone()});
        scene.shapes.push_back(
            {ShapeKind::Box, {5.05, 4.2, z - 0.5}, {6.05, 4.45, z + 0.5}, stone()});
    }
    scene.shapes.push_back({ShapeKind::Box, {4.9, 4.45, -1.8}, {6.2, 5.1, 27}, stone()});
    // A stepped tower far off on the left.
    for (int step = 0; step < 5; ++step) {
        const double half = 3.2 - step * 0.6;
        scene.shapes.push_back({ShapeKind::Box,
                                {-10 - half, step * 1.2, 22 - half},
                                {-10 + half, (step + 1) * 1.2, 22 + half},
                                stone()});
    }

    scene.lights.push_back({{-9, 11, -6}, {0.8, 0.76, 0.7}});
    scene.lights.push_back({{12, 5, 26}, {0.55, 0.32, 0.2}});

    const Camera camera{{0.2, 2.3, -7.2}, {0.8, 1.2, 3.0}, 52};
    QImage picture = renderScene(scene, camera, ScreenWidth, ScreenHeight, 3);
    addGrain(picture, seed + 3, 1.5);
    return picture;
}

} // namespace zyn::art
