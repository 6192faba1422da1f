#pragma once

#include <QImage>
#include <functional>
#include <optional>
#include <vector>

namespace zyn::art {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double s);
Vec3 operator*(Vec3 a, Vec3 b);
double dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
Vec3 normalised(Vec3 a);
double length(Vec3 a);

struct Material {
    Vec3 colour{0.8, 0.8, 0.8};
    double diffuse = 0.8;
    double specular = 0.5;
    double shininess = 40;
    double reflect = 0;
    // Optional surface pattern: gives the colour at a point (tiles, veins ...).
    std::function<Vec3(Vec3)> pattern;
};

enum class ShapeKind { Ellipsoid, Floor, Cylinder, Box };

// A few shapes are enough for glossy demonstration scenes: ellipsoids (spheres included), the
// floor plane y = 0, upright capped cylinders and axis-aligned boxes.
struct Shape {
    ShapeKind kind;
    Vec3 centre; // ellipsoid and cylinder centre (cylinder: centre of its foot), box minimum corner
    Vec3 size;   // ellipsoid radii, cylinder (radius, height, -), box maximum corner
    Material material;
};

struct Light {
    Vec3 position;
    Vec3 colour;
};

struct RayScene {
    std::vector<Shape> shapes;
    std::vector<Light> lights;
    Vec3 ambient{0.12, 0.12, 0.16};
    std::function<Vec3(Vec3 direction)> sky;
    double fogDistance = 60; // distance at which objects have faded halfway into the sky
};

struct Camera {
    Vec3 eye;
    Vec3 target;
    double fieldOfView = 50; // vertical, in degrees
};

// Renders with `samples` x `samples` rays a pixel, following reflections a few bounces deep.
QImage renderScene(const RayScene& scene, const Camera& camera, int width, int height, int samples);

} // namespace zyn::art
