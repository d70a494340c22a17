// Generated game data for the tests. Every test runs in a process of its own,
// so a tree made once is kept beside the test binary, keyed by the binary's
// time stamp (it is relinked whenever the generator changes), and shared by
// the processes that follow.
#pragma once

#include "tools/generate.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <unistd.h>

// A fresh temporary directory, removed with everything in it at the end.
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

// Marks a shared tree as complete; not part of the generated data.
inline const char* const SHARED_TREE_MARK = ".complete";

// The path of a tree that `generate` wrote, made by this process or an
// earlier one of the same test binary. Throws when generation fails.
inline std::string sharedGeneratedTree(const std::string& kind, bool (*generate)(const std::string&))
{
    namespace fs = std::filesystem;
    const fs::path binary = fs::read_symlink("/proc/self/exe");
    const std::string key = std::to_string(fs::last_write_time(binary).time_since_epoch().count());
    // One folder a test binary: another binary's trees carry another key,
    // and each removes the trees of keys other than its own.
    const fs::path base = binary.parent_path() / "generated-data" / binary.filename();
    const fs::path target = base / (kind + "-" + key);
    if (fs::exists(target / SHARED_TREE_MARK)) {
        return target.string();
    }
    fs::create_directories(base);
    std::string pattern = (base / "partial-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    if (!generate(pattern)) {
        throw std::runtime_error("generating " + kind + " failed");
    }
    std::ofstream(fs::path(pattern) / SHARED_TREE_MARK) << key;
    std::error_code error;
    fs::rename(pattern, target, error);
    if (error) {
        fs::remove_all(pattern, error);  // another process was first
    }
    // Trees of earlier builds are no longer needed.
    for (const auto& entry : fs::directory_iterator(base, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(kind + "-", 0) == 0 && entry.path() != target) {
            fs::remove_all(entry.path(), error);
        }
    }
    return target.string();
}

class SharedTree {
public:
    SharedTree(const std::string& kind, bool (*generate)(const std::string&))
        : path_(sharedGeneratedTree(kind, generate))
    {
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline const SharedTree& generatedModelsTree()
{
    static const SharedTree tree("models", generateModels);
    return tree;
}
inline const SharedTree& generatedTexturesTree()
{
    static const SharedTree tree("textures", generateTextures);
    return tree;
}
inline const SharedTree& generatedSoundsTree()
{
    static const SharedTree tree("sounds", generateSounds);
    return tree;
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
