// Every data file reader on arbitrary bytes stored as a real file: the shared
// reader must hand back exactly what was written, and the model, texture,
// settings and high-score loaders must read it without crashing, each leaving
// its result in bounds.
#include "app/files/high_scores.h"
#include "app/files/settings.h"
#include "geometry/file_read.h"
#include "geometry/model_loader.h"
#include "render/tga.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <unistd.h>

// The one game global the list needs; the course itself is not linked here.
float bestLapTime = 999999.0f;

namespace {

void store(const char* name, const std::string& bytes)
{
    std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char folder[] = "/tmp/vorel-fuzz-files-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0) {
        std::abort();
    }
    // The loaders' messages would drown the fuzzer's own.
    if (!std::freopen("/dev/null", "w", stdout)) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    store("asteroid1.txt", input);
    std::string bytes;
    if (readWholeFile("asteroid1.txt", bytes) != FileReadStatus::OK || bytes != input) {
        std::abort();
    }

    // A count the loader must refuse as out of memory ends the process by
    // design; the parser itself is fuzzed on its own.
    Model probe;
    const bool endsTheGame = parseModel(input, probe).status == ModelParseStatus::OUT_OF_MEMORY;
    releaseModelGeometry(probe);
    Model model;
    if (!endsTheGame) {
        model.load("asteroid1.txt");
    }
    for (int m = 0; m < model.meshCount; ++m) {
        const Mesh& mesh = model.meshes[m];
        for (int t = 0; t < mesh.triangleCount; ++t) {
            for (int k : mesh.triangles[t].indices) {
                if (k < 0 || k >= mesh.vertexCount) {
                    std::abort();
                }
            }
        }
    }
    clearModelCache();

    store("ast.tga", input);
    const std::unique_ptr<TgaImage> image = loadTga("ast.tga");
    if (image && image->pixels.size() !=
                     static_cast<std::size_t>(image->width) * image->height * image->bytesPerPixel) {
        std::abort();
    }

    store("vorel.ini", input);
    readSettings();
    if (std::strlen(settingsRead.gameModeString) > GAME_MODE_STRING_MAX || std::strlen(settingsRead.playerName) > PLAYER_NAME_MAX) {
        std::abort();
    }

    store("bestenliste.txt", input);
    readHighScores();
    // What is kept for the rewrite is the file's own tail, byte for byte.
    const std::string& unread = highScoreList.unread;
    if (unread.size() > input.size() || input.compare(input.size() - unread.size(), unread.size(), unread) != 0) {
        std::abort();
    }
    highScoreList.reset();
    return 0;
}
