#include "support/scratch_dir.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace fs = std::filesystem;

ScratchDir::ScratchDir()
{
    std::string pattern = (fs::temp_directory_path() / "vorel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
    previous_ = fs::current_path().string();
    fs::current_path(path_);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

void ScratchDir::write(const std::string& relativePath, const std::string& bytes) const
{
    const fs::path file = fs::path(path_) / relativePath;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {
void put16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& out, uint32_t v)
{
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}
}  // namespace

std::string makeWav(int sampleRate, double seconds, double frequency)
{
    const uint32_t frames = static_cast<uint32_t>(sampleRate * seconds);
    std::string out = "RIFF";
    put32(out, 36 + frames * 2);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate * 2));
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        const double s = std::sin(2.0 * M_PI * frequency * i / sampleRate);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(s * 8000.0)));
    }
    return out;
}
