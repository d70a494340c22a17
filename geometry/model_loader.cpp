#include "geometry/model_loader.h"

#include "geometry/file_read.h"
#include "geometry/text_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include <sys/stat.h>

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

void freeArrays(Mesh& mesh)
{
    delete[] mesh.vertices;
    delete[] mesh.normals;
    delete[] mesh.triangles;
}

// The mesh array is raw storage: a record is constructed only when its mesh
// is read, so the pages of a huge count ahead of a short body are never
// touched. Meshes hold plain data and need no destructor.
Mesh* allocateMeshStorage(int count)
{
    return static_cast<Mesh*>(::operator new(sizeof(Mesh) * static_cast<std::size_t>(count)));
}

void freeMeshes(Mesh* meshes, int meshCount)
{
    if (!meshes) {
        return;
    }
    for (int i = 0; i < meshCount; ++i) {
        freeArrays(meshes[i]);
    }
    ::operator delete(meshes);
}

// Owns the meshes while they are read; hands them over only when the whole
// model was read and checked.
struct MeshArray {
    Mesh* meshes = nullptr;
    int constructed = 0;
    ~MeshArray() { freeMeshes(meshes, constructed); }
};

ModelParseResult readError()
{
    return ModelParseResult{ModelParseStatus::READ_ERROR, nullptr};
}

ModelParseResult outOfMemory(const char* line)
{
    return ModelParseResult{ModelParseStatus::OUT_OF_MEMORY, line};
}

// Reads an array's count and checks it before anything is allocated: a count
// that cannot be read, or that the bytes left could not hold, is a read error;
// a negative one takes the array's out-of-memory path, as its allocation would.
ModelParseResult readCount(TextReader& reader, int& count, std::size_t bytesPerRecord, const char* outOfMemoryLine)
{
    if (!reader.readInt(count)) {
        return readError();
    }
    if (count < 0) {
        return outOfMemory(outOfMemoryLine);
    }
    if (static_cast<std::size_t>(count) > reader.remaining() / bytesPerRecord) {
        return readError();
    }
    return ModelParseResult{};
}

// Allocates count default-constructed records, or reports which array failed.
// A count of 0 gets no array at all: nothing reads one, and a hostile file of
// millions of empty meshes would otherwise cost millions of allocations.
template <typename T>
ModelParseResult allocate(T*& out, int count, const char* outOfMemoryLine)
{
    out = nullptr;
    if (count == 0) {
        return ModelParseResult{};
    }
    try {
        out = new T[static_cast<std::size_t>(count)]();
        return ModelParseResult{};
    } catch (const std::bad_alloc&) {
        return outOfMemory(outOfMemoryLine);
    }
}

// An array's count, checked, and the array allocated for it.
template <typename T>
ModelParseResult readCountedArray(TextReader& reader, int& count, T*& out, std::size_t bytesPerRecord,
                                  const char* outOfMemoryLine)
{
    const ModelParseResult counted = readCount(reader, count, bytesPerRecord, outOfMemoryLine);
    return counted.ok() ? allocate(out, count, outOfMemoryLine) : counted;
}

ModelParseResult readMesh(TextReader& reader, Mesh& mesh)
{
    ModelParseResult result =
        readCountedArray(reader, mesh.vertexCount, mesh.vertices, BYTES_PER_VERTEX, OUT_OF_MEMORY_VERTICES);
    if (!result.ok()) {
        return result;
    }
    for (int i = 0; i < mesh.vertexCount; ++i) {
        Vertex& v = mesh.vertices[i];
        if (!(reader.readFloat(v.x) && reader.readFloat(v.y) && reader.readFloat(v.z) &&
              reader.readFloat(v.u) && reader.readFloat(v.v))) {
            return readError();
        }
    }
    result = allocate(mesh.normals, mesh.vertexCount, OUT_OF_MEMORY_NORMALS);
    if (!result.ok()) {
        return result;
    }
    for (int i = 0; i < mesh.vertexCount; ++i) {
        Vec3& n = mesh.normals[i];
        if (!(reader.readDouble(n.x) && reader.readDouble(n.y) && reader.readDouble(n.z))) {
            return readError();
        }
    }

    result = readCountedArray(reader, mesh.triangleCount, mesh.triangles, BYTES_PER_TRIANGLE, OUT_OF_MEMORY_TRIANGLES);
    if (!result.ok()) {
        return result;
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

// Which file on disk a text came from, so that the same unchanged file is
// not read again for each of 200 objects.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;

    bool operator==(const FileIdentity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds;
    }
};

FileIdentity identityOf(const char* fileName)
{
    FileIdentity identity;
    struct stat info = {};
    if (::stat(fileName, &info) == 0 && S_ISREG(info.st_mode)) {
        identity.device = info.st_dev;
        identity.inode = info.st_ino;
        identity.size = info.st_size;
        identity.modifiedSeconds = static_cast<long>(info.st_mtim.tv_sec);
        identity.modifiedNanoseconds = static_cast<long>(info.st_mtim.tv_nsec);
    }
    return identity;
}

// The result of parsing one distinct file text, shared by every record loaded
// from that text: good geometry (never changed after loading, so sharing is
// invisible to the records; each keeps its own position and fields), or the
// fact that the text is broken, so it is parsed only once.
struct CachedModel {
    std::string text;
    bool good = false;
    Model geometry;
    std::vector<FileIdentity> files;  // every file seen holding this text
    // Broken text: the files already named for it. Each file that holds it
    // is named once, however many records load it.
    std::vector<std::string> namedFiles;

    // Gives the record the shared geometry, or names a broken file not named yet.
    void handTo(Model& record, const char* fileName);
};

std::vector<CachedModel>& modelCache()
{
    // One for the process: the 219 records of the world load three files.
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

void CachedModel::handTo(Model& record, const char* fileName)
{
    if (good) {
        copyGeometry(geometry, record);
        return;
    }
    if (std::find(namedFiles.begin(), namedFiles.end(), fileName) == namedFiles.end()) {
        // Never hand the drawing code a half-read model: the record stays as
        // for a file that cannot be opened.
        printLine("Error reading file: ", fileName);
        namedFiles.emplace_back(fileName);
    }
}

}  // namespace

ModelParseResult parseModel(const std::string& text, Model& model)
{
    TextReader reader(text);
    int meshCount = 0;
    const ModelParseResult counted = readCount(reader, meshCount, BYTES_PER_MESH, OUT_OF_MEMORY_MESHES);
    if (!counted.ok()) {
        return counted;
    }

    MeshArray read;
    if (meshCount > 0) {
        try {
            read.meshes = allocateMeshStorage(meshCount);
        } catch (const std::bad_alloc&) {
            return outOfMemory(OUT_OF_MEMORY_MESHES);
        }
    }
    for (int i = 0; i < meshCount; ++i) {
        new (&read.meshes[i]) Mesh();
        ++read.constructed;
        const ModelParseResult result = readMesh(reader, read.meshes[i]);
        if (!result.ok()) {
            return result;
        }
    }

    Model colours;
    if (!(readColours(reader, colours.ambient, 4) && readColours(reader, colours.diffuse, 3) &&
          readColours(reader, colours.specular, 3))) {
        return readError();
    }

    colours.meshCount = meshCount;
    colours.meshes = read.meshes;
    read.meshes = nullptr;
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
    const FileIdentity identity = identityOf(fileName);
    if (identity.size >= 0) {
        for (CachedModel& cached : modelCache()) {
            if (std::find(cached.files.begin(), cached.files.end(), identity) != cached.files.end()) {
                cached.handTo(*this, fileName);
                return;
            }
        }
    }

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

    // Stored only when the file did not change between the look and the read.
    const bool known = identity.size >= 0 && identity == identityOf(fileName);
    CachedModel* cached = nullptr;
    for (CachedModel& candidate : modelCache()) {
        if (candidate.text == text) {
            cached = &candidate;
            break;
        }
    }
    if (!cached) {
        Model geometry;
        const ModelParseResult result = parseModel(text, geometry);
        if (result.status == ModelParseStatus::OUT_OF_MEMORY) {
            printLine(result.outOfMemoryLine, "");
            // The text the exception carried where this message was first written.
            printLine("Systemmeldung: ", "bad allocation");
            std::exit(1);
        }
        modelCache().push_back(CachedModel{std::move(text), result.ok(), geometry, {}, {}});
        cached = &modelCache().back();
    }
    if (known) {
        cached->files.push_back(identity);
    }
    cached->handTo(*this, fileName);
}
