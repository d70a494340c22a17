// "asteroid1.txt": a lumpy rock, an evenly triangulated sphere pushed in and
// out by noise and a few craters. 200 of them are drawn every frame, so it
// keeps to a small triangle budget and lets the texture and the smooth
// normals carry the small detail.
#include "tools/models.h"
#include "tools/noise.h"
#include "tools/sphere_mesh.h"

#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace {

constexpr double MEAN_RADIUS = 1.1; // at the drawing scale 7 this fills the collision radius 8
constexpr uint32_t SHAPE_SEED = 5077;
constexpr double POLE_MARGIN = 0.5 / 512.0;  // half a texel of "ast.tga"

struct Crater {
    V3 centre;
    double radius;  // angular, radians
    double depth;
};

double shapeRadius(V3 d, const std::vector<Crater>& craters)
{
    double r = 1.0 + 0.20 * fbm3(d.x * 1.15 + 3.1, d.y * 1.15 - 1.7, d.z * 1.15 + 0.4, 3, SHAPE_SEED);
    for (const Crater& c : craters) {
        const double angle = std::acos(std::max(-1.0, std::min(1.0, dot(d, c.centre))));
        const double t = angle / c.radius;
        if (t < 1.0) {
            r -= c.depth * (1.0 - t * t) * (1.0 - t * t);  // bowl
        } else if (t < 1.6) {
            const double s = (t - 1.0) / 0.6;
            r += c.depth * 0.35 * std::sin(s * PI);          // raised rim
        }
    }
    // A little elongated, not a ball.
    const V3 stretched = {d.x * 1.18, d.y * 0.90, d.z * 0.97};
    return r * length(stretched);
}

}  // namespace

ModelData makeAsteroidModel(int triangleCount)
{
    std::vector<V3> directions;
    std::vector<std::array<int, 3>> triangles;
    evenSphere(triangleCount, directions, triangles);

    Dice dice(SHAPE_SEED);
    std::vector<Crater> craters;
    for (int i = 0; i < 5; ++i) {
        const double z = dice.unit() * 2.0 - 1.0;
        const double a = dice.unit() * 2.0 * PI;
        const double s = std::sqrt(1.0 - z * z);
        craters.push_back({{s * std::cos(a), z, s * std::sin(a)}, 0.35 + 0.3 * dice.unit(), 0.06 + 0.06 * dice.unit()});
    }

    std::vector<V3> positions(directions.size());
    double sum = 0.0;
    for (size_t i = 0; i < directions.size(); ++i) {
        const double r = shapeRadius(directions[i], craters);
        positions[i] = directions[i] * r;
        sum += r;
    }
    const double scale = MEAN_RADIUS * directions.size() / sum;
    for (V3& p : positions) {
        p = p * scale;
    }

    // Smooth normals: area-weighted face normals summed at each corner.
    std::vector<V3> normals(positions.size());
    for (const auto& t : triangles) {
        const V3 n = cross(positions[t[1]] - positions[t[0]], positions[t[2]] - positions[t[0]]);
        for (int k = 0; k < 3; ++k) {
            normals[t[k]] = normals[t[k]] + n;
        }
    }

    // Texture coordinates: longitude around y once across the texture,
    // latitude from the -y pole (0) to the +y pole (1). The texture is painted
    // on the sphere in the same way, so where a triangle straddles the
    // longitude's wrap its corners get a copy of the vertex one width further
    // on, and at the poles each triangle gets its own copy of the pole vertex.
    // Latitudes stop half a texel short of the poles, so that sampling never
    // reaches round to the other pole's row.
    MeshData mesh;
    std::map<std::pair<int, long>, int> copies;
    auto corner = [&](int base, double u, double v) {
        const std::pair<int, long> key = {base, std::lround(u * 1e6)};
        auto found = copies.find(key);
        if (found != copies.end()) {
            return found->second;
        }
        const int index = mesh.addVertex(positions[base], normals[base], u, v);
        copies.emplace(key, index);
        return index;
    };
    for (const auto& t : triangles) {
        double u[3];
        double v[3];
        bool pole[3];
        for (int k = 0; k < 3; ++k) {
            const V3 d = directions[t[k]];
            pole[k] = std::fabs(d.y) > 0.999999;
            u[k] = std::atan2(d.z, d.x) / (2.0 * PI) + 0.5;
            v[k] = std::acos(std::max(-1.0, std::min(1.0, -d.y))) / PI;
            v[k] = std::max(POLE_MARGIN, std::min(1.0 - POLE_MARGIN, v[k]));
        }
        double high = -1.0;
        for (int k = 0; k < 3; ++k) {
            if (!pole[k]) {
                high = std::max(high, u[k]);
            }
        }
        for (int k = 0; k < 3; ++k) {
            if (!pole[k] && u[k] < high - 0.5) {
                u[k] += 1.0;
            }
        }
        for (int k = 0; k < 3; ++k) {
            if (pole[k]) {
                const int a = (k + 1) % 3;
                const int b = (k + 2) % 3;
                u[k] = 0.5 * (u[a] + u[b]);
            }
        }
        mesh.addTriangle(corner(t[0], u[0], v[0]), corner(t[1], u[1], v[1]), corner(t[2], u[2], v[2]));
    }

    return ModelData::ofMesh(mesh, {0.42f, 0.38f, 0.34f, 1.0f}, {0.62f, 0.56f, 0.50f}, {0.06f, 0.06f, 0.05f});
}
