#include "tools/model_writer.h"

#include <algorithm>
#include <cstdio>
#include <utility>

int MeshData::addVertex(V3 position, V3 normal, double u, double v)
{
    vertices.push_back(ModelVertex{position, u, v, normalized(normal)});
    return static_cast<int>(vertices.size()) - 1;
}

void MeshData::addTriangle(int a, int b, int c)
{
    triangles.push_back({a, b, c});
}

void MeshData::addFlatPolygon(const std::vector<V3>& corners)
{
    V3 normal;
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        normal = normal + cross(corners[i] - corners[0], corners[i + 1] - corners[0]);
    }
    const int first = static_cast<int>(vertices.size());
    for (const V3& c : corners) {
        addVertex(c, normal);
    }
    for (int i = 1; i + 1 < static_cast<int>(corners.size()); ++i) {
        addTriangle(first, first + i, first + i + 1);
    }
}

void MeshData::addPrism(const std::vector<V3>& bottom, const std::vector<V3>& top)
{
    const size_t n = bottom.size();
    // Bottom cap faces away from the top: reverse the ring.
    std::vector<V3> cap(bottom.rbegin(), bottom.rend());
    addFlatPolygon(cap);
    addFlatPolygon(top);
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        addFlatPolygon({bottom[i], bottom[j], top[j], top[i]});
    }
}

namespace {

void appendf(std::string& out, const char* format, double a, double b, double c)
{
    char line[128];
    std::snprintf(line, sizeof line, format, a, b, c);
    out += line;
}

// Writes -0.000000 as 0.000000, so that the file does not depend on the sign
// of values that round to zero.
double tidy(double v)
{
    return (v > -0.0000005 && v < 0.0000005) ? 0.0 : v;
}

}  // namespace

ModelData ModelData::ofMesh(MeshData mesh, const std::array<float, 4>& ambient, const std::array<float, 3>& diffuse,
                            const std::array<float, 3>& specular)
{
    ModelData model;
    model.meshes.push_back(std::move(mesh));
    std::copy(ambient.begin(), ambient.end(), model.ambient);
    std::copy(diffuse.begin(), diffuse.end(), model.diffuse);
    std::copy(specular.begin(), specular.end(), model.specular);
    return model;
}

std::string formatModel(const ModelData& model)
{
    std::string out = std::to_string(model.meshes.size()) + "\n";
    for (const MeshData& mesh : model.meshes) {
        out += std::to_string(mesh.vertices.size()) + "\n";
        for (const ModelVertex& v : mesh.vertices) {
            appendf(out, "%.6f %.6f %.6f ", tidy(v.position.x), tidy(v.position.y), tidy(v.position.z));
            char uv[64];
            std::snprintf(uv, sizeof uv, "%.6f %.6f\n", tidy(v.u), tidy(v.v));
            out += uv;
        }
        for (const ModelVertex& v : mesh.vertices) {
            appendf(out, "%.6f %.6f %.6f\n", tidy(v.normal.x), tidy(v.normal.y), tidy(v.normal.z));
        }
        out += std::to_string(mesh.triangles.size()) + "\n";
        for (const auto& t : mesh.triangles) {
            out += std::to_string(t[0]) + " " + std::to_string(t[1]) + " " + std::to_string(t[2]) + " 0 0 0\n";
        }
    }
    char line[128];
    std::snprintf(line, sizeof line, "%.6f %.6f %.6f %.6f\n", model.ambient[0], model.ambient[1],
                  model.ambient[2], model.ambient[3]);
    out += line;
    appendf(out, "%.6f %.6f %.6f\n", model.diffuse[0], model.diffuse[1], model.diffuse[2]);
    appendf(out, "%.6f %.6f %.6f\n", model.specular[0], model.specular[1], model.specular[2]);
    return out;
}
