// Start-up model loading: 200 asteroids, 8 rockets and 11 gates, each file
// parsed per object or parsed once and shared between objects of one file.
#include "geometry/model_loader.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace {

// A closed body of rings × segments quads, written with six decimals as a
// generator would: rings 16, segments 32 gives 1024 triangles.
std::string ringModel(int rings, int segments, double inner)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(6);
    const int vertexCount = (rings + 1) * (segments + 1);
    out << "1\n" << vertexCount << "\n";
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s <= segments; ++s) {
            const double a = M_PI * r / rings;
            const double b = 2.0 * M_PI * s / segments;
            out << (inner + std::sin(a)) * std::cos(b) * 10.0 << ' ' << (inner + std::sin(a)) * std::sin(b) * 10.0
                << ' ' << std::cos(a) * 10.0 << ' ' << double(s) / segments << ' ' << double(r) / rings << "\n";
        }
    }
    for (int r = 0; r <= rings; ++r) {
        for (int s = 0; s <= segments; ++s) {
            const double a = M_PI * r / rings;
            const double b = 2.0 * M_PI * s / segments;
            out << std::sin(a) * std::cos(b) << ' ' << std::sin(a) * std::sin(b) << ' ' << std::cos(a) << "\n";
        }
    }
    out << rings * segments * 2 << "\n";
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const int i = r * (segments + 1) + s;
            const int j = i + segments + 1;
            out << i << ' ' << j << ' ' << i + 1 << " 0 0 0\n" << i + 1 << ' ' << j << ' ' << j + 1 << " 0 0 0\n";
        }
    }
    out << "0.2 0.2 0.2 1\n0.8 0.8 0.8\n0.1 0.1 0.1\n";
    return out.str();
}

struct ModelFiles {
    std::string dir;
    std::string previous = std::filesystem::current_path().string();
    ModelFiles()
    {
        char pattern[] = "/tmp/vorel-bench-models-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::current_path(dir);
        std::ofstream("asteroid1.txt") << ringModel(16, 32, 0.0);
        std::ofstream("rocket.txt") << ringModel(4, 8, 0.0);
        std::ofstream("tor.txt") << ringModel(12, 24, 2.0);
    }
    ~ModelFiles()
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
};

struct Load {
    const char* file;
    int count;
};
const Load LOADS[] = {{"asteroid1.txt", 200}, {"rocket.txt", 8}, {"tor.txt", 11}};

Model records[219];

std::string readFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void BM_LoadModelsParsedPerObject(benchmark::State& state)
{
    ModelFiles files;
    for (auto _ : state) {
        int k = 0;
        for (const Load& load : LOADS) {
            for (int i = 0; i < load.count; ++i, ++k) {
                parseModel(readFile(load.file), records[k]);
            }
        }
        benchmark::DoNotOptimize(records[218].meshes);
        state.PauseTiming();
        for (Model& m : records) {
            releaseModelGeometry(m);
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadModelsParsedPerObject)->Unit(benchmark::kMillisecond);

void BM_LoadModelsShared(benchmark::State& state)
{
    ModelFiles files;
    for (auto _ : state) {
        int k = 0;
        for (const Load& load : LOADS) {
            for (int i = 0; i < load.count; ++i, ++k) {
                records[k].load(load.file);
            }
        }
        benchmark::DoNotOptimize(records[218].meshes);
        state.PauseTiming();
        for (Model& m : records) {
            m = Model{};
        }
        clearModelCache();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadModelsShared)->Unit(benchmark::kMillisecond);

}  // namespace
