// Header-only helpers for tests of the file readers and writers, usable by the
// core tests (which link no support sources): a temporary working directory
// and the capture of what a call prints on standard output.
#pragma once

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

inline std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs fn with the descriptor (standard output unless told) going to a file
// and returns what it printed.
template <typename Fn>
std::string captureStdout(Fn fn, int descriptor = 1)
{
    char path[] = "/tmp/vorel-stdout-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        throw std::runtime_error("mkstemp failed");
    }
    std::fflush(stdout);
    std::fflush(stderr);
    const int saved = dup(descriptor);
    dup2(fd, descriptor);
    fn();
    std::fflush(stdout);
    std::fflush(stderr);
    dup2(saved, descriptor);
    close(saved);
    close(fd);
    const std::string out = readWholeFile(path);
    unlink(path);
    return out;
}

// A fresh directory that becomes the working directory for the object's life.
class TempWorkDir {
public:
    TempWorkDir()
    {
        char pattern[] = "/tmp/vorel-files-XXXXXX";
        if (!mkdtemp(pattern)) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
        previous_ = std::filesystem::current_path().string();
        std::filesystem::current_path(path_);
    }
    ~TempWorkDir()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::string& path() const { return path_; }
    // Names of the files now in the directory, sorted.
    std::string listing() const
    {
        std::string out;
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            out += name + " ";
        }
        return out;
    }

private:
    std::string path_;
    std::string previous_;
};
