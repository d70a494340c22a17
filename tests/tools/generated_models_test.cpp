#include "tools/generated_data.h"

#include "geometry/model.h"
#include "geometry/model_loader.h"
#include "render/ghost_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

struct P {
    double x, y, z;
};
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
P cross(P a, P b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(P a, P b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double len(P a) { return std::sqrt(dot(a, a)); }

P position(const Mesh& mesh, int k) { return {mesh.vertices[k].x, mesh.vertices[k].y, mesh.vertices[k].z}; }
P normal(const Mesh& mesh, int k) { return {mesh.normals[k].x, mesh.normals[k].y, mesh.normals[k].z}; }

// A model loaded by the game's own loader from a freshly generated file, in
// each test anew: another test may clear the loader's cache, which frees the
// geometry of every model loaded before.
Model loaded(const char* name)
{
    Model model;
    model.load(generatedModelsTree().file(name).c_str());
    return model;
}

// Vertices at the same place count as one: seams duplicate a vertex for its
// texture coordinates or flat normals without opening the surface.
std::array<long, 3> placeKey(P p)
{
    return {std::lround(p.x * 1e5), std::lround(p.y * 1e5), std::lround(p.z * 1e5)};
}

// Every index in range, every normal of unit length and on the front side of
// each triangle it shades, every edge (by place) used once in each direction:
// the surface is closed and consistently wound.
void expectWellFormed(const Model& model)
{
    ASSERT_GE(model.meshCount, 1);
    for (int m = 0; m < model.meshCount; ++m) {
        const Mesh& mesh = model.meshes[m];
        ASSERT_GT(mesh.triangleCount, 0);
        std::map<std::pair<std::array<long, 3>, std::array<long, 3>>, int> edges;
        for (int t = 0; t < mesh.triangleCount; ++t) {
            const int* idx = mesh.triangles[t].indices;
            for (int c = 0; c < 3; ++c) {
                ASSERT_GE(idx[c], 0) << "triangle " << t;
                ASSERT_LT(idx[c], mesh.vertexCount) << "triangle " << t;
            }
            const P a = position(mesh, idx[0]);
            const P face = cross(position(mesh, idx[1]) - a, position(mesh, idx[2]) - a);
            ASSERT_GT(len(face), 0.0) << "degenerate triangle " << t;
            for (int c = 0; c < 3; ++c) {
                const P n = normal(mesh, idx[c]);
                EXPECT_NEAR(len(n), 1.0, 1e-3) << "triangle " << t;
                EXPECT_GT(dot(n, face), 0.0) << "normal against the winding, triangle " << t;
                ++edges[{placeKey(position(mesh, idx[c])), placeKey(position(mesh, idx[(c + 1) % 3]))}];
            }
        }
        for (const auto& [edge, count] : edges) {
            EXPECT_EQ(count, 1) << "edge used twice in one direction";
            const auto back = edges.find({edge.second, edge.first});
            EXPECT_TRUE(back != edges.end() && back->second == 1) << "open or unmatched edge";
        }
    }
}

// Six times the volume enclosed by each separate closed part (triangles
// joined through shared edges); positive where the part faces outward.
std::vector<double> partVolumes(const Mesh& mesh)
{
    std::vector<int> parent(mesh.triangleCount);
    for (int t = 0; t < mesh.triangleCount; ++t) {
        parent[t] = t;
    }
    auto root = [&](int t) {
        while (parent[t] != t) {
            t = parent[t] = parent[parent[t]];
        }
        return t;
    };
    std::map<std::array<long, 3>, std::vector<int>> byPlace;
    for (int t = 0; t < mesh.triangleCount; ++t) {
        for (int k : mesh.triangles[t].indices) {
            std::vector<int>& list = byPlace[placeKey(position(mesh, k))];
            if (!list.empty()) {
                parent[root(t)] = root(list.front());
            }
            list.push_back(t);
        }
    }
    std::map<int, double> volumes;
    for (int t = 0; t < mesh.triangleCount; ++t) {
        const int* idx = mesh.triangles[t].indices;
        volumes[root(t)] += dot(position(mesh, idx[0]), cross(position(mesh, idx[1]), position(mesh, idx[2])));
    }
    std::vector<double> out;
    for (const auto& entry : volumes) {
        out.push_back(entry.second);
    }
    return out;
}

}  // namespace

TEST(GeneratedModels, AllAreClosedConsistentAndOutwardFacing)
{
    for (const char* name : {"asteroid1.txt", "tor.txt", "rocket.txt", "craft.txt"}) {
        SCOPED_TRACE(name);
        const Model& model = loaded(name);
        expectWellFormed(model);
        for (double volume : partVolumes(model.meshes[0])) {
            EXPECT_GT(volume, 0.0) << "a part faces inward";
        }
    }
}

// The budgets compared in bench/asteroid_budget.sh: each one exactly, and
// still a closed, outward-wound rock.
TEST(GeneratedModels, AsteroidOfAnyBudgetHasExactlyThatManyTrianglesAndIsClosed)
{
    for (int budget : {100, 160, 240}) {
        SCOPED_TRACE(budget);
        TempDataDir dir;
        ASSERT_TRUE(generateAsteroid(dir.path(), budget));
        Model model;
        model.load(dir.file("asteroid1.txt").c_str());
        ASSERT_EQ(model.meshCount, 1);
        EXPECT_EQ(model.meshes[0].triangleCount, budget);
        expectWellFormed(model);
        for (double volume : partVolumes(model.meshes[0])) {
            EXPECT_GT(volume, 0.0);
        }
    }
}

TEST(GeneratedModels, AsteroidIsALumpyRockThatFillsItsCollisionRadius)
{
    const Model& model = loaded("asteroid1.txt");
    ASSERT_EQ(model.meshCount, 1);
    const Mesh& mesh = model.meshes[0];
    // 200 of them are drawn every frame: the budget measured in
    // bench/README.md. Below about 150 triangles the nearest rocks show their
    // facets; above 250 the field view pays for detail nobody sees.
    EXPECT_GE(mesh.triangleCount, 150);
    EXPECT_LE(mesh.triangleCount, 250);

    double sum = 0.0;
    double low = 1e9;
    double high = 0.0;
    for (int k = 0; k < mesh.vertexCount; ++k) {
        const P p = position(mesh, k);
        const double r = len(p);
        sum += r;
        low = std::min(low, r);
        high = std::max(high, r);
        // Smooth normals point away from the middle.
        EXPECT_GT(dot(normal(mesh, k), p) / r, 0.2) << "vertex " << k;
    }
    // Drawn at scale 7, a mean radius of about 1.1 fills the collision radius 8.
    EXPECT_NEAR(sum / mesh.vertexCount, 1.1, 0.05);
    EXPECT_LT(high, 1.45);
    EXPECT_GT(low, 0.75);
    // Not a ball: the surface rises and falls.
    EXPECT_GT(high - low, 0.2);
    // Grey-brown: red at least green at least blue, none far from the others.
    EXPECT_GE(model.ambient[0], model.ambient[1]);
    EXPECT_GE(model.ambient[1], model.ambient[2]);
    EXPECT_LT(model.ambient[0] - model.ambient[2], 0.2f);
}

TEST(GeneratedModels, AsteroidTextureCoordinatesHaveNoSeam)
{
    const Mesh& mesh = loaded("asteroid1.txt").meshes[0];
    // A pole vertex has one place but a texture coordinate per triangle; the
    // texture's pole rows are uniform, so only its v counts there.
    auto atPole = [&](int k) { return std::fabs(std::fabs(mesh.vertices[k].y / len(position(mesh, k))) - 1.0) < 1e-4; };
    // Where two triangles share an edge, their corners at each end must sample
    // the same texel: the same v, and u equal up to whole turns of the
    // wrapping texture, the same whole turn at both ends.
    std::map<std::pair<std::array<long, 3>, std::array<long, 3>>, std::pair<int, int>> firstSide;
    int shared = 0;
    for (int t = 0; t < mesh.triangleCount; ++t) {
        const int* idx = mesh.triangles[t].indices;
        double uMin = 1e9;
        double uMax = -1e9;
        for (int c = 0; c < 3; ++c) {
            const int from = idx[c];
            const int to = idx[(c + 1) % 3];
            EXPECT_GE(mesh.vertices[from].v, 0.0f);
            EXPECT_LE(mesh.vertices[from].v, 1.0f);
            if (!atPole(from)) {
                uMin = std::min(uMin, double(mesh.vertices[from].u));
                uMax = std::max(uMax, double(mesh.vertices[from].u));
            }
            const auto fromPlace = placeKey(position(mesh, from));
            const auto toPlace = placeKey(position(mesh, to));
            const auto other = firstSide.find({toPlace, fromPlace});
            if (other == firstSide.end()) {
                firstSide[{fromPlace, toPlace}] = {from, to};
                continue;
            }
            ++shared;
            // The other triangle runs the edge the other way round.
            const int otherAtTo = other->second.first;
            const int otherAtFrom = other->second.second;
            EXPECT_NEAR(mesh.vertices[from].v, mesh.vertices[otherAtFrom].v, 1e-5);
            EXPECT_NEAR(mesh.vertices[to].v, mesh.vertices[otherAtTo].v, 1e-5);
            const double turnsAtFrom = mesh.vertices[from].u - mesh.vertices[otherAtFrom].u;
            const double turnsAtTo = mesh.vertices[to].u - mesh.vertices[otherAtTo].u;
            if (!atPole(from)) {
                EXPECT_NEAR(turnsAtFrom, std::round(turnsAtFrom), 1e-5) << "triangle " << t;
            }
            if (!atPole(from) && !atPole(to)) {
                EXPECT_NEAR(turnsAtFrom, turnsAtTo, 1e-5) << "a seam along an edge of triangle " << t;
            }
        }
        // No triangle smeared back across the whole texture.
        EXPECT_LT(uMax - uMin, 0.5) << "triangle " << t;
    }
    EXPECT_EQ(shared * 2, mesh.triangleCount * 3);
}

TEST(GeneratedModels, GateOpeningFramesThePassZoneAndCarriesStructure)
{
    const Model& model = loaded("tor.txt");
    // The ring lies in the xy-plane around the z-axis. Drawn at scale 2.5, the
    // pass zone (a cube of +-3.7 world units) needs an opening wider than
    // 5.3 world units: 2.15 model units. Sample every triangle, not just its
    // corners, since a chord passes closer to the axis than its ends.
    double nearest = 1e9;
    double farthest = 0.0;
    for (int m = 0; m < model.meshCount; ++m) {
        const Mesh& mesh = model.meshes[m];
        for (int t = 0; t < mesh.triangleCount; ++t) {
            const int* idx = mesh.triangles[t].indices;
            const P a = position(mesh, idx[0]);
            const P b = position(mesh, idx[1]);
            const P c = position(mesh, idx[2]);
            const int steps = 8;
            for (int i = 0; i <= steps; ++i) {
                for (int j = 0; i + j <= steps; ++j) {
                    const double wi = double(i) / steps;
                    const double wj = double(j) / steps;
                    const P p = {a.x + (b.x - a.x) * wi + (c.x - a.x) * wj, a.y + (b.y - a.y) * wi + (c.y - a.y) * wj,
                                 0.0};
                    nearest = std::min(nearest, len(p));
                    farthest = std::max(farthest, len(p));
                }
            }
        }
    }
    EXPECT_GT(nearest, 2.15);
    // Struts and beacons stand out beyond the ring so that its spin shows.
    EXPECT_GT(farthest, nearest + 1.0);
}

TEST(GeneratedModels, RocketIsSmall)
{
    const Mesh& mesh = loaded("rocket.txt").meshes[0];
    double extent = 0.0;
    for (int k = 0; k < mesh.vertexCount; ++k) {
        extent = std::max(extent, len(position(mesh, k)));
    }
    EXPECT_GT(extent, 0.2);
    EXPECT_LT(extent, 1.0);
}

// The ghost's cull cube must hold the whole craft, or it vanishes at the edge
// of the view while part of it is still on screen; it points along +z.
TEST(GeneratedModels, CraftFitsItsCullCubeAndPointsAlongZ)
{
    const Mesh& mesh = loaded("craft.txt").meshes[0];
    double reach = 0.0;
    double front = -1e9;
    double back = 1e9;
    for (int k = 0; k < mesh.vertexCount; ++k) {
        const P p = position(mesh, k);
        reach = std::max({reach, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
        front = std::max(front, p.z);
        back = std::min(back, p.z);
    }
    EXPECT_LE(reach, GHOST_CRAFT_REACH);
    EXPECT_GT(front - back, 2.0) << "too small to see beside the gates";
}
