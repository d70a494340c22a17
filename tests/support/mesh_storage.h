// Geometry built in code for tests and benchmarks, standing in for a model
// file. It owns the arrays a Model points at, so it must outlive the model.
#pragma once

#include "geometry/model.h"

#include <vector>

struct MeshStorage {
    std::vector<Vertex> vertices;
    std::vector<Vec3> normals;
    std::vector<Triangle> triangles;
    Mesh mesh;

    void attachTo(Model& model)
    {
        mesh.vertexCount = static_cast<int>(vertices.size());
        mesh.triangleCount = static_cast<int>(triangles.size());
        mesh.vertices = vertices.data();
        mesh.normals = normals.data();
        mesh.triangles = triangles.data();
        model.meshCount = 1;
        model.meshes = &mesh;
    }
};
