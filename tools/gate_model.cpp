// "tor.txt": the gate ring. Drawn at scale 2.5, its opening must frame the
// pass zone, a cube of +-3.7 world units: the inner radius stays above 2.15
// model units. Pylons with beacons and clamps on the ring, spaced unevenly,
// make its spin readable.
#include "tools/models.h"

#include <cmath>

namespace {

constexpr int SEGMENTS = 36;         // around the ring
constexpr double INNER = 2.30;       // radius of the opening
constexpr double OUTER = 2.85;
constexpr double HALF_DEPTH = 0.34;  // along the ring's axis
constexpr double BEVEL = 0.09;

V3 ringPoint(double angle, double radius, double z)
{
    return {std::cos(angle) * radius, std::sin(angle) * radius, z};
}

// The ring: a bevelled rectangle (eight sides, in radius and depth) swept
// around z. Each side keeps its own normal, so the bevels catch the light.
void addRing(MeshData& mesh)
{
    const double r0 = INNER;
    const double r1 = OUTER;
    const double d = HALF_DEPTH;
    const double b = BEVEL;
    // Cross-section corners (radius, z), counter-clockwise seen with +angle
    // pointing at the viewer, so the sweep winds outward.
    const double section[8][2] = {{r0, -d + b}, {r0 + b, -d}, {r1 - b, -d}, {r1, -d + b},
                                  {r1, d - b},  {r1 - b, d},  {r0 + b, d}, {r0, d - b}};
    for (int side = 0; side < 8; ++side) {
        const double* p = section[side];
        const double* q = section[(side + 1) % 8];
        // Outward normal of the side in the (radius, z) plane.
        const double nr = q[1] - p[1];
        const double nz = -(q[0] - p[0]);
        const int first = static_cast<int>(mesh.vertices.size());
        for (int s = 0; s < SEGMENTS; ++s) {
            const double angle = 2.0 * PI * s / SEGMENTS;
            const V3 normal = {std::cos(angle) * nr, std::sin(angle) * nr, nz};
            mesh.addVertex(ringPoint(angle, p[0], p[1]), normal, double(s) / SEGMENTS, 0.0);
            mesh.addVertex(ringPoint(angle, q[0], q[1]), normal, double(s) / SEGMENTS, 1.0);
        }
        for (int s = 0; s < SEGMENTS; ++s) {
            const int a = first + 2 * s;
            const int c = first + 2 * ((s + 1) % SEGMENTS);
            mesh.addTriangle(a, c, a + 1);
            mesh.addTriangle(a + 1, c, c + 1);
        }
    }
}

// A box spanning radius r0..r1 at an angle, tapering from half width w0 and
// half depth d0 at r0 to w1, d1 at r1.
void addRadialBox(MeshData& mesh, double angle, double r0, double r1, double w0, double w1, double d0, double d1)
{
    const V3 radial = {std::cos(angle), std::sin(angle), 0.0};
    const V3 tangent = {-std::sin(angle), std::cos(angle), 0.0};
    const V3 axis = {0.0, 0.0, 1.0};
    auto ring = [&](double r, double w, double d) {
        const V3 c = radial * r;
        // Counter-clockwise seen from beyond the outer end.
        return std::vector<V3>{c - tangent * w - axis * d, c + tangent * w - axis * d,
                               c + tangent * w + axis * d, c - tangent * w + axis * d};
    };
    mesh.addPrism(ring(r0, w0, d0), ring(r1, w1, d1));
}

// A beacon: an octahedron, stretched along the pylon.
void addBeacon(MeshData& mesh, double angle, double r, double size)
{
    const V3 radial = {std::cos(angle), std::sin(angle), 0.0};
    const V3 tangent = {-std::sin(angle), std::cos(angle), 0.0};
    const V3 axis = {0.0, 0.0, 1.0};
    const V3 c = radial * r;
    const V3 tips[6] = {c + radial * (size * 1.6), c - radial * size, c + tangent * size,
                        c - tangent * size, c + axis * size, c - axis * size};
    const int faces[8][3] = {{0, 2, 4}, {0, 4, 3}, {0, 3, 5}, {0, 5, 2},
                             {1, 4, 2}, {1, 3, 4}, {1, 5, 3}, {1, 2, 5}};
    for (const auto& f : faces) {
        std::vector<V3> tri = {tips[f[0]], tips[f[1]], tips[f[2]]};
        const V3 n = cross(tri[1] - tri[0], tri[2] - tri[0]);
        if (dot(n, tri[0] - c) < 0.0) {
            std::swap(tri[1], tri[2]);
        }
        mesh.addFlatPolygon(tri);
    }
}

}  // namespace

ModelData makeGateModel()
{
    MeshData mesh;
    addRing(mesh);
    // Three pylons, 100 and 130 degrees apart, so the gate never looks the
    // same after a part turn; the first carries a double beacon.
    const double pylons[3] = {PI / 2.0, PI / 2.0 + 100.0 * PI / 180.0, PI / 2.0 + 230.0 * PI / 180.0};
    for (int i = 0; i < 3; ++i) {
        const double a = pylons[i];
        addRadialBox(mesh, a, OUTER - 0.1, 3.75, 0.20, 0.08, 0.26, 0.11);
        addBeacon(mesh, a, 3.98, i == 0 ? 0.26 : 0.19);
        if (i == 0) {
            addRadialBox(mesh, a + 0.17, OUTER - 0.1, 3.35, 0.08, 0.04, 0.14, 0.06);
            addRadialBox(mesh, a - 0.17, OUTER - 0.1, 3.35, 0.08, 0.04, 0.14, 0.06);
        }
        // A clamp around the ring half-way to the next pylon.
        const double next = pylons[(i + 1) % 3] + (i == 2 ? 2.0 * PI : 0.0);
        const double clamp = 0.5 * (a + next);
        addRadialBox(mesh, clamp, INNER + 0.05, OUTER + 0.10, 0.20, 0.20, HALF_DEPTH + 0.07, HALF_DEPTH + 0.07);
    }

    return ModelData::ofMesh(mesh, {0.30f, 0.30f, 0.32f, 1.0f}, {0.80f, 0.80f, 0.82f}, {0.60f, 0.60f, 0.60f});
}
