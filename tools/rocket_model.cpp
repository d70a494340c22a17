// "rocket.txt": a small rocket along +z, one unit long. The game loads it into
// every rocket slot.
#include "tools/models.h"

#include <cmath>

namespace {

constexpr int SIDES = 10;
constexpr double BODY_RADIUS = 0.07;

}  // namespace

ModelData makeRocketModel()
{
    MeshData mesh;
    // Body: a cylinder from z = -0.45 to 0.25 with smooth sides, a nose cone
    // to z = 0.5 and a flat tail; one closed surface.
    const double zTail = -0.45;
    const double zShoulder = 0.25;
    const double zTip = 0.50;
    const int tailCentre = mesh.addVertex({0, 0, zTail}, {0, 0, -1});
    std::vector<int> tailRing;
    std::vector<int> sideLow;
    std::vector<int> sideHigh;
    std::vector<int> coneBase;
    const double coneSlope = BODY_RADIUS / (zTip - zShoulder);
    for (int i = 0; i < SIDES; ++i) {
        const double a = 2.0 * PI * i / SIDES;
        const V3 radial = {std::cos(a), std::sin(a), 0.0};
        const double u = double(i) / SIDES;
        tailRing.push_back(mesh.addVertex(radial * BODY_RADIUS + V3{0, 0, zTail}, {0, 0, -1}, u, 0.0));
        sideLow.push_back(mesh.addVertex(radial * BODY_RADIUS + V3{0, 0, zTail}, radial, u, 0.0));
        sideHigh.push_back(mesh.addVertex(radial * BODY_RADIUS + V3{0, 0, zShoulder}, radial, u, 0.7));
        coneBase.push_back(mesh.addVertex(radial * BODY_RADIUS + V3{0, 0, zShoulder},
                                          radial + V3{0, 0, coneSlope}, u, 0.7));
    }
    for (int i = 0; i < SIDES; ++i) {
        const int j = (i + 1) % SIDES;
        mesh.addTriangle(tailCentre, tailRing[j], tailRing[i]);
        mesh.addTriangle(sideLow[i], sideLow[j], sideHigh[j]);
        mesh.addTriangle(sideLow[i], sideHigh[j], sideHigh[i]);
        // The tip gets its own vertex per face so its normal follows the cone.
        const double a = 2.0 * PI * (i + 0.5) / SIDES;
        const V3 radial = {std::cos(a), std::sin(a), 0.0};
        const int tip = mesh.addVertex({0, 0, zTip}, radial + V3{0, 0, coneSlope}, (i + 0.5) / SIDES, 1.0);
        mesh.addTriangle(coneBase[i], coneBase[j], tip);
    }
    // Four swept fins at the tail.
    for (int f = 0; f < 4; ++f) {
        const double a = PI / 4.0 + f * PI / 2.0;
        const V3 radial = {std::cos(a), std::sin(a), 0.0};
        const V3 side = {-std::sin(a), std::cos(a), 0.0};
        const double t = 0.012;
        const V3 root0 = radial * (BODY_RADIUS * 0.8) + V3{0, 0, zTail};
        const V3 root1 = radial * (BODY_RADIUS * 0.8) + V3{0, 0, zTail + 0.22};
        const V3 tip0 = radial * 0.20 + V3{0, 0, zTail - 0.05};
        const V3 tip1 = radial * 0.20 + V3{0, 0, zTail + 0.05};
        const std::vector<V3> outline = {root0, tip0, tip1, root1};
        std::vector<V3> left;
        std::vector<V3> right;
        for (const V3& p : outline) {
            left.push_back(p - side * t);
            right.push_back(p + side * t);
        }
        // The prism's top cap must face away from its bottom.
        const V3 n = cross(left[1] - left[0], left[2] - left[0]);
        if (dot(n, side) > 0.0) {
            mesh.addPrism(left, right);
        } else {
            mesh.addPrism(right, left);
        }
    }

    return ModelData::ofMesh(mesh, {0.35f, 0.35f, 0.35f, 1.0f}, {0.85f, 0.85f, 0.85f}, {0.5f, 0.5f, 0.5f});
}
