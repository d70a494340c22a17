// Generated game data in a temporary directory, made once per test process
// and removed when the process ends.
#pragma once

#include "tools/generate.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <unistd.h>

class TempDataDir {
public:
    TempDataDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorel-data-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ~TempDataDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

using GenerateFunction = bool (*)(const std::string&);

// The directory after `generate` ran into it once in this process; throws when
// generation fails.
template <GenerateFunction generate>
const TempDataDir& generatedOnce()
{
    static TempDataDir dir;
    static const bool ok = generate(dir.path());
    if (!ok) {
        throw std::runtime_error("generation failed");
    }
    return dir;
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
