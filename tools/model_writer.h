// Builds triangle models and writes them in the game's text model format.
#pragma once

#include "tools/gen_math.h"

#include <array>
#include <string>
#include <vector>

struct ModelVertex {
    V3 position;
    double u = 0.0;
    double v = 0.0;
    V3 normal;
};

struct MeshData {
    std::vector<ModelVertex> vertices;
    std::vector<std::array<int, 3>> triangles;  // counter-clockwise seen from outside

    int addVertex(V3 position, V3 normal, double u = 0.0, double v = 0.0);
    void addTriangle(int a, int b, int c);
    // A flat-shaded convex polygon (corners counter-clockwise seen from
    // outside), fanned into triangles, with its own vertices and face normal.
    void addFlatPolygon(const std::vector<V3>& corners);
    // A closed, flat-shaded solid between two rings of corners, with both
    // caps. Both rings run counter-clockwise seen from outside beyond `top`.
    void addPrism(const std::vector<V3>& bottom, const std::vector<V3>& top);
};

struct ModelData {
    std::vector<MeshData> meshes;
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[3] = {0.8f, 0.8f, 0.8f};
    float specular[3] = {0.0f, 0.0f, 0.0f};

    // A model of one mesh in its material: ambient red, green, blue and alpha,
    // diffuse and specular red, green and blue.
    static ModelData ofMesh(MeshData mesh, const std::array<float, 4>& ambient, const std::array<float, 3>& diffuse,
                            const std::array<float, 3>& specular);
};

// The file's text: counts, vertices (x y z u v), normals, triangles (three
// indices and three unused zeros), then the three material colours.
std::string formatModel(const ModelData& model);
