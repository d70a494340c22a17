// "craft.txt": the ghost's craft, a dart about three units long, nose along
// +z, up along +y and its left wing along +x, as the camera's view, up and
// side lay it in the world.
#include "tools/models.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int BODY_SIDES = 8;

// A flat plate of the convex outline, thickness 2·halfThickness across axis.
void addPlate(MeshData& mesh, std::vector<V3> outline, V3 axis, double halfThickness)
{
    // The prism's top ring must run counter-clockwise seen from beyond it.
    if (dot(cross(outline[1] - outline[0], outline[2] - outline[0]), axis) < 0.0) {
        std::reverse(outline.begin(), outline.end());
    }
    std::vector<V3> bottom;
    std::vector<V3> top;
    for (const V3& p : outline) {
        bottom.push_back(p - axis * halfThickness);
        top.push_back(p + axis * halfThickness);
    }
    mesh.addPrism(bottom, top);
}

}  // namespace

ModelData makeCraftModel()
{
    MeshData mesh;
    // Body: a tapering tube from a broad tail to a narrow nose.
    std::vector<V3> tail;
    std::vector<V3> nose;
    for (int i = 0; i < BODY_SIDES; ++i) {
        const double a = 2.0 * PI * (i + 0.5) / BODY_SIDES;
        tail.push_back({0.32 * std::cos(a), 0.24 * std::sin(a), -1.3});
        nose.push_back({0.06 * std::cos(a), 0.05 * std::sin(a), 1.6});
    }
    mesh.addPrism(tail, nose);
    // A delta wing through the body and a fin on its back.
    addPlate(mesh, {{0.0, -0.02, 0.9}, {-1.25, -0.02, -1.15}, {1.25, -0.02, -1.15}}, {0, 1, 0}, 0.04);
    addPlate(mesh, {{0.0, 0.1, -0.3}, {0.0, 0.75, -1.25}, {0.0, 0.1, -1.2}}, {1, 0, 0}, 0.035);

    return ModelData::ofMesh(mesh, {0.3f, 0.3f, 0.35f, 1.0f}, {0.7f, 0.75f, 0.85f}, {0.6f, 0.6f, 0.6f});
}
