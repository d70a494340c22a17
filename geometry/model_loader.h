// The text model format parsed from memory, so that tests, fuzzers and
// benchmarks can feed it directly. Model::load (geometry/model.h) reads a file
// and hands its text here.
#pragma once

#include "geometry/model.h"

#include <string>

enum class ModelParseStatus {
    OK,
    // A read failed before the end of the colour rows, a count is larger than
    // the data that follows could hold, or a triangle index lies outside its mesh.
    READ_ERROR,
    // A negative count, or an allocation that failed; outOfMemoryLine names the array.
    OUT_OF_MEMORY,
};

struct ModelParseResult {
    ModelParseStatus status = ModelParseStatus::OK;
    const char* outOfMemoryLine = nullptr;

    bool ok() const { return status == ModelParseStatus::OK; }
};

// The first lines of the out-of-memory message, one per array.
extern const char* const OUT_OF_MEMORY_MESHES;
extern const char* const OUT_OF_MEMORY_VERTICES;
extern const char* const OUT_OF_MEMORY_NORMALS;
extern const char* const OUT_OF_MEMORY_TRIANGLES;

// Fills meshCount, meshes and the three colours of the model from the text.
// Only a complete, valid model is stored; on any failure the record is left
// as it was and nothing stays allocated. position and every field after it
// are never touched.
ModelParseResult parseModel(const std::string& text, Model& model);

// Frees geometry that parseModel stored and empties the record. The game never
// calls it (models live for the whole run); tests, fuzzers and benchmarks do.
void releaseModelGeometry(Model& model);

// Frees the geometry shared between objects loaded from the same file, so the
// next Model::load parses again. For benchmarks only: every record loaded
// before must be emptied or never drawn again.
void clearModelCache();
