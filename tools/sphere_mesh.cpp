#include "tools/sphere_mesh.h"

#include <set>
#include <utility>

namespace {

// The spiral, without the poles: heights evenly spaced and kept a full step
// from either pole, each point a golden angle further round than the last.
void spiralPoints(int count, std::vector<V3>& directions)
{
    const double goldenAngle = PI * (3.0 - std::sqrt(5.0));
    for (int i = 0; i < count; ++i) {
        const double y = 1.0 - 2.0 * (i + 1) / (count + 1);
        const double ring = std::sqrt(std::max(0.0, 1.0 - y * y));
        const double angle = goldenAngle * i;
        directions.push_back({ring * std::cos(angle), y, ring * std::sin(angle)});
    }
}

V3 faceNormal(const std::vector<V3>& p, const std::array<int, 3>& f)
{
    return cross(p[f[1]] - p[f[0]], p[f[2]] - p[f[0]]);
}

}  // namespace

void evenSphere(int triangleCount, std::vector<V3>& directions, std::vector<std::array<int, 3>>& triangles)
{
    const int pointCount = triangleCount / 2 + 2;
    directions = {{0.0, 1.0, 0.0}, {0.0, -1.0, 0.0}};
    spiralPoints(pointCount - 2, directions);

    // Incremental hull. The start is a tetrahedron of both poles, the first
    // spiral point and the first point off their plane (which holds the y axis).
    int fourth = 3;
    while (std::fabs(dot(cross(directions[1] - directions[0], directions[2] - directions[0]),
                         directions[fourth] - directions[0])) < 1e-9) {
        ++fourth;
    }
    const V3 inside = (directions[0] + directions[1] + directions[2] + directions[fourth]) * 0.25;
    std::vector<std::array<int, 3>> faces = {{0, 1, 2}, {0, 1, fourth}, {0, 2, fourth}, {1, 2, fourth}};
    for (auto& f : faces) {
        if (dot(faceNormal(directions, f), directions[f[0]] - inside) < 0.0) {
            std::swap(f[1], f[2]);
        }
    }
    for (int p = 2; p < pointCount; ++p) {
        if (p == fourth) {
            continue;
        }
        // Faces the new point sees are replaced by a fan from the point to
        // their rim; the rim's edges keep their direction, so the fan is
        // wound outward like the faces it replaces.
        std::set<std::pair<int, int>> seenEdges;
        std::vector<std::array<int, 3>> kept;
        for (const auto& f : faces) {
            if (dot(faceNormal(directions, f), directions[p] - directions[f[0]]) > 1e-12) {
                for (int k = 0; k < 3; ++k) {
                    seenEdges.insert({f[k], f[(k + 1) % 3]});
                }
            } else {
                kept.push_back(f);
            }
        }
        for (const auto& edge : seenEdges) {
            if (seenEdges.count({edge.second, edge.first}) == 0) {
                kept.push_back({edge.first, edge.second, p});
            }
        }
        faces = std::move(kept);
    }
    triangles = std::move(faces);
}
