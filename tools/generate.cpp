#include "tools/generate.h"

#include "tools/audio_files.h"
#include "tools/models.h"
#include "tools/png_writer.h"
#include "tools/sounds.h"
#include "tools/textures.h"
#include "tools/tga_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// One file to make: its name below the directory and the code that makes its bytes.
struct Job {
    std::string name;
    std::function<std::string()> make;
};

// Writes through a temporary name and renames, so that a reader never sees
// half a file.
bool writeFile(const std::string& dir, const std::string& name, const std::string& bytes)
{
    const fs::path path = fs::path(dir) / name;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    const fs::path partial = path.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::printf("vorel data: cannot write %s\n", path.string().c_str());
            return false;
        }
    }
    fs::rename(partial, path, error);
    if (error) {
        std::printf("vorel data: cannot write %s: %s\n", path.string().c_str(), error.message().c_str());
        return false;
    }
    return true;
}

// Runs the jobs on a few threads. Every painter and instrument keeps its own
// random stream, so the order in which jobs finish changes no byte.
bool runJobs(const std::string& dir, const std::vector<Job>& jobs)
{
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    auto worker = [&]() {
        for (size_t i = next++; i < jobs.size() && ok; i = next++) {
            const std::string bytes = jobs[i].make();
            if (bytes.empty()) {
                std::printf("vorel data: could not make %s\n", jobs[i].name.c_str());
                ok = false;
            } else if (!writeFile(dir, jobs[i].name, bytes)) {
                ok = false;
            }
        }
    };
    const unsigned cores = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < cores; ++t) {
        threads.emplace_back(worker);
    }
    worker();
    for (std::thread& t : threads) {
        t.join();
    }
    std::fflush(stdout);
    return ok;
}

std::vector<Job> modelJobs()
{
    return {
        {"asteroid1.txt", [] { return formatModel(makeAsteroidModel()); }},
        {"tor.txt", [] { return formatModel(makeGateModel()); }},
        {"rocket.txt", [] { return formatModel(makeRocketModel()); }},
        {"craft.txt", [] { return formatModel(makeCraftModel()); }},
    };
}

// Every kind the reader decodes is used by some file, so that the game itself
// runs each decoding path at start-up.
std::vector<Job> textureJobs()
{
    std::vector<Job> jobs = {
        {"stars.tga", [] { return encodeTga(paintStars(), TgaKind::RLE24); }},
        {"ast.tga", [] { return encodeTga(paintRock(), TgaKind::RGB24); }},
        {"cp.tga", [] { return encodeTga(paintCockpit(), TgaKind::RLE32); }},
        {"cp_sides.tga", [] { return encodeTga(paintCockpitSides(), TgaKind::RLE32); }},
        {"gate.tga", [] { return encodeTga(paintGatePanels(), TgaKind::RGB16); }},
        {"logo.tga", [] { return encodeTga(paintLogo(), TgaKind::RLE32); }},
        {"smoke.tga", [] { return encodeTga(paintSmoke(), TgaKind::RGBA32); }},
    };
    for (int frame = 0; frame < EXPLOSION_FRAME_COUNT; ++frame) {
        char name[64];
        std::snprintf(name, sizeof name, "explosion/spr%03d.tga", frame);
        jobs.push_back({name, [frame] { return encodeTga(paintExplosion(frame), TgaKind::RGBA32); }});
    }
    return jobs;
}

std::vector<Job> soundJobs()
{
    return {
        {"sound/bk01.mp3",
         [] {
             Samples left;
             Samples right;
             makeMusic(left, right);
             return encodeMp3(left, right);
         }},
        {"sound/engine.wav", [] { return encodeWav(makeEngineSound()); }},
        {"sound/explosion.wav", [] { return encodeWav(makeExplosionSound()); }},
        {"sound/rocket.wav", [] { return encodeWav(makeRocketSound()); }},
        {"sound/gate.wav", [] { return encodeWav(makeGateSound()); }},
        {"sound/bestlap.wav", [] { return encodeWav(makeBestLapSound()); }},
        {"sound/normlap.wav", [] { return encodeWav(makeNormalLapSound()); }},
    };
}

// The icon's RGBA bytes, top row first as the PNG format stores them.
std::string encodeIcon(int size)
{
    const Image image = paintIcon(size);
    std::vector<unsigned char> rgba;
    rgba.reserve(static_cast<size_t>(size) * size * 4);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Color& c = image.at(x, y);
            const double dither = ditherAt(x, y);
            for (double channel : {c.r, c.g, c.b, c.a}) {
                rgba.push_back(toByte(channel, dither));
            }
        }
    }
    return encodePng(size, size, 4, rgba);
}

}  // namespace

bool generateModels(const std::string& dir)
{
    return runJobs(dir, modelJobs());
}

bool generateAsteroid(const std::string& dir, int triangleCount)
{
    return runJobs(dir, {{"asteroid1.txt", [triangleCount] { return formatModel(makeAsteroidModel(triangleCount)); }}});
}

bool generateTextures(const std::string& dir)
{
    return runJobs(dir, textureJobs());
}

bool generateSounds(const std::string& dir)
{
    return runJobs(dir, soundJobs());
}

bool generateAll(const std::string& dir)
{
    // The longest job (the music) first, so that it overlaps everything else.
    std::vector<Job> jobs = soundJobs();
    for (auto list : {textureJobs(), modelJobs()}) {
        jobs.insert(jobs.end(), list.begin(), list.end());
    }
    return runJobs(dir, jobs);
}

std::vector<std::string> dataFileNames()
{
    std::vector<std::string> names;
    for (const auto& list : {soundJobs(), textureJobs(), modelJobs()}) {
        for (const Job& job : list) {
            names.push_back(job.name);
        }
    }
    return names;
}

bool generateIcons(const std::string& dir)
{
    std::vector<Job> jobs;
    for (int size : ICON_SIZES) {
        const std::string name = "hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/vorel.png";
        jobs.push_back({name, [size] { return encodeIcon(size); }});
    }
    return runJobs(dir, jobs);
}
