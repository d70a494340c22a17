#include "geometry/model_loader.h"

#include "geometry/file_read.h"
#include "geometry/text_reader.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

const char* const OUT_OF_MEMORY_MESHES = "Fehler! Kein Speicher mehr da! (Meshes)";
const char* const OUT_OF_MEMORY_VERTICES = "Fehler! Kein Speicher mehr da! (Vertices)";
const char* const OUT_OF_MEMORY_NORMALS = "Fehler! Kein Speicher mehr da! (Vertexnormals)";
const char* const OUT_OF_MEMORY_TRIANGLES = "Fehler! Kein Speicher mehr da!(Triangles)";

namespace {

// Every value after the mesh count takes at least two bytes of the file: a
// separator and one digit. A count is refused before anything is allocated
// when the bytes left could not hold its records. (The values that must follow
// the records are not counted, so that a negative count in a short file still
// takes its array's out-of-memory path.)
constexpr std::size_t MIN_BYTES_PER_VALUE = 2;
constexpr std::size_t BYTES_PER_VERTEX = (5 + 3) * MIN_BYTES_PER_VALUE;  // the vertex row and its normal row
constexpr std::size_t BYTES_PER_TRIANGLE = 6 * MIN_BYTES_PER_VALUE;
constexpr std::size_t BYTES_PER_MESH = 2 * MIN_BYTES_PER_VALUE;          // its vertex and triangle counts

void freeMeshes(Mesh* meshes, int meshCount)
{
    if (!meshes) {
        return;
    }
    for (int i = 0; i < meshCount; ++i) {
        delete[] meshes[i].vertices;
        delete[] meshes[i].normals;
        delete[] meshes[i].triangles;
    }
    delete[] meshes;
}

// Owns the meshes while they are read; hands them over only when the whole
// model was read and checked.
struct MeshArray {
    Mesh* meshes = nullptr;
    int count = 0;
    ~MeshArray() { freeMeshes(meshes, count); }
};

enum class CountCheck { FITS, NEGATIVE, TOO_LARGE };

CountCheck checkCount(int count, std::size_t bytesPerRecord, const TextReader& reader)
{
    if (count < 0) {
        return CountCheck::NEGATIVE;
    }
    if (static_cast<std::size_t>(count) > reader.remaining() / bytesPerRecord) {
        return CountCheck::TOO_LARGE;
    }
    return CountCheck::FITS;
}

ModelParseResult readError()
{
    return ModelParseResult{ModelParseStatus::READ_ERROR, nullptr};
}

ModelParseResult outOfMemory(const char* line)
{
    return ModelParseResult{ModelParseStatus::OUT_OF_MEMORY, line};
}

// Allocates count default-constructed records, or reports which array failed.
template <typename T>
bool allocate(T*& out, int count)
{
    try {
        out = new T[static_cast<std::size_t>(count)]();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

ModelParseResult readMesh(TextReader& reader, Mesh& mesh)
{
    if (!reader.readInt(mesh.vertexCount)) {
        return readError();
    }
    switch (checkCount(mesh.vertexCount, BYTES_PER_VERTEX, reader)) {
    case CountCheck::NEGATIVE:
        return outOfMemory(OUT_OF_MEMORY_VERTICES);
    case CountCheck::TOO_LARGE:
        return readError();
    case CountCheck::FITS:
        break;
    }
    if (!allocate(mesh.vertices, mesh.vertexCount)) {
        return outOfMemory(OUT_OF_MEMORY_VERTICES);
    }
    for (int i = 0; i < mesh.vertexCount; ++i) {
        Vertex& v = mesh.vertices[i];
        if (!(reader.readFloat(v.x) && reader.readFloat(v.y) && reader.readFloat(v.z) &&
              reader.readFloat(v.u) && reader.readFloat(v.v))) {
            return readError();
        }
    }
    if (!allocate(mesh.normals, mesh.vertexCount)) {
        return outOfMemory(OUT_OF_MEMORY_NORMALS);
    }
    for (int i = 0; i < mesh.vertexCount; ++i) {
        Vec3& n = mesh.normals[i];
        if (!(reader.readDouble(n.x) && reader.readDouble(n.y) && reader.readDouble(n.z))) {
            return readError();
        }
    }

    if (!reader.readInt(mesh.triangleCount)) {
        return readError();
    }
    switch (checkCount(mesh.triangleCount, BYTES_PER_TRIANGLE, reader)) {
    case CountCheck::NEGATIVE:
        return outOfMemory(OUT_OF_MEMORY_TRIANGLES);
    case CountCheck::TOO_LARGE:
        return readError();
    case CountCheck::FITS:
        break;
    }
    if (!allocate(mesh.triangles, mesh.triangleCount)) {
        return outOfMemory(OUT_OF_MEMORY_TRIANGLES);
    }
    for (int i = 0; i < mesh.triangleCount; ++i) {
        int* indices = mesh.triangles[i].indices;
        int unused = 0;
        if (!(reader.readInt(indices[0]) && reader.readInt(indices[1]) && reader.readInt(indices[2]) &&
              reader.readInt(unused) && reader.readInt(unused) && reader.readInt(unused))) {
            return readError();
        }
        // The drawing code indexes vertices and normals with these as they stand.
        for (int k = 0; k < 3; ++k) {
            if (indices[k] < 0 || indices[k] >= mesh.vertexCount) {
                return readError();
            }
        }
    }
    return ModelParseResult{};
}

bool readColours(TextReader& reader, float* values, int count)
{
    for (int i = 0; i < count; ++i) {
        if (!reader.readFloat(values[i])) {
            return false;
        }
    }
    return true;
}

// The result of parsing one distinct file text, shared by every record loaded
// from that text: good geometry (never changed after loading, so sharing is
// invisible to the records; each keeps its own position and fields), or the
// fact that the text is broken, so it is parsed and reported only once.
struct CachedModel {
    std::string text;
    bool good = false;
    Model geometry;
};

std::vector<CachedModel>& modelCache()
{
    static std::vector<CachedModel> cache;
    return cache;
}

void copyGeometry(const Model& from, Model& to)
{
    to.meshCount = from.meshCount;
    to.meshes = from.meshes;
    for (int i = 0; i < 4; ++i) {
        to.ambient[i] = from.ambient[i];
    }
    for (int i = 0; i < 3; ++i) {
        to.diffuse[i] = from.diffuse[i];
        to.specular[i] = from.specular[i];
    }
}

void printLine(const char* first, const char* second)
{
    std::fputs(first, stdout);
    std::fputs(second, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

ModelParseResult parseModel(const std::string& text, Model& model)
{
    TextReader reader(text);
    int meshCount = 0;
    if (!reader.readInt(meshCount)) {
        return readError();
    }
    switch (checkCount(meshCount, BYTES_PER_MESH, reader)) {
    case CountCheck::NEGATIVE:
        return outOfMemory(OUT_OF_MEMORY_MESHES);
    case CountCheck::TOO_LARGE:
        return readError();
    case CountCheck::FITS:
        break;
    }

    MeshArray meshes;
    if (meshCount > 0) {
        if (!allocate(meshes.meshes, meshCount)) {
            return outOfMemory(OUT_OF_MEMORY_MESHES);
        }
        meshes.count = meshCount;
    }
    for (int i = 0; i < meshCount; ++i) {
        const ModelParseResult result = readMesh(reader, meshes.meshes[i]);
        if (result.status != ModelParseStatus::OK) {
            return result;
        }
    }

    Model colours;
    if (!(readColours(reader, colours.ambient, 4) && readColours(reader, colours.diffuse, 3) &&
          readColours(reader, colours.specular, 3))) {
        return readError();
    }

    colours.meshCount = meshCount;
    colours.meshes = meshes.meshes;
    meshes.meshes = nullptr;
    copyGeometry(colours, model);
    return ModelParseResult{};
}

void releaseModelGeometry(Model& model)
{
    freeMeshes(model.meshes, model.meshCount);
    copyGeometry(Model{}, model);
}

void clearModelCache()
{
    for (CachedModel& cached : modelCache()) {
        releaseModelGeometry(cached.geometry);
    }
    modelCache().clear();
}

void Model::load(const char* fileName)
{
    std::string text;
    const FileReadStatus status = readWholeFile(fileName, text);
    if (fileReadNotOpened(status)) {
        printLine("Error opening file: ", fileName);
        return;
    }
    if (status != FileReadStatus::OK) {
        printLine("Error reading file: ", fileName);
        return;
    }

    for (const CachedModel& cached : modelCache()) {
        if (cached.text == text) {
            if (cached.good) {
                copyGeometry(cached.geometry, *this);
            }
            return;
        }
    }

    Model geometry;
    const ModelParseResult result = parseModel(text, geometry);
    switch (result.status) {
    case ModelParseStatus::OK:
        copyGeometry(geometry, *this);
        modelCache().push_back(CachedModel{std::move(text), true, geometry});
        return;
    case ModelParseStatus::READ_ERROR:
        // Never hand the drawing code a half-read model: the record stays as
        // for a file that cannot be opened.
        printLine("Error reading file: ", fileName);
        modelCache().push_back(CachedModel{std::move(text), false, Model{}});
        return;
    case ModelParseStatus::OUT_OF_MEMORY:
        printLine(result.outOfMemoryLine, "");
        // The text the exception carried where this message was first written.
        printLine("Systemmeldung: ", "bad allocation");
        std::exit(1);
    }
}
