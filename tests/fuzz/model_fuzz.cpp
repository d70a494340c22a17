// The text model parser on arbitrary bytes: no read outside the text, no
// allocation beyond what the data could fill, and a stored model whose every
// triangle index lies inside its mesh.
#include "geometry/model_loader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Model model;
    model.position = Vertex(1.0f, 2.0f, 3.0f);
    const ModelParseResult result = parseModel(text, model);
    if (model.position.x != 1.0f || model.position.z != 3.0f) {
        std::abort();
    }
    if (result.status != ModelParseStatus::OK) {
        if (model.meshes != nullptr || model.meshCount != 0) {
            std::abort();  // a failed parse must leave the record alone
        }
        return 0;
    }
    for (int i = 0; i < model.meshCount; ++i) {
        const Mesh& mesh = model.meshes[i];
        for (int t = 0; t < mesh.triangleCount; ++t) {
            for (int k = 0; k < 3; ++k) {
                const int index = mesh.triangles[t].indices[k];
                if (index < 0 || index >= mesh.vertexCount) {
                    std::abort();
                }
                // Touch what the drawing code would read.
                volatile float x = mesh.vertices[index].x;
                volatile double n = mesh.normals[index].z;
                (void)x;
                (void)n;
            }
        }
    }
    releaseModelGeometry(model);
    return 0;
}
