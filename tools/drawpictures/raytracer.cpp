#include "raytracer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyn::art {

Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
Vec3 operator*(Vec3 a, Vec3 b) {
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}
double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(Vec3 a) {
    return std::sqrt(dot(a, a));
}
Vec3 normalised(Vec3 a) {
    return a * (1.0 / length(a));
}

namespace {

constexpr double Epsilon = 1e-6;
constexpr int MaxDepth = 4;

struct Hit {
    double distance = std::numeric_limits<double>::max();
    Vec3 normal;
    const Shape* shape = nullptr;
};

void hitEllipsoid(const Shape& shape, Vec3 origin, Vec3 direction, Hit& hit) {
    // Squash the ray into the space where the ellipsoid is the unit sphere.
    const Vec3 inverse{1 / shape.size.x, 1 / shape.size.y, 1 / shape.size.z};
    const Vec3 o = (origin - shape.centre) * inverse;
    const Vec3 d = direction * inverse;
    const double a = dot(d, d);
    const double b = dot(o, d);
    const double c = dot(o, o) - 1;
    const double discriminant = b * b - a * c;
    if (discriminant < 0)
        return;
    const double root = std::sqrt(discriminant);
    double t = (-b - root) / a;
    if (t < Epsilon)
        t = (-b + root) / a;
    if (t < Epsilon || t >= hit.distance)
        return;
    const Vec3 local = o + d * t;
    hit.distance = t;
    hit.normal = normalised(local * inverse);
    hit.shape = &shape;
}

void hitFloor(const Shape& shape, Vec3 origin, Vec3 direction, Hit& hit) {
    if (std::abs(direction.y) < Epsilon)
        return;
    const double t = -origin.y / direction.y;
    if (t < Epsilon || t >= hit.distance)
        return;
    hit.distance = t;
    hit.normal = {0, origin.y > 0 ? 1.0 : -1.0, 0};
    hit.shape = &shape;
}

void hitCylinder(const Shape& shape, Vec3 origin, Vec3 direction, Hit& hit) {
    const double radius = shape.size.x;
    const double bottom = shape.centre.y;
    const double top = shape.centre.y + shape.size.y;
    const double ox = origin.x - shape.centre.x;
    const double oz = origin.z - shape.centre.z;
    const double a = direction.x * direction.x + direction.z * direction.z;
    if (a > Epsilon) {
        const double b = ox * direction.x + oz * direction.z;
        const double c = ox * ox + oz * oz - radius * radius;
        const double discriminant = b * b - a * c;
        if (discriminant >= 0) {
            const double t = (-b - std::sqrt(discriminant)) / a;
            const double y = origin.y + direction.y * t;
            if (t > Epsilon && t < hit.distance && y >= bottom && y <= top) {
                hit.distance = t;
                hit.normal = normalised({ox + direction.x * t, 0, oz + direction.z * t});
                hit.shape = &shape;
            }
        }
    }
    if (std::abs(direction.y) > Epsilon) {
        for (double cap : {bottom, top}) {
            const double t = (cap - origin.y) / direction.y;
            const double x = ox + direction.x * t;
            const double z = oz + direction.z * t;
            if (t > Epsilon && t < hit.distance && x * x + z * z <= radius * radius) {
                hit.distance = t;
                hit.normal = {0, cap == top ? 1.0 : -1.0, 0};
                hit.shape = &shape;
            }
        }
    }
}

void hitBox(const Shape& shape, Vec3 origin, Vec3 direction, Hit& hit) {
    const double lows[3] = {shape.centre.x, shape.centre.y, shape.centre.z};
    const double highs[3] = {shape.size.x, shape.size.y, shape.size.z};
    const double o[3] = {origin.x, origin.y, origin.z};
    const double d[3] = {direction.x, direction.y, direction.z};
    double near = -std::numeric_limits<double>::max();
    double far = std::numeric_limits<double>::max();
    int axis = 0;
    double sign = 1;
    for (int k = 0; k < 3; ++k) {
        if (std::abs(d[k]) < Epsilon) {
            if (o[k] < lows[k] || o[k] > highs[k])
                return;
            continue;
        }
        double t1 = (lows[k] - o[k]) / d[k];
        double t2 = (highs[k] - o[k]) / d[k];
        double entrySign = -1;
        if (t1 > t2) {
            std::swap(t1, t2);
            entrySign = 1;
        }
        if (t1 > near) {
            near = t1;
            axis = k;
            sign = entrySign;
        }
        far = std::min(far, t2);
    }
    if (near > far || near < Epsilon || near >= hit.distance)
        return;
    hit.distance = near;
    hit.normal = {axis == 0 ? sign : 0, axis == 1 ? sign : 0, axis == 2 ? sign : 0};
    hit.shape = &shape;
}

Hit intersect(const RayScene& scene, Vec3 origin, Vec3 direction) {
    Hit hit;
    for (const Shape& shape : scene.shapes) {
        switch (shape.kind) {
        case ShapeKind::Ellipsoid:
            hitEllipsoid(shape, origin, direction, hit);
            break;
        case ShapeKind::Floor:
            hitFloor(shape, origin, direction, hit);
            break;
        case ShapeKind::Cylinder:
            hitCylinder(shape, origin, direction, hit);
            break;
        case ShapeKind::Box:
            hitBox(shape, origin, direction, hit);
            break;
        }
    }
    return hit;
}

Vec3 trace(const RayScene& scene, Vec3 origin, Vec3 direction, int depth) {
    const Hit hit = intersect(scene, origin, direction);
    const Vec3 sky = scene.sky(direction);
    if (hit.shape == nullptr)
        return sky;
    const Material& material = hit.shape->material;
    const Vec3 point = origin + direction * hit.distance;
    const Vec3 normal = hit.normal;
    const Vec3 base = material.pattern ? material.pattern(point) : material.colour;
    const Vec3 reflected = normalised(direction - normal * (2 * dot(direction, normal)));

    Vec3 colour = base * scene.ambient;
    for (const Light& light : scene.lights) {
        const Vec3 toLight = light.position - point;
        const double lightDistance = length(toLight);
        const Vec3 l = toLight * (1 / lightDistance);
        const double facing = dot(normal, l);
        if (facing <= 0)
            continue;
        const Hit blocker = intersect(scene, point + normal * 1e-4, l);
        if (blocker.shape != nullptr && blocker.distance < lightDistance)
            continue;
        colour = colour + base * light.colour * (material.diffuse * facing);
        const double highlight = std::pow(std::max(0.0, dot(reflected, l)), material.shininess);
        colour = colour + light.colour * (material.specular * highlight);
    }

    if (material.reflect > 0 && depth < MaxDepth) {
        // Surfaces mirror more at grazing angles.
        const double cosine = std::max(0.0, -dot(direction, normal));
        const double fresnel =
            material.reflect + (1 - material.reflect) * std::pow(1 - cosine, 5) * 0.6;
        const Vec3 mirrored = trace(scene, point + normal * 1e-4, reflected, depth + 1);
        colour = colour * (1 - fresnel) + mirrored * fresnel;
    }
    const double fog = 1 - std::exp(-hit.distance / scene.fogDistance * 0.693);
    return colour * (1 - fog) + sky * fog;
}

} // namespace

QImage renderScene(const RayScene& scene, const Camera& camera, int width, int height,
                   int samples) {
    const Vec3 forward = normalised(camera.target - camera.eye);
    const Vec3 right = normalised(cross({0, 1, 0}, forward));
    const Vec3 up = cross(forward, right);
    const double halfHeight = std::tan(camera.fieldOfView * 3.14159265358979 / 360.0);
    const double halfWidth = halfHeight * width / height;

    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            Vec3 sum;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double u = ((x + (sx + 0.5) / samples) / width * 2 - 1) * halfWidth;
                    const double v = (1 - (y + (sy + 0.5) / samples) / height * 2) * halfHeight;
                    const Vec3 direction = normalised(forward + right * u + up * v);
                    sum = sum + trace(scene, camera.eye, direction, 0);
                }
            }
            const Vec3 c = sum * (1.0 / (samples * samples));
            // A soft shoulder instead of hard clipping keeps highlights from turning flat white.
            auto tone = [](double v) {
                return std::clamp(static_cast<int>(255 * (1 - std::exp(-v * 1.6))), 0, 255);
            };
            line[x] = qRgb(tone(c.x), tone(c.y), tone(c.z));
        }
    }
    return picture;
}

} // namespace zyn::art
