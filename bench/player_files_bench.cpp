// Reading the player's files and hostile game data as start-up does: a long
// high-score list, and a broken or hostile "asteroid1.txt" loaded for all 200
// asteroids.
#include "app/files/high_scores.h"
#include "geometry/model_loader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

std::string highScoreLines(int count)
{
    std::string text;
    char line[64];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "Pilot%06d %f\n", i, 60.0 + i * 0.001);
        text += line;
    }
    return text;
}

// Start-up's read of the list, before the first frame.
void BM_HighScoreListRead(benchmark::State& state)
{
    const std::string text = highScoreLines(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        HighScoreList list;
        parseHighScores(text, list);
        benchmark::DoNotOptimize(list.first);
    }
    state.SetLabel(std::to_string(state.range(0)) + " lines");
}
BENCHMARK(BM_HighScoreListRead)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The exit's part: a lap into the middle of the list, and the text written.
void BM_HighScoreListInsertAndFormat(benchmark::State& state)
{
    HighScoreList list;
    parseHighScores(highScoreLines(static_cast<int>(state.range(0))), list);
    for (auto _ : state) {
        HighScoreList updated = list;
        updated.insert("Ace", 60000.0f + static_cast<float>(state.range(0)) * 0.5f);
        benchmark::DoNotOptimize(formatHighScores(updated));
    }
    state.SetLabel(std::to_string(state.range(0)) + " lines");
}
BENCHMARK(BM_HighScoreListInsertAndFormat)->Arg(100000)->Unit(benchmark::kMillisecond);

struct ScratchFolder {
    std::string previous = std::filesystem::current_path().string();
    std::string dir;
    ScratchFolder()
    {
        char pattern[] = "/tmp/vorel-bench-hostile-XXXXXX";
        dir = mkdtemp(pattern);
        std::filesystem::current_path(dir);
    }
    ~ScratchFolder()
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
};

constexpr std::size_t TEN_MEGABYTES = std::size_t{10} << 20;

std::string hostileModel(int kind)
{
    switch (kind) {
    case 0:  // one number of 10 MB
        return "1\n" + std::string(TEN_MEGABYTES, '7');
    case 1:  // 10 MB of zero digits after a mesh count
        return "2000000\n" + std::string(TEN_MEGABYTES, '0');
    case 2: {  // as many empty meshes as 10 MB hold, and no colours
        std::string text = std::to_string(TEN_MEGABYTES / 4) + "\n";
        for (std::size_t i = 0; i < TEN_MEGABYTES / 2; ++i) {
            text += "0 ";
        }
        return text;
    }
    default:  // 10 MB of NUL bytes after a mesh count
        return "2000000\n" + std::string(TEN_MEGABYTES, '\0');
    }
}

const char* const HOSTILE_NAMES[] = {"10 MB number", "10 MB of zero digits", "10 MB of empty meshes",
                                     "10 MB of NUL bytes"};

// The start-up cost of a hostile asteroid file: 200 loads, one report.
void BM_HostileAsteroidFileForTheWholeField(benchmark::State& state)
{
    ScratchFolder folder;
    std::ofstream("asteroid1.txt", std::ios::binary) << hostileModel(static_cast<int>(state.range(0)));
    std::fflush(stdout);
    const int saved = dup(1);
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    static Model field[200];
    for (auto _ : state) {
        for (Model& asteroid : field) {
            asteroid.load("asteroid1.txt");
        }
        benchmark::DoNotOptimize(field[199].meshes);
        clearModelCache();
    }
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    (void)quiet;
    state.SetLabel(HOSTILE_NAMES[state.range(0)]);
}
BENCHMARK(BM_HostileAsteroidFileForTheWholeField)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
