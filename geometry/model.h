// Model records: the head every object record (Asteroid, Rocket, Gate) begins
// with, so that one loader and one drawing routine serve all three.
#pragma once

#include "sim/vec3.h"

struct Vertex {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float u = 0.0f;
    float v = 0.0f;
    float w = 1.0f;  // read by nothing; kept so the record matches the file's vertex

    Vertex() = default;
    Vertex(float px, float py, float pz) : x(px), y(py), z(pz) {}
};

struct Triangle {
    int indices[3] = {0, 0, 0};  // into the mesh's vertices and, the same value, its normals
};

struct Mesh {
    int vertexCount = 0;
    int triangleCount = 0;
    Vertex* vertices = nullptr;    // vertexCount records
    Vec3* normals = nullptr;       // vertexCount records, one per vertex
    Triangle* triangles = nullptr; // triangleCount records
};

struct Model {
    int meshCount = 0;
    Mesh* meshes = nullptr;
    float ambient[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float diffuse[3] = {0.0f, 0.0f, 0.0f};
    float specular[3] = {0.0f, 0.0f, 0.0f};
    Vertex position;

    // Reads a text model file into this record. A file that cannot be opened is
    // reported on standard output and leaves the record as it was.
    void load(const char* fileName);

    // Issues colour, material and triangles with no transformation: what an
    // asteroid display list holds. Defined with the renderer.
    void drawBody() const;
};
